// The words of one language: every text of the steps, the player, the calls, the listing, the
// legend, the questions and the keys, and how a count chooses a noun's form. Each language is one
// file (words_sr.cpp, words_en.cpp) and a line in the list of languages (explain/language.hpp).
// The patterns' comments name what each {i} holds.
#pragma once

#include "explain/keys.hpp"
#include "explain/palette.hpp"
#include "explain/question_kinds.hpp"

// The nouns that follow a count. Serbian declines a record by its place in the sentence: the
// subject (tacka), the object (tacku), after "nad" (tackom); English has one form for all three.
enum class Noun { record, recordObject, recordAfterOver, pair, distance, step };
inline constexpr int nounCount = static_cast<int>(Noun::step) + 1;

inline constexpr int listingLineCount = 14;

struct Words {
    // The steps.
    const char* stepOf;   // {0} the step's number, {1} how many there are
    const char* split;    // {0} the call's records, {1} mx, {2} left count, {3} right count
    const char* leaf;     // {0} records, {1} pairs, {2} the closest pair, {3} its d
    const char* combine;  // {0} left d, {1} right d, {2} which pair stays, {3} that pair
    const char* keptRight;
    const char* keptOnTie;
    const char* keptLeft;
    const char* strip;    // {0} left edge, {1} right edge, {2} d, {3} left count, {4} right records
    const char* compare;  // {0} its number for the left record, {1} that record, {2} the right, {3} d, {4} verdict,
                          // {5} windowNote when the best has shrunk since the record's turn began, else ""
    const char* windowNote; // {0} the window's d
    const char* newBest;
    const char* notSmaller; // {0} the best d
    const char* answer;     // {0} records, {1} d, {2} the pair
    const char* end;        // {0} endResult, {1} distances, {2} all pairs, {3} most comparisons
    const char* endResult;  // {0} the distance (%f), {1} the pair (%f) or noPair, {2} the report's own line
    const char* infinity;
    const char* noPair;
    const char* equalDistances; // under the report, when its searches named different pairs

    // A noun's singular, paucal and plural, by Noun; and which of them agrees with a count.
    const char* nouns[nounCount][3];
    int (*formFor)(double count);

    // The player and the calls under way.
    const char* playing;
    const char* header;    // {0} "Korak 5 od 7", {1} playing or not, {2} the speed, {3} distances, {4} pairs
    const char* splitCall; // {0} the call's number, {1} its records, {2} mx
    const char* leafCall;  // {0} the call's number, {1} its records

    // The calls as a tree, a line each.
    const char* treeSplit; // {0} its records, {1} mx, {2} the d it returned
    const char* treeLeaf;  // {0} its records, {1} its d
    const char* treeOpenSplit; // under way: {0} its records, {1} mx
    const char* treeOpenLeaf;  // under way: {0} its records

    // The keys' labels, by StepKey.
    const char* keys[stepKeyCount];

    // The listing, a line each ({0} in the second: the most records a leaf holds). ASCII alone: the
    // window's font has no other characters.
    const char* listing[listingLineCount];

    // The legend: its title, and what each code of the palette looks like and stands for, in the
    // palette's order.
    const char* legendTitle;
    const char* legend[paletteSize];

    // The questions asked before a step's result, and their verdicts.
    const char* askSplit;   // {0} the call's records
    const char* askLeaf;    // {0} the call's records
    const char* askStrip;   // {0} mx, {1} the best d so far
    const char* askCompare; // {0} its number for the left record, {1} that record, {2} the right, {3} the best d
    const char* askCombine;
    const char* askEnd;     // {0} all the records
    const char* answers[2][2]; // by question (compare, combine) and answer
    const char* correct;    // {0} why
    const char* incorrect;  // {0} why
    const char* whySplit;   // {0} mx, {1} the left half's last x, {2} the right half's first x
    const char* whyClosest; // {0} the pair, {1} its d
    const char* whyStrip;   // {0} left edge, {1} right edge, {2} d, {3} left count, {4} right count
    const char* whyNewBest; // {0} the distance compared, {1} the best before
    const char* whyNotBest; // {0} the distance compared, {1} the best before
    const char* whyLeft;    // {0} left d, {1} right d
    const char* whyTie;     // {0} left d, {1} right d
    const char* whyRight;   // {0} left d, {1} right d
    const char* score;      // {0} right, {1} answered, {2} skipped
    const char* chosen;     // {0} the records chosen so far
    const char* noRecord;   // a click away from every record
    const char* answerButton;
    const char* askArrows;  // how the keys choose records on the picture, for a call too large to list
    const char* cursorOn;   // {0} the record the arrow keys are on
    const char* askCounts;  // over a strip's counts on each side, for a call too large to list
    const char* countLeft;
    const char* countRight;
    const char* questionKinds[questionKindCount]; // the kinds' names on the page, in Question's order

