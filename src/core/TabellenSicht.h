// Which rows of a grid are shown and in which order: a filter over the cells, a sort by one column.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Tabelle.h"

namespace orvano {

// Case folding for filtering and sorting: a..z and the accented letters (Ä/ä, Ö/ö, Ü/ü, É/é …)
// compare alike. Windows-1252.
char Falten(char c);
std::string FaltenText(std::string_view s);

enum class SortArt { Text, Zahl };

struct SichtWahl {
  std::string filter;      // Windows-1252; empty shows every row
  int filterSpalte = -1;   // -1: every column that is shown and not fixed
  int sortSpalte = -1;     // -1: the grid's own order
  bool absteigend = false;
  SortArt sortArt = SortArt::Text;
};

// True when nothing is filtered and nothing sorted: every row in the grid's order.
bool SichtNeutral(const SichtWahl& w);

// The data rows (1..) of T that pass the filter, in the chosen order. A row passes when one of
// the searched cells contains the filter text after folding. With SortArt::Zahl cells sort by value
// (decimal comma, as the grid writes them); empty cells come first, texts that are no number
// after the numbers. Equal keys keep the grid's order, so descending is the reverse only of unequal keys.
std::vector<int> SichtZeilen(const Tabelle& t, const SichtWahl& w);

}  // namespace orvano
