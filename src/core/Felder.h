// The fields of the two record kinds as every table shows them: title, capacity, and how a
// cell reads and writes the record. Postal codes: the main grid and the import table share
// the columns 1..14 (the grid adds the street count and the house-number mark). Streets: each
// table places the fields in columns of its own.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "Records.h"
#include "Tabelle.h"

namespace orvano {

struct PLZFeld {
  const char* titel;  // Windows-1252
  int spalte;         // column in the main grid and the import table
  int breite;         // width in the main grid; -1 hides the column
  int kapazitaet;     // characters the record holds; 0 for a number
  bool import;        // part of the import table
  std::string (*zelle)(const TPLZRecord& r);
  // From a cell's text: texts are cut to the capacity, a blank number cell gives 0.
  void (*setzen)(TPLZRecord& r, std::string_view text);
};

inline constexpr int kPLZFeldZahl = 15;
// In column order.
const std::array<PLZFeld, kPLZFeldZahl>& PLZFelder();
// The field of column SPALTE, or null.
const PLZFeld* PLZFeldDerSpalte(int spalte);

// A record (all zero but what the cells give) from row R of a table with these columns; the
// street count and the house-number mark only for the main grid (MITZAEHLERN).
TPLZRecord PLZAusZeile(const Tabelle& t, int r, bool mitZaehlern);
// The same from the cells of one row (by column; missing ones are empty), without the counters.
TPLZRecord PLZAusZellen(const std::vector<std::string>& zellen);

struct StrassenFeld {
  const char* titel;  // Windows-1252
  int kapazitaet;     // characters the record holds; 0 for a number
  // LAND: the country letter ('D', 'A', 'C'), which decides how a postal code is written.
  std::string (*zelle)(const TStrassenRecord& s, char land);
  void (*setzen)(TStrassenRecord& s, std::string_view text);
};

enum StrassenFeldNr { kStrFeldOrt, kStrFeldPLZ, kStrFeldStrasse, kStrFeldAbNr, kStrFeldBisNr, kStrassenFeldZahl };
const std::array<StrassenFeld, kStrassenFeldZahl>& StrassenFelder();

// Columns of the fields in the import table.
inline constexpr std::array<int, kStrassenFeldZahl> kImportStrassenSpalten = {1, 6, 15, 16, 17};

// A street (all zero but what the cells give) from row R, the fields taken from SPALTEN.
TStrassenRecord StrasseAusZeile(const Tabelle& t, int r, const std::array<int, kStrassenFeldZahl>& spalten);
TStrassenRecord StrasseAusZellen(const std::vector<std::string>& zellen, const std::array<int, kStrassenFeldZahl>& spalten);

}  // namespace orvano
