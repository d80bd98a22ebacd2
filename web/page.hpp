// What the page's C++ files share: the set on the canvas and what it was opened with, the words
// and texts handed between the script and the C++, and opening a set. Each file holds one part of
// what the page's script calls (the functions named page...): opening sets, links, the steps, the
// lists, asking, editing and the view.
#pragma once

#include "explain/driver.hpp"
#include "explain/link.hpp"
#include "explain/stepper.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct PageState {
    std::optional<ExplainedSet> shown; // the set on the canvas
    std::string report;                // its report lines
    ExplainOptions options;            // what it was opened with
    bool explaining = false;           // steps, or the programs' picture
    std::string pointsText;            // the text of the user's points, under any name
    std::optional<std::string> linkPoints; // the shown user's points as a link carries them ("" for
                                           // another set), or none when they are too many for a link
    bool presenting = false;           // present mode: the picture and the step's texts on one screen
};
extern PageState page;

// The hand-over: a text for the script, kept until the next call.
const char* handOver(std::string text);

// A text as a JSON string.
std::string json(std::string_view text);

// The words the script handed (pageWord) since they were last taken; as a link's parameters, a
// name and a value each.
std::vector<std::string> takeWords();
LinkParameters takeParameters();

// Whether the steps are shown: explaining, and a set small enough.
bool stepsOnScreen();

// Opens what the command line asks for, as closest_explain would, with its steps when explain is
// set: "" or closest_explain's message, the set shown kept when it refuses. Points placed by hand
// are opened at keptStep (counting from 1), or the last step when there are fewer now; any other
// set ends their editing.
std::string openLine(const std::vector<std::string>& line, bool explain, std::optional<std::size_t> keptStep = {});

// closest_explain's words for the view's language and digits, which a set opened from the page keeps.
std::vector<std::string> viewWords();

// Fills the scene with the set as the programs show it, or with its steps from step start on (from
// 0), and returns to the start-up view.
void showSet(std::vector<Step> steps, std::size_t start);

// The start-up view for a picture of width x height pixels, as a window's reshape leaves it, the
// step's call framed when following.
void startView(int width, int height);

// The records as the page writes them: each coordinate as its shortest text, between between
// coordinates and end after each record; past most characters the records left are left out.
std::string recordsText(const AnyRun& run, const char* between, const char* end, std::size_t most = std::string::npos);
std::string recordsText(const Point2* records, std::size_t count, const char* between, const char* end);

// The records as a link's points parameter carries them: shortest texts, a comma between coordinates
// and a semicolon after each record, the + of an exponent written %2B; none past what a link holds.
std::optional<std::string> pointsLinkOf(const AnyRun& run);

// Forgets the texts recordsText keeps for a set's coordinates (a new set was opened).
void forgetRecordsTexts();

// Edits and questions end with the set they were about.
void endEditing();
void endAsking();

// The page's switches by their link parameters' names (explain, follow, large, ask, present): whether
// one is on; turning one on or off, with what it implies or what implies it.
bool switchOn(const std::string& name);
void switchTo(const std::string& name, bool on);

// Asking before a comparison's or a combine's result is shown, or not; whether it is.
void setAsking(bool on);
bool asking();

// The step key the page lets through while it asks (the viewer asks before each).
bool takeKey(StepKey key);

// A jump from steps[from] to steps[to] chosen otherwise than by a key (a call in the tree): the
// open question ends, and the questions it passes count as skipped.
void jumpAsking(std::size_t from, std::size_t to);
