// The legend of a step's picture: a line for each thing of the palette that the picture shows,
// saying its colour and mark and what it stands for, in the language.
#pragma once

#include "explain/language.hpp"
#include "explain/picture.hpp"

#include <string>
#include <vector>

// In the palette's order.
std::vector<std::string> legendLines(const StepPicture& picture, Language language);

// "Legenda" or "Legend", above the lines.
const char* legendTitle(Language language);
