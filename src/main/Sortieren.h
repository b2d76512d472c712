// Sorting the rows of the postal-code grid by one column, and the quick search over it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Tabelle.h"

namespace orvano {

// Columns sorted as numbers: Breitengrad, Längengrad, Strassen.
bool NumerischeSpalte(int spalte);

// Sorts data rows 1.. by column SPALTE (whole rows move). Numeric columns: left button
// descending, right ascending; text columns the other way round. Text keys compare by
// Windows-1252 codes with a..z upper-cased; a numeric column falls back to text when one
// of its keys is not a whole 32-bit number after scaling by 1,000,000. Column 0 is renumbered.
void TabelleSortieren(Tabelle& t, int spalte, bool linkeMaus);

// The first row from START on whose cell in SPALTE matches NADEL: equal with GENAU, else
// starting with it (an empty needle then matches only empty cells). Comparison lower-cases
// a..z only. 0 when no row matches.
int SchnellsucheZeile(const Tabelle& t, int spalte, int start, std::string_view nadel, bool genau);

// The same over the rows REIHE (table rows in the order shown; positions count from 1): the
// first position from START on that matches, or with RUECKWAERTS the last one up to START.
// 0 when none does.
int SchnellsuchePosition(const Tabelle& t, const std::vector<int>& reihe, int spalte, int start, std::string_view nadel,
                         bool genau, bool rueckwaerts);

// The first position from START (0-based) of a street list matching as above, or -1; an
// empty needle matches nothing here.
// With RUECKWAERTS the last matching position up to START.
int SchnellsucheListe(const std::vector<std::string>& liste, int start, std::string_view nadel, bool genau,
                      bool rueckwaerts = false);

}  // namespace orvano
