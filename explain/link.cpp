#include "explain/link.hpp"

#include "explain/point_file.hpp"
#include "run/format.hpp"
#include "sets/teaching_sets.hpp"

#include <algorithm>
#include <cctype>
#include <map>
#include <string_view>

namespace {

// The word --points takes for the points a link carries.
constexpr const char* linkPointsName = "points";

std::vector<std::string> linkNames()
{
    std::vector<std::string> names;
    for (const OptionRow& row : optionRows())
        if (row.link != nullptr)
            names.emplace_back(row.link);
    return names;
}

std::vector<std::string> optionWords(const OptionRow& row, const std::string& value)
{
    return {row.option, row.link == std::string(linkPointsName) ? linkPointsName : value};
}

// Whether closest_explain takes the words on their own.
bool parses(const std::vector<std::string>& words)
{
    try {
        parseExplainOptions(words);
        return true;
    } catch (const OptionError&) {
        return false;
    }
}

// A value as an address carries it, as the browser's encodeURIComponent writes it.
std::string encoded(const std::string& value)
{
    std::string text;
    for (const char c : value) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || std::string_view("-_.!~*'()").find(c) != std::string_view::npos)
            text += c;
        else
            text += printfText("%%%02X", u);
    }
    return text;
}

} // namespace

bool LinkRequest::on(const std::string& name) const
{
    return std::find(switches.begin(), switches.end(), name) != switches.end();
}

LinkRequest readLink(const LinkParameters& parameters)
{
    LinkRequest request;
    bool setRefused = false;
    const auto refuse = [&request](const std::string& what) {
        if (request.refused.empty())
            request.refused = explainMessage(what);
    };
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const std::string &name = parameters[i].first, &value = parameters[i].second;
        const OptionRow* row = linkParameterNamed(name);
        const bool isSwitch = row != nullptr && row->value == OptionValue::none;
        if (row != nullptr && (!isSwitch || value.empty())) { // on, and what it implies, and what that implies
            if (isSwitch && !request.on(row->link))
                request.switches.emplace_back(row->link);
            for (const OptionRow* by = row; by != nullptr && by->implies != nullptr; by = linkParameterNamed(by->implies))
                if (!request.on(by->implies))
                    request.switches.emplace_back(by->implies);
        }
        const bool twice = std::count_if(parameters.begin(), parameters.end(),
                                         [&name](const auto& p) { return p.first == name; }) > 1;
        if (row == nullptr)
            refuse("unknown parameter " + quotedText(name) + "; a link takes " + joined(linkNames()));
        else if (twice)
            refuse("the parameter " + name + " is given twice; a link takes each once");
        else if (isSwitch && !value.empty())
            refuse(name + " takes no value, not " + quotedText(value));
        else {
            if (name == linkPointsName) { // read as a file of them, a line a record
                request.points = value;
                std::replace(request.points->begin(), request.points->end(), ';', '\n');
            }
            if (row->option != nullptr) {
                const std::vector<std::string> words = optionWords(*row, value);
                std::vector<std::string>& part = row->namesSet ? request.set : request.view;
                part.insert(part.end(), words.begin(), words.end());
            }
            continue;
        }
        setRefused |= row == nullptr || row->namesSet;
    }
    if (setRefused)
        request.set.clear();
    return request;
}

std::vector<std::string> linkWords(const LinkParameters& parameters)
{
    std::vector<std::string> words;
    for (const auto& [name, value] : parameters)
        if (const OptionRow* row = linkParameterNamed(name); row != nullptr && row->option != nullptr) {
            const std::vector<std::string> these = optionWords(*row, value);
            words.insert(words.end(), these.begin(), these.end());
        }
    return words;
}

std::vector<std::vector<std::string>> linkOpenings(const LinkRequest& request, const std::string& language)
{
    const std::string lang = linkParameterNamed("lang")->option, step = linkParameterNamed("step")->option;
    std::vector<std::string> kept = {lang, language};
    for (std::size_t i = 0; i + 1 < request.view.size(); i += 2)
        if (request.view[i] != step && parses({request.view[i], request.view[i + 1]}))
            kept.insert(kept.end(), {request.view[i], request.view[i + 1]});
    std::vector<std::string> whole = {lang, language}, named = kept;
    for (const auto* part : {&request.set, &request.view})
        whole.insert(whole.end(), part->begin(), part->end());
    named.insert(named.end(), request.set.begin(), request.set.end());
    return {whole, named, kept};
}

std::string linkAddress(const ShownLink& shown)
{
    const ExplainOptions& o = shown.options;
    std::map<std::string, std::string> values; // by parameter: "" for a switch
    if (o.points) {
        values["points"] = shown.points;
    } else if (o.set) {
        values["set"] = *o.set;
        values["count"] = std::to_string(o.count.value_or(teachingDefaultCount));
        values["dim"] = std::to_string(o.dimension.value_or(defaultDimension));
    } else {
        values["program"] = o.like.value_or(defaultProgram);
    }
    if (shown.seed >= 0)
        values["seed"] = std::to_string(shown.seed);
    if (shown.step > 0)
        values["step"] = std::to_string(shown.step);
    values["lang"] = languageCode(o.language);
    if (o.digits != 0)
        values["digits"] = std::to_string(o.digits);
    for (const std::string& on : shown.switches)
        values[on] = "";
    if (o.questions && *o.questions != defaultQuestionKinds && values.contains("ask"))
        values["questions"] = questionKindsText(*o.questions);
    std::string address;
    for (const OptionRow& row : optionRows()) {
        const auto value = row.link == nullptr ? values.end() : values.find(row.link);
        if (value == values.end() || (row.link == std::string("points") && value->second.empty()))
            continue;
        address += (address.empty() ? "?" : "&") + value->first;
        if (row.value != OptionValue::none) // the points come written as an address carries them
            address += "=" + (row.link == std::string("points") ? value->second : encoded(value->second));
    }
    return address;
}
