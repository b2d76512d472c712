// The current data: folder, country, the postal-code and street tables loaded from it, the
// street index and the unsaved-edit flag, with loading and saving. The main window owns the
// one instance; other windows and orvano-cli get it (or a folder and country) as a parameter.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Dateien.h"
#include "Fortschritt.h"
#include "Pfade.h"
#include "RecordDatei.h"
#include "Records.h"
#include "StrassenVerzeichnis.h"

namespace orvano {

struct StrassenLadeErgebnis {
  bool vorhanden = false;        // the street file exists
  std::int32_t ungueltig = 0;    // invalid records found in the file
  bool bereinigt = false;        // they were removed from the file
};

class Datenbestand {
 public:
  Datenbestand();

  // Current data folder relative to ProgVerzeichnis, with a trailing separator.
  std::string OrdnerPfad{kStandardOrdner};
  // Windows-1252 text of the current country ("Deutschland", "\xD6sterreich", "Schweiz").
  std::string Land{kDeutschland};

  // 1-based: element 0 exists and is never used. Replaced wholesale by every load.
  RecordFeld<TPLZRecord> PLZTabelle;
  std::int32_t PLZAnzahl = 0;
  // Only valid streets, in file order, at 1..StrassenZahl; empty when there is no street file.
  RecordFeld<TStrassenRecord> StrassenTabelle;
  std::int32_t StrassenZahl = 0;
  // StrassenPosition[k]: 1-based record number in the street file of StrassenTabelle[k].
  // Invalid records are skipped on loading, so k and the file position differ after one.
  std::vector<std::int32_t> StrassenPosition;
  // Export line count: sum over all postal codes of max(1, Strassen).
  std::int32_t ZeilenGesamt = 0;
  // The user has edited the data since the last save.
  bool Geaendert = false;

  // "Ord_1": the folder without its separator.
  std::string OrdnerName() const;
  // The two database files of the current folder and country; the postal-code name is empty
  // for an unknown country.
  std::string PLZDateiName() const;
  std::string StrassenDateiName() const;
  // The files the tables were last loaded from; empty before the first load.
  const std::string& plzDatei() const { return plzDatei_; }
  const std::string& strassenDatei() const { return strassenDatei_; }
  // True when DATEI is one of the two files the tables hold (so writing it needs a reload).
  bool HaeltDatei(const std::string& datei) const;
  // The file on disk is no longer the one the table was loaded from or last saved to: another
  // program (or orvano-cli) wrote it meanwhile.
  bool PLZDateiVeraendert() const;
  bool StrassenDateiVeraendert() const;
  // "Die Datei … wurde inzwischen von einem anderen Programm geändert."
  static std::string VeraendertText(const std::string& datei);
  // Before a write that goes by the loaded table's positions: throws DateiFehler when another
  // program wrote the file since (nothing is written then).
  void MussUnveraendertSein(bool plz) const;
  // This program wrote the file in place, by the table: the table describes it still.
  void SelbstGeschrieben(bool plz);

  // Loads every record of the postal-code file, in use or not. A missing file gives the
  // not-found message and an empty table (false). Throws DateiFehler when the file cannot be
  // read; the table is then empty.
  bool PLZLaden(Rueckfragen& rueckfragen);
  // Writes the records in use to the file the table was loaded from, replacing it as a whole;
  // records not in use are dropped unless LEEREBEHALTEN. Clears Geaendert. Throws DateiFehler;
  // the file then stays as it was and Geaendert stays set.
  void PLZSpeichern(bool leereBehalten = false);
  // The content PLZSpeichern writes, for a write that puts it in place some other way.
  void PLZSchreiben(Schreiber& s, bool leereBehalten) const;
  // The same, but records without place or code are never dropped without a word: when the file
  // held such records already on loading (nobody emptied them here), asks whether to remove
  // them and keeps them on No (then without asking again for that file). Returns the number of
  // records left out.
  std::int32_t PLZSpeichern(Rueckfragen& rueckfragen);
  // Records of the table without place or postal code.
  std::int32_t PLZLeereSaetze() const;
  // How many of them the file held when it was loaded.
  std::int32_t PLZLeereGeladen() const { return leereGeladen_; }

  // Loads the valid streets of the street file (silently nothing when it is missing), with
  // progress every 1000 records. When invalid records were skipped, asks once
  // "Leere Einträge in Strassen-DB löschen?"; on Yes the file is rewritten without them and
  // loaded again. Without FRAGEN they stay, and so they do for a file whose entries the user
  // chose to keep before (the question comes once per file). Throws DateiFehler.
  StrassenLadeErgebnis StrassenLaden(Fortschritt& fortschritt, Rueckfragen& rueckfragen, bool fragen = true);
  // Writes StrassenTabelle[1..StrassenZahl] (valid records only) to the file it was loaded from.
  void StrassenSpeichern(Fortschritt& fortschritt);
  // Empties the street table and its index.
  void StrassenLeeren();

  // Same streets, same order as a scan of StrassenTabelle[1..StrassenZahl] for PLZ would give.
  StrassenBereich StrassenNachPLZ(std::int32_t plz) const { return verzeichnis_.bereich(plz); }
  // Rebuilds that index; StrassenLaden does it, and so must anyone who changes the street table.
  void StrassenIndexAufbauen();

 private:
  std::int32_t StrassenEinlesen(const std::string& datei, Fortschritt& fortschritt, RecordFeld<TStrassenRecord>&& wieder = {});
  void StrassenSchreiben(const std::string& datei, Fortschritt& fortschritt) const;

  std::string plzDatei_;
  std::string strassenDatei_;
  std::int32_t leereGeladen_ = 0;
  DateiKennung plzKennung_, strassenKennung_;
  // Files whose invalid streets, or postal-code records without place, the user chose to keep.
  std::string strassenBehalten_, plzBehalten_;
  StrassenVerzeichnis verzeichnis_;
};

// Part of the question of PLZSpeichern(Rueckfragen&) about records without place or code.
inline constexpr const char* kOhneOrtOderPLZ = " ohne Ort oder PLZ.";

// A maintenance operation is rewriting the tables: grids skip their own cell painting.
extern bool ArbeitLaeuft;

namespace testhaken {
// Called with the file's name after a table was read from it (tests pause a writer there).
extern std::function<void(const std::string& datei)> NachDemLaden;
}  // namespace testhaken

// "Datei " + path + " nicht gefunden"
std::string NichtGefundenText(const std::string& datei);

}  // namespace orvano
