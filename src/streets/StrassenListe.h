// The street list of one postal-code record: filled from the loaded table, saved into the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Datenbestand.h"
#include "core/Fortschritt.h"

namespace orvano {

// Cells 1 to 5 of a row of the street window, Windows-1252.
struct StrassenZeile {
  std::string ort, plz, strasse, abNr, bisNr;
  bool operator==(const StrassenZeile&) const = default;
};

TStrassenRecord ZeileZuStrasse(const StrassenZeile& z);

struct StrassenListe {
  std::vector<StrassenZeile> zeilen;  // at least one, unless cancelled
  // File position of each listed street (1-based); empty for the place row of a record without.
  std::vector<std::int32_t> positionen;
  // Update mode found another count or first position and stored it.
  bool zahlenGespeichert = false;
  // Escape was confirmed: the list is partial and must not be saved.
  bool abgebrochen = false;
};

// Every street the save of record SATZ would replace: those of its postal code whose place is
// blank (counted as the record's) or the record's place, in file order. The stored count and
// first position do not limit the list; with AKTUALISIEREN they are stored anew when they differ.
// Without any street, one row with the record's place and code.
StrassenListe StrassenListeFuellen(Datenbestand& db, std::int32_t satz, bool aktualisieren, char land, Fortschritt& f,
                                   Rueckfragen& r);

struct ListenSpeicherung {
  bool angenommen = false;   // the first question was answered Yes
  bool gespeichert = false;  // the street file was replaced
  bool abgebrochen = false;  // Escape was confirmed while writing; nothing was replaced
  bool neuGeladen = false;   // another program had written the files: they were loaded again instead
  std::int32_t strassen = 0;  // the record's streets in the file now
  std::int32_t entfernt = 0;  // entries of the record that the rows replaced
  std::int32_t plzAusgelassen = 0;  // postal-code records without place or code left out
};

// Replaces the streets of record SATZ (as the fill lists them) in the street file by ZEILEN
// (rows without a street name dropped) at the place of the first of them, or after the last
// entry when it had none; entries of other records, also invalid ones, stay where they are.
// Asks "Änderung in Temporäre Datei speichern?" and the question ORDNERTEXT names the file by.
// When another program wrote either file since it was loaded, nothing is written: the user is
// asked whether to load them again (the edits are then lost).
// The file is replaced as a whole; afterwards the street table is loaded again and every
// record's count and first position are made true and saved. Throws DateiFehler.
ListenSpeicherung StrassenListeSpeichern(Datenbestand& db, std::int32_t satz, const std::vector<StrassenZeile>& zeilen,
                                         const std::string& ordnerText, Fortschritt& f, Rueckfragen& r);

// Another record for the window: with letters the first whose place contains TEXT (both in
// lower case, ASCII letters only), otherwise the first whose postal-code text begins with TEXT.
// 0 when none.
std::int32_t SprungZiel(const Datenbestand& db, std::string_view text, char land);

// Rows by column SPALTE (1 to 5) in the street sort's character order, stable.
void ZeilenSortieren(std::vector<StrassenZeile>& zeilen, int spalte, bool absteigend);

}  // namespace orvano
