// The recursion as a tree of calls, and its levels, from the recorded steps: each call's records,
// its split, its answer and its work, in the order the calls begin.
#pragma once

#include "explain/language.hpp"
#include "explain/step_text.hpp"
#include "explain/steps.hpp"

#include <cstdint>
#include <string>
#include <vector>

// One call of the divide and conquer. Depth 1 is the whole set's call; parent -1 for it.
struct CallNode {
    int depth = 1;
    int parent = -1;          // the call under way when this one began
    std::size_t firstStep = 0; // its split or its leaf
    std::size_t lastStep = 0;  // its answer, or its leaf
    CallRecords records;
    bool splits = false;
    double mx = 0;            // the split's x, of a call that splits
    double bestSquared = 0;   // what it returned
    long long moved = 0;      // records its y-split moved: all of them, or none for a leaf
    long long stripRecords = 0;
    long long distances = 0;  // a leaf's pairs, or the strip's comparisons

    // Whether the call is answered, under way or still to come when steps[current] is shown.
    bool doneAt(std::size_t current) const { return lastStep <= current; }
    bool underWayAt(std::size_t current) const { return firstStep <= current && current < lastStep; }
};

// The calls of the steps, in the order they begin.
std::vector<CallNode> callTree(const std::vector<Step>& steps);

// The innermost call under way or answered at steps[current]: the one whose steps hold it (the
// end belongs to the whole set's call); -1 without calls.
int callAt(const std::vector<CallNode>& calls, std::size_t current);

// One depth of the recursion: its calls, the records they hold, the records their y-splits moved,
// their strips' records and the distances they computed.
struct LevelRow {
    int depth = 1;
    long long calls = 0, records = 0, moved = 0, strip = 0, distances = 0;
};

// A row for each depth, from 1.
std::vector<LevelRow> levelRows(const std::vector<CallNode>& calls);

// "depth calls records moved strip distances", and a row's columns in that order.
std::string levelsHeader();
std::string levelLine(const LevelRow& row);

// A call as --tree prints it, indented two spaces a depth below the first: "16 points, split
// x = 5.5, d = 1.2", a leaf "5 points, all pairs, d = 2". As shown at steps[current]: a call to come
// by its records alone, one under way without its d.
std::string treeLine(const CallNode& call, Language language, NumberStyle numbers = {},
                     std::size_t current = SIZE_MAX);

// The calls a panel of most lines shows when call at is the current one, in the order they begin:
// all of them when they fit; else the calls from the whole set's down to it, each with its
// children, the levels below them folded.
std::vector<int> unfoldedCalls(const std::vector<CallNode>& calls, int at, std::size_t most);
