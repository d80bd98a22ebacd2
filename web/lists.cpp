// What the page offers, from the C++'s own tables, and the cost table it draws.
#include "explain/cost.hpp"
#include "run/format.hpp"
#include "sets/program_sets.hpp"
#include "sets/teaching_sets.hpp"
#include "web/page.hpp"

#include <emscripten.h>

#include <ctime>
#include <new>
#include <span>

namespace {

double costSeed = -1; // the seed of the last cost table, or -1

// The items of a table as a JSON list, each written by item.
template <class Table, class Item>
std::string list(const Table& table, const Item& item)
{
    std::string items;
    for (const auto& entry : table)
        items += (items.empty() ? "" : ",") + item(entry);
    return "[" + items + "]";
}

} // namespace

extern "C" {

// What the page offers, as JSON: the programs, the sets that teach and their counts, the
// dimensions, the languages, the keys (each labelled in every language), the most records the
// cost is counted for, the digits the texts take, and the link's parameters with the options they
// stand for.
EMSCRIPTEN_KEEPALIVE const char* pageLists()
{
    const std::string programs = list(programSets, [](const ProgramSet& p) { return json(p.name); });
    const std::string sets = list(teachingSets, [](const TeachingSet& s) {
        return printfText("{\"name\":%s,\"description\":%s}", json(s.name).c_str(), json(s.description).c_str());
    });
    const std::string dimensions = list(linkParameterNamed("dim")->choices, [](const std::string& d) { return d; });
    const std::string languageList = list(languages, [](const LanguageName& l) {
        return printfText("{\"name\":%s,\"ownName\":%s}", json(l.name).c_str(), json(l.ownName).c_str());
    });
    const std::string keys = list(std::span(keyRows, playerKeyCount), [&](const KeyRow& k) {
        const std::string labels = list(languages, [&](const LanguageName& l) {
            return json(l.name) + ":" + json(l.words->keys[static_cast<int>(k.key)]);
        });
        return printfText("{\"key\":%d,\"shortcut\":%s,\"label\":{%s}}", static_cast<int>(k.key),
                          json(k.shortcut).c_str(), labels.substr(1, labels.size() - 2).c_str());
    });
    std::vector<const OptionRow*> linked;
    for (const OptionRow& row : optionRows())
        if (row.link != nullptr)
            linked.push_back(&row);
    const std::string parameters = list(linked, [](const OptionRow* row) {
        return printfText("{\"name\":%s,\"option\":%s,\"set\":%s}", json(row->link).c_str(),
                          row->option ? json(row->option).c_str() : "null", row->namesSet ? "true" : "false");
    });
    return handOver(printfText("{\"programs\":%s,\"sets\":%s,\"dimensions\":%s,\"languages\":%s,\"keys\":%s,"
                               "\"leastCount\":%lld,\"mostCount\":%lld,\"defaultCount\":%lld,\"costMost\":%lld,"
                               "\"leastDigits\":%d,\"mostDigits\":%d,\"parameters\":%s}",
                               programs.c_str(), sets.c_str(), dimensions.c_str(), languageList.c_str(), keys.c_str(),
                               teachingLeastCount, teachingMostCount, teachingDefaultCount, costDefaultMost,
                               leastDigits, mostDigits, parameters.c_str()));
}

// The cost table that the words ask for (a link's parameters: set, dim, count for the most records,
// seed), as closest_explain --cost prints it; or closest_explain's message.
EMSCRIPTEN_KEEPALIVE const char* pageCost()
{
    std::vector<std::string> line = linkWords(takeParameters());
    line.emplace_back("--cost");
    costSeed = -1;
    try {
        const ExplainOptions o = parseExplainOptions(line);
        const unsigned seed = o.seed.value_or(static_cast<unsigned>(std::time(nullptr)));
        std::string table;
        writeCost(o, seed, [&table](const std::string& row) { table += row + "\n"; });
        costSeed = seed;
        return handOver(table);
    } catch (const OptionError& e) {
        return handOver(explainMessage(e.what()));
    } catch (const std::bad_alloc&) {
        return handOver(explainMessage("out of memory"));
    }
}

// The seed the last cost table was counted with, or -1 when it was refused.
EMSCRIPTEN_KEEPALIVE double pageCostSeed() { return costSeed; }

} // extern "C"
