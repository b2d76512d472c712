// Editing postal-code records: key rules of the record view and the grid, and records built
// from the screen.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/Records.h"
#include "core/Tabelle.h"

namespace orvano {

// The twelve fields of the record view, in their Enter order.
enum MaskenFeld {
  kFeldOrt, kFeldPLZ, kFeldAutokennzeichen, kFeldBundesland, kFeldRegierungsbezirk, kFeldOrtsteil,
  kFeldGemeindeteil, kFeldLandkreis, kFeldVerwaltungszusammenschluss, kFeldBreitengrad, kFeldLaengengrad,
  kFeldVorwahl, kMaskenFelder
};

// Windows-1252 texts of the twelve fields.
using MaskenTexte = std::array<std::string, kMaskenFelder>;

// Label of a field without colon ("PLZ", "Längengrad"), UTF-8.
const char* FeldName(int feld);
// Grid column a field stands for, and the field's name in the quick-search hint.
int FeldSpalte(int feld);

// The typed character as the record view lets it in (0: refused). TEXT is the field's text
// before the key.
char MaskenTaste(int feld, std::string_view text, char taste);
// The typed character as grid column SPALTE lets it in; TEXT is the cell's text so far.
char GridTaste(int spalte, std::string_view text, char taste);

// Column Enter moves to from SPALTE: the next column to the right with a width of at least 0
// and before the last column; -1 when the cursor has to go to the next row instead.
int NaechsteEnterSpalte(const Tabelle& t, int spalte);

// A record built from grid row R (an all-zero record filled from the cells).
TPLZRecord ZeileZuDatensatz(const Tabelle& t, int r);

// Why TEXT cannot stand in grid column SPALTE (PLZ and Vorwahl: digits; Breitengrad -90..90,
// Längengrad -180..180, decimal comma), or empty when it can (an empty cell can). UTF-8.
std::string WertPruefen(int spalte, std::string_view text);
// Checks the number fields before anything is copied: the empty text when all can be read,
// else a message naming the first field that cannot (UTF-8, CR between the lines).
std::string MaskePruefen(const MaskenTexte& felder);
// The same for every row of the grid: the message names the row and field of the first bad cell.
std::string TabellePruefen(const Tabelle& t);
// Copies the fields into R; the number fields must have passed MaskePruefen.
void MaskeZuDatensatz(const MaskenTexte& felder, TPLZRecord& r);

}  // namespace orvano
