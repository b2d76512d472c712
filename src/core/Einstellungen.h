// The settings file einstPLZ.frb: the user's last choices, one value a line.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace orvano {

constexpr const char* kEinstellungsDatei = "einstPLZ.frb";

struct Einstellungen {
  // Item index of the country combo: 0 Deutschland, 1 Österreich, 2 Schweiz.
  int land = 0;
  bool tabellenAnsicht = false;
  double kartenMassstab = 1.0;
  bool reserve = false;  // kept and written back, no function
  int importFormat = 0;  // item index of the import window's format combo
  int routenplaner = 0;
  // edAusgangsort, edAusgangsortPLZ, edAusgangsortStrasse, edZielort, edZielortPLZ,
  // edZielortStrasse; Windows-1252 like every field text.
  std::array<std::string, 6> routenFelder;
  // Data folder in use at exit, e.g. "Ord_2" (a native file name).
  std::string letzterOrdner;
};

// Reads DATEI; defaults for a missing file. Reading stops silently at the first line that
// is missing or cannot be read and keeps what was read before. A saved Schweiz (2) starts
// with Deutschland, as does an unselected or unknown country.
Einstellungen EinstellungenLaden(const std::string& datei);

// Writes the 13 lines (Windows-1252, CR LF). Returns false when the file could not be
// written; the old file then stays as it was.
bool EinstellungenSpeichern(const std::string& datei, const Einstellungen& e);

}  // namespace orvano
