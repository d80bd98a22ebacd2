// The page's own labels beside the questions, the tree and the cost chart, in the language of the
// steps: each names the element it labels by id (its text, or the attribute after "@"); the
// chart's words, which the script draws with the chart, by a name of their own.
#include "web/page.hpp"

#include <emscripten.h>

namespace {

struct LabelRow {
    const char* name;
    const char* Words::*word;
};

constexpr LabelRow labelRows[] = {
    {"ask-switch-text", &Words::askSwitch},
    {"ask-kinds-legend", &Words::askKindsTitle},
    {"ask-records@aria-label", &Words::askRecordsName},
    {"tree-title", &Words::treeTitle},
    {"tree@aria-label", &Words::treeName},
    {"levels-box@aria-label", &Words::levelsName},
    {"levels-note", &Words::levelsNote},
    {"cost-title", &Words::costTitle},
    {"cost-about", &Words::costAbout},
    {"cost-up-to", &Words::costUpTo},
    {"cost-records", &Words::costRecords},
    {"cost-run", &Words::costCount},
    {"term-ratio", &Words::termRatio},
    {"term-most", &Words::termMost},
    {"term-depth", &Words::termDepth},
    {"term-moved", &Words::termMoved},
    {"term-times", &Words::termTimes},
    {"chart-distances", &Words::chartDistances},
    {"chart-moved", &Words::chartMoved},
    {"chart-reference", &Words::chartReference},
    {"chart-pairs", &Words::chartPairs},
    {"chart-x", &Words::chartX},
    {"chart-y", &Words::chartY},
    {"chart-name", &Words::chartName},
    {"cost-table-name", &Words::costTableName},
};

} // namespace

extern "C" {

// The labels in the language of the steps, as JSON: {name: text}.
EMSCRIPTEN_KEEPALIVE const char* pageLabels()
{
    const Words& w = wordsOf(page.options.language);
    std::string text;
    for (const LabelRow& row : labelRows)
        text += (text.empty() ? "{" : ",") + json(row.name) + ":" + json(w.*row.word);
    return handOver(text + "}");
}

} // extern "C"
