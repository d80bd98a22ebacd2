// The kinds of question the page asks before a step shows its result, by the step they ask about,
// and their names as a link and --questions list them ("split,leaf,combine,end").
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class Question { none, split, leaf, strip, compare, combine, end };
inline constexpr int questionKindCount = static_cast<int>(Question::end);

struct QuestionName {
    const char* name;
    Question question;
};

inline constexpr QuestionName questionNames[] = {{"split", Question::split},     {"leaf", Question::leaf},
                                                 {"strip", Question::strip},     {"compare", Question::compare},
                                                 {"combine", Question::combine}, {"end", Question::end}};

// A set of kinds, a bit each.
using QuestionKinds = unsigned;
constexpr QuestionKinds kindBit(Question q) { return 1u << static_cast<int>(q); }

// For homework: a question at each call's start and end and at the end, not at every comparison
// (a strip may hold dozens) nor every strip (many records to choose).
inline constexpr const char* defaultQuestionsText = "split,leaf,combine,end";

// The kinds a list names, each once or more; none for an empty list or an unknown name.
inline std::optional<QuestionKinds> questionKindsOf(std::string_view list)
{
    QuestionKinds kinds = 0;
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        bool known = false;
        for (const QuestionName& q : questionNames)
            if (name == q.name) {
                kinds |= kindBit(q.question);
                known = true;
            }
        if (!known)
            return std::nullopt;
        if (comma == std::string_view::npos)
            return kinds;
        list.remove_prefix(comma + 1);
    }
}

inline const QuestionKinds defaultQuestionKinds = *questionKindsOf(defaultQuestionsText);

// The kinds' names in the table's order, separated by commas.
inline std::string questionKindsText(QuestionKinds kinds)
{
    std::string text;
    for (const QuestionName& q : questionNames)
        if (kinds & kindBit(q.question)) {
            if (!text.empty())
                text += ',';
            text += q.name;
        }
    return text;
}
