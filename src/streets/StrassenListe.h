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
  std::vector<StrassenZeile> zeilen;  // at least one
  // The record's count and first position were wrong and have been stored anew.
  bool zahlenGespeichert = false;
};

// The streets of record SATZ: from its stored first file position on, at most its stored count
// of them (every street of its code and place with AKTUALISIEREN, the true count and first
// position then stored). A street without a place under the record's code counts as the
// record's place. Without any street, one row with the record's place and code.
StrassenListe StrassenListeFuellen(Datenbestand& db, std::int32_t satz, bool aktualisieren, char land, Rueckfragen& r);

struct ListenSpeicherung {
  bool angenommen = false;   // the first question was answered Yes
  bool gespeichert = false;  // the street file was replaced
  std::int32_t strassen = 0;  // the record's streets in the file now
};

// Replaces the streets of record SATZ in the street file by ZEILEN (rows without a street name
// dropped) at the place of the first of them, or after the last entry when it had none; asks
// "Änderung in Temporäre Datei speichern?" and the question ORDNERTEXT names the file by. The
// file is replaced as a whole; afterwards both tables are loaded again, and with NEUZAEHLEN
// every record's streets are counted anew. Throws DateiFehler.
ListenSpeicherung StrassenListeSpeichern(Datenbestand& db, std::int32_t satz, const std::vector<StrassenZeile>& zeilen,
                                         const std::string& ordnerText, bool neuZaehlen, Fortschritt& f, Rueckfragen& r);

// Another record for the window: with letters the first whose place contains TEXT (both in
// lower case, ASCII letters only), otherwise the first whose postal-code text begins with TEXT.
// 0 when none.
std::int32_t SprungZiel(const Datenbestand& db, std::string_view text, char land);

// Rows by column SPALTE (1 to 5) in the street sort's character order, stable.
void ZeilenSortieren(std::vector<StrassenZeile>& zeilen, int spalte, bool absteigend);

}  // namespace orvano
