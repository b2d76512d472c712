// The 17 columns of the main window's postal-code grid and the texts derived from a record.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Felder.h"
#include "core/Records.h"
#include "core/Tabelle.h"

namespace orvano {

constexpr int kPLZSpalten = 17;
// Column of the hidden record index, the link from a grid row to its record.
constexpr int kSpalteIndex = 10;
constexpr int kSpalteOrt = 1;
constexpr int kSpalteStaat = 2;
constexpr int kSpaltePLZ = 6;

// Titles (Windows-1252) and widths from the field table; -1 hides a column.
extern const std::array<const char*, kPLZSpalten> kPLZTitel;
extern const std::array<int, kPLZSpalten> kPLZBreiten;

// The 17 cells of record R with table index K.
std::vector<std::string> PLZZeile(const TPLZRecord& r, std::int32_t k);

// Titles, widths and 17 columns (TabelleKopf / SpaltenEinstellen). The optional columns
// Bundesland, Ortsteil/Stadtteil and Landkreis show only when one of the first ten records
// (of TABELLE[1..ANZAHL]) fills them.
void PLZTabelleKopf(Tabelle& t, const TPLZRecord* tabelle, std::int32_t anzahl);

// Fills the grid from TABELLE[1..ANZAHL]: one row per record, at least one data row.
// FORTSCHRITT gets each record's number.
template <class Fortschritt>
void PLZTabelleFuellen(Tabelle& t, const TPLZRecord* tabelle, std::int32_t anzahl, Fortschritt&& fortschritt) {
  t.setZeilen(std::max(2, anzahl + 1));
  for (std::int32_t k = 1; k <= anzahl; ++k) {
    t.setZeile(k, PLZZeile(tabelle[k], k));
    fortschritt(k);
  }
  if (anzahl == 0) t.zeileLeeren(1);
}

// Window caption with the record count, by the first character of the country text:
// " Deutschland  PLZ Anzahl: n", " Österreich  PLZ Anzahl: n", " Schweiz  PLZ Anzahl:n".
// UTF-8.
std::string AnzahlText(std::string_view landText, int anzahl);

}  // namespace orvano
