// A short listing of the divide and conquer as this code runs it (search/divide.hpp), numbered
// from 1, and the line that each kind of step is at. ASCII only: the window's font has no other
// characters.
#pragma once

#include "explain/language.hpp"
#include "explain/steps.hpp"

#include <string>
#include <vector>

// The listing's lines, without their numbers; both languages have the same lines in the same order.
const std::vector<std::string>& listingLines(Language language);

// The number (from 1) of the listing line that step is at.
int listingLine(const Step& step);
