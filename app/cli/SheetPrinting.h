#pragma once
// A result as vext-cli prints it on a terminal: the page's list, its titles and spacers in place.
#include <string>

#include "results/ResultSheet.h"

namespace cli {

// Prints the summary line under `heading` ("Your System", "Loaded System"), then the page's list.
void PrintSheet(const char* heading, const results::ResultSheet& sheet);

// Prints the titles and spacers of the page's list that come before `row` and have not been printed
// (`next` is the first of those), then returns the row's label as the list shows it.
std::string TitlesThenLabel(const results::ResultSheet& first, const results::ResultRow& row, int& next);

}  // namespace cli
