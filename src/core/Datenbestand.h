// The in-memory postal-code and street tables of the current country and folder, with
// loading and saving.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Fortschritt.h"
#include "RecordDatei.h"
#include "Records.h"

namespace orvano {

// 1-based: element 0 exists and is never used. Replaced wholesale by every load.
extern RecordFeld<TPLZRecord> PLZTabelle;
extern std::int32_t PLZAnzahl;
// Only valid streets, in file order, at 1..StrassenZahl; empty when there is no street file.
extern RecordFeld<TStrassenRecord> StrassenTabelle;
extern std::int32_t StrassenZahl;
// StrassenPosition[k]: 1-based record number in the street file of StrassenTabelle[k].
// Invalid records are skipped on loading, so k and the file position differ after one.
extern std::vector<std::int32_t> StrassenPosition;
// The street-table indexes of one postal code, in street-table order.
struct StrassenBereich {
  const std::int32_t* anfang = nullptr;
  const std::int32_t* ende = nullptr;
  std::size_t size() const { return static_cast<std::size_t>(ende - anfang); }
  bool empty() const { return anfang == ende; }
  const std::int32_t* begin() const { return anfang; }
  const std::int32_t* end() const { return ende; }
};
// Same streets, same order as a scan of StrassenTabelle[1..StrassenZahl] for PLZ would give.
StrassenBereich StrassenNachPLZ(std::int32_t plz);
// Rebuilds that index; StrassenLaden does it, and so must anyone who changes the street table.
void StrassenIndexAufbauen();

// Export line count: sum over all postal codes of max(1, Strassen).
extern std::int32_t ZeilenGesamt;
// The user has edited the main window's data since the last save.
extern bool Geaendert;
// A maintenance operation is rewriting the tables: grids skip their own cell painting.
extern bool ArbeitLaeuft;

// "Datei " + path + " nicht gefunden"
std::string NichtGefundenText(const std::string& datei);

// Loads every record of the country's postal-code file, in use or not. A missing file gives
// the not-found message and an empty table (false). Throws DateiFehler when the file cannot
// be read; the table is then empty.
bool PLZLaden(std::string_view landText, Rueckfragen& rueckfragen);

// Writes the records in use to the country's postal-code file, replacing it as a whole;
// records not in use are dropped. Clears Geaendert. Throws DateiFehler; the file then stays
// as it was.
void PLZSpeichern(std::string_view landText);

struct StrassenLadeErgebnis {
  bool vorhanden = false;        // the street file exists
  std::int32_t ungueltig = 0;    // invalid records found in the file
  bool bereinigt = false;        // they were removed from the file
};

// Loads the valid streets of the country's street file (silently nothing when it is missing),
// with progress every 1000 records. When invalid records were skipped, asks once
// "Leere Einträge in Strassen-DB löschen?"; on Yes the file is rewritten without them and
// loaded again. Throws DateiFehler.
StrassenLadeErgebnis StrassenLaden(std::string_view landText, Fortschritt& fortschritt, Rueckfragen& rueckfragen);

// Writes StrassenTabelle[1..StrassenZahl] (valid records only) to DATEI as a whole.
void StrassenSpeichern(const std::string& datei, Fortschritt& fortschritt);

}  // namespace orvano
