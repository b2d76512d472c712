// Splitting delimited lines and the small list routines behind combos and column titles.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvano {

// Pieces of S between the occurrences of TRENNER. MAX > 0 keeps only the first MAX pieces
// that end in a separator; MAX = 0 means no limit; MAX < 0 or an empty S gives no piece.
std::vector<std::string> TextTeilen(std::string_view trenner, std::string_view s, int max);

// Lowest index whose text equals S with a..z folded; -1 when S is blank or not found.
std::int32_t TeilIndex(const std::vector<std::string>& teile, std::string_view s);

// Index of the first item equal to TEXT; 0 when none.
std::int32_t EintragIndex(const std::vector<std::string>& eintraege, std::string_view text);

// Orders combo items such as "Ord_2", "Ord_10" by the digits at their 4th and 5th character
// (a stable order otherwise) and returns the new first item, empty for an empty list.
std::string EintraegeNachNummerSortieren(std::vector<std::string>& eintraege);

// True when the file name ends in ".CSV" (any case).
bool IstCSVName(std::string_view dateiName);

// Field separator for an import or export file. A non-empty SEPARATORBOX wins ("#9" is a
// tab); otherwise ";" for ".CSV" (any case) and a tab for any other name, and the box is
// given that default ("#9" for the tab).
std::string Trennzeichen(std::string_view dateiName, std::string& separatorBox);

}  // namespace orvano
