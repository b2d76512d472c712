// Replacing a text in one field of every record of the current folder's file, without Qt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Fortschritt.h"
#include "editor/EditorSuche.h"

namespace orvano {

class Datenbestand;

// Why column SPALTE of side 1 cannot be replaced in (UTF-8), or empty when it can.
std::string ErsetzenVerboten(EditorArt art, int spalte);

// TEXT with every occurrence of ALT, found regardless of case (Windows-1252 letters), replaced
// by NEU. ALT must not be empty.
std::string AllesErsetzen(std::string_view text, std::string_view alt, std::string_view neu);

struct ErsetzenAenderung {
  std::int64_t nr;
  std::string alt;  // the field before, Windows-1252
  std::string neu;  // after replacing, before it is cut to the field's capacity
  std::int64_t nrInDb;
};
struct ErsetzenErgebnis {
  std::vector<ErsetzenAenderung> aenderungen;
  bool abgebrochen = false;  // nothing to save then, and no list
};

// The temporary file of a run beside the file it is to replace.
std::string ErsetzenTempDatei(const std::string& ziel, EditorArt art);

// Runs over the records of DB's table of ART in their order: where ALT occurs in the field of
// column SPALTE (case-sensitive), every occurrence is replaced (regardless of case) by NEU,
// cut to the field's capacity. TEMP receives the whole file: the records of the table, changed
// or not, at their places (street records the table skipped as invalid stay as they were).
// Progress and "Nr = i von n" every 100 postal codes or 1000 streets. Throws DateiFehler.
ErsetzenErgebnis ErsetzenLaufen(const Datenbestand& db, EditorArt art, int spalte, const std::string& alt,
                                const std::string& neu, const std::string& temp, Fortschritt& f);

// TEMP over ZIEL: a crash leaves the old file or the new one; TEMP is gone afterwards.
// Throws DateiFehler (ZIEL then stays as it was).
void ErsetzenSpeichern(const std::string& temp, const std::string& ziel);

}  // namespace orvano
