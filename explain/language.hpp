// The languages of closest_explain's texts: the steps, the player's line, the calls under way, the
// keys, the legend, the questions and the listing. The report, the window's title and the messages
// are the same in all. A language is its words' file and a line here.
#pragma once

#include "explain/words.hpp"

#include <optional>
#include <string_view>

enum class Language { sr, en };

struct LanguageName {
    const char* name; // as --lang and the page's lang parameter take it
    Language language;
    const char* ownName; // in its own words
    const Words* words;
};

inline constexpr LanguageName languages[] = {{"sr", Language::sr, "srpski", &serbianWords},
                                             {"en", Language::en, "English", &englishWords}};

// The language of a code, or none.
inline std::optional<Language> languageOf(std::string_view code)
{
    for (const LanguageName& l : languages)
        if (code == l.name)
            return l.language;
    return std::nullopt;
}

// The words of a language.
inline const Words& wordsOf(Language language)
{
    for (const LanguageName& l : languages)
        if (l.language == language)
            return *l.words;
    return *languages[0].words;
}

// The code of a language, as --lang takes it.
inline const char* languageCode(Language language)
{
    for (const LanguageName& l : languages)
        if (l.language == language)
            return l.name;
    return languages[0].name;
}
