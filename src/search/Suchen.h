// The searches of the search window over a whole table, the rows they give, and writing
// marked rows back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Datenbestand.h"
#include "core/Fortschritt.h"
#include "core/Tabelle.h"

namespace orvano {

struct SuchAuftrag {
  bool plz = true;      // postal codes, else streets
  std::string feld;     // combo text (UTF-8): "Ort", "Postleitzahl", "Strasse", "Ab", ...
  std::string text;     // Windows-1252
  bool genau = false;
  std::string feld2;    // empty: no second condition
  std::string text2;
  std::int32_t start = 1;
};

struct SuchErgebnis {
  // 1-based table positions, one row each, in table order. For "2xPLZ" a position may come
  // more than once; markiert says which rows carry the mark.
  std::vector<std::int32_t> positionen;
  std::vector<bool> markiert;
  bool abgebrochen = false;
};

// The field lists of the combos (UTF-8).
const std::vector<std::string>& PLZSuchFelder();     // "2xPLZ", "Ort", ... "Strassen"
const std::vector<std::string>& StrassenSuchFelder();  // "PLZ", "Ort", "Strasse", "Ab", "Bis"

// The value of a field as the search compares and shows it: numbers as plain integers,
// coordinates in the program's decimal form, texts as stored. Empty for an unknown field.
std::string SuchWert(const TPLZRecord& r, const std::string& feld);
std::string SuchWert(const TStrassenRecord& s, const std::string& feld);

// The field search: V1 equals (genau) or contains the text; with a second condition a
// non-empty V2 must begin with text2. Escape asks through F.
SuchErgebnis FeldSuchen(const Datenbestand& db, const SuchAuftrag& a, Fortschritt& f);
// "2xPLZ": records of one PLZ whose Ort without blanks, a-z capitalised, is the same; every
// record is listed once per later twin and marked once.
SuchErgebnis DoppeltePLZ(const Datenbestand& db, std::int32_t start, Fortschritt& f);

// The 19 cells of a result row (column 18 the mark " X").
std::vector<std::string> PLZSuchZeile(const TPLZRecord& r, std::int32_t pos);
// The country letter ('D', 'A', 'C') of DB's tables, for the street rows below; 0 when unset.
char SuchLand(const Datenbestand& db);
// A street's postal code as its country writes it: LAND 'D' gives German codes their leading zero.
std::vector<std::string> StrassenSuchZeile(const TStrassenRecord& s, std::int32_t pos, char land = 0);

constexpr int kSuchSpalten = 19;
constexpr int kSuchSpalteDBNr = 10;
constexpr int kSuchSpalteMarke = 18;
inline constexpr const char* kMarke = " X";

// Rows of T (1..n) whose mark is set.
std::vector<int> MarkierteZeilen(const Tabelle& t);
// Marked rows whose "Postleitzahl" or column-15 cell is empty: their records are deleted.
std::vector<int> GeleerteZeilen(const Tabelle& t);

// Writes the marked rows back in place: each record as stored, with the cells the user
// changed applied, at its position in the file (for streets the file position kept by the
// loading, not the table index). Returns how many records were written.
std::int32_t ZeilenZurueckschreiben(Datenbestand& db, bool plz, const Tabelle& t, Fortschritt& f);
// Rewrites the file without the records of ZEILEN (crash-safe); returns how many went.
std::int32_t ZeilenLoeschen(Datenbestand& db, bool plz, const Tabelle& t, const std::vector<int>& zeilen, Fortschritt& f);

}  // namespace orvano