    // The page's own labels about the questions, the tree and the cost (web/labels.cpp places them);
    // the names of the cost's and the levels' columns are closest_explain's own, the same in all.
    const char* askSwitch;      // the switch that turns asking on
    const char* askKindsTitle;  // over the kinds' boxes
    const char* askRecordsName; // the list of the call's records, as a screen reader names it
    const char* treeTitle;      // the tree panel's title
    const char* treeName;       // the tree, as a screen reader names it
    const char* levelsName;     // the levels' table, as a screen reader names it
    const char* levelsNote;     // where the n log n lies, under the levels
    const char* costTitle;
    const char* costAbout;      // what the cost counts
    const char* costUpTo;       // before the most records counted
    const char* costRecords;    // after them
    const char* costCount;      // the button
    const char* termRatio;      // what the cost's columns mean, a line each
    const char* termMost;
    const char* termDepth;
    const char* termMoved;
    const char* termTimes;
    const char* chartDistances; // the chart's curves
    const char* chartMoved;
    const char* chartReference;
    const char* chartPairs;
    const char* chartX;         // its axes
    const char* chartY;
    const char* chartName;      // the chart, as a screen reader names it
    const char* costTableName;  // the table, as a screen reader names it
};

// Whether every word is there: each language's file checks itself with it, so that a language
// missing a word does not build.
constexpr bool said(const char* text) { return text != nullptr && text[0] != '\0'; }
constexpr bool complete(const Words& w)
{
    bool all = w.formFor != nullptr;
    for (const char* text : {w.stepOf, w.split, w.leaf, w.combine, w.keptRight, w.keptOnTie, w.keptLeft, w.strip,
                             w.compare, w.windowNote, w.endResult, w.newBest, w.notSmaller, w.answer, w.end, w.infinity, w.noPair,
                             w.equalDistances, w.playing, w.header, w.splitCall, w.leafCall, w.treeSplit, w.treeLeaf, w.treeOpenSplit, w.treeOpenLeaf, w.legendTitle, w.askSplit,
                             w.askLeaf, w.askStrip, w.askCompare, w.askCombine, w.askEnd, w.correct, w.incorrect,
                             w.whySplit, w.whyClosest, w.whyStrip, w.whyNewBest, w.whyNotBest, w.whyLeft, w.whyTie,
                             w.whyRight, w.score, w.chosen, w.noRecord, w.answerButton, w.askArrows, w.cursorOn,
                             w.askCounts, w.countLeft, w.countRight, w.askSwitch, w.askKindsTitle, w.askRecordsName,
                             w.treeTitle, w.treeName, w.levelsName, w.levelsNote, w.costTitle, w.costAbout,
                             w.costUpTo, w.costRecords, w.costCount, w.termRatio, w.termMost, w.termDepth, w.termMoved,
                             w.termTimes, w.chartDistances, w.chartMoved, w.chartReference, w.chartPairs, w.chartX,
                             w.chartY, w.chartName, w.costTableName})
        all = all && said(text);
    for (const auto& forms : w.nouns)
        for (const char* form : forms)
            all = all && said(form);
    for (const auto* list : {&w.answers[0], &w.answers[1]})
        for (const char* answer : *list)
            all = all && said(answer);
    for (const char* kind : w.questionKinds)
        all = all && said(kind);
    for (const char* key : w.keys)
        all = all && said(key);
    for (const char* line : w.listing)
        all = all && said(line);
    for (const char* line : w.legend)
        all = all && said(line);
    return all;
}

extern const Words serbianWords;
extern const Words englishWords;
