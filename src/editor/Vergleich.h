// Comparing two record files position by position, and finding the records of one that the
// other lacks; without Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/Fortschritt.h"
#include "core/Records.h"
#include "editor/EditorSuche.h"

namespace orvano {

// Equal records: postal codes in all fields but Reserve, Strassen and AbBisNr; streets in
// PLZ, Ort, Strasse, AbNr and BisNr. Texts by their counted characters, numbers by value.
bool PLZGleich(const TPLZRecord& a, const TPLZRecord& b);
bool StrassenGleich(const TStrassenRecord& a, const TStrassenRecord& b);

// What the comparison and the new-data search refuse, before they read anything.
enum class VergleichsPruefung { Ok, ArtVerschieden, Ordner1Leer, Ordner2Leer, GleicheDatei };
struct VergleichsSeite {
  std::string ordner;  // empty when none is chosen
  std::string land;    // Windows-1252 country text
  EditorArt art = EditorArt::PLZ;
};
VergleichsPruefung VergleichPruefen(const VergleichsSeite& eins, const VergleichsSeite& zwei);
// The message of a refusal ("Datei 1 = Datei 2", …).
std::string VergleichsMeldung(VergleichsPruefung p);

// The next position from POSITION on (forward: after it; backward: at and before it) where
// the records of the two files differ, within the shorter file. POSITION takes the step and
// keeps it when nothing differs; at a difference it becomes that position. Returns the
// position, 0 when none differs, -1 when cancelled. Throws DateiFehler.
std::int64_t Vergleichen(const std::string& datei1, const std::string& datei2, EditorArt art, std::int64_t& position,
                         bool rueckwaerts, Fortschritt& f);

struct NeueDaten {
  std::int64_t gefunden = 0;
  bool abgebrochen = false;  // the records found up to then are in the file
};
// Writes to AUSGABE every record of DATEI1, in its order, that no record of DATEI2 equals
// (all of them when DATEI2 is missing). Throws DateiFehler.
NeueDaten NeueDatenSuchen(const std::string& datei1, const std::string& datei2, EditorArt art, const std::string& ausgabe,
                          Fortschritt& f);

// Appends the records of QUELLE to ZIEL (created when missing). ZIEL is written anew and
// renamed over the old one: a crash leaves the old file or the whole new one. Returns the
// records appended. Throws DateiFehler.
std::int64_t RecordsAnhaengen(const std::string& quelle, const std::string& ziel, EditorArt art, Fortschritt& f);

}  // namespace orvano
