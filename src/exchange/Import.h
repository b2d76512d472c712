// Appending the rows of the import table to a postal-code or street file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/AnhangJournal.h"
#include "core/Dateien.h"
#include "core/Fortschritt.h"
#include "core/Schreiber.h"
#include "core/Records.h"
#include "core/Tabelle.h"
#include "exchange/CSVLesen.h"

namespace orvano {

// The record a row of the import table gives (all other bytes zero).
TPLZRecord ImportZeileZuPLZ(const Tabelle& t, int r);
TStrassenRecord ImportZeileZuStrasse(const Tabelle& t, int r);
// The same from the cells of a row in the import table's columns.
TPLZRecord ImportZellenZuPLZ(const std::vector<std::string>& zellen);
TStrassenRecord ImportZellenZuStrasse(const std::vector<std::string>& zellen);

// Rows of T that make records: postal codes with Ort and PLZ, streets with a PLZ of
// 1..99999 and a street name.
std::int64_t ImportGueltigeZeilen(const Tabelle& t, bool plz);
// Rows of T that hold anything at all (the numbered rows of a read).
std::int64_t ImportZeilen(const Tabelle& t);
// "12 Datensätze geschrieben, 3 Zeilen ohne PLZ oder Ort übersprungen" (UTF-8); the reason names
// what a row of the kind needs.
std::string ImportBericht(std::int64_t geschrieben, std::int64_t uebersprungen, bool plz);

struct AnhaengenErgebnis {
  std::int64_t geschrieben = 0;  // records appended
  std::int64_t anfang = 0;       // byte position of the first one: after the last whole record
  std::string zurueckgenommen;   // a killed earlier import of the file that was taken back first
};

// Writes the valid rows of T one after another behind the target's last whole record (a torn
// tail of a cut-off append is written over); the records already there are never touched.
// Progress every 10th row. Holds the target locked; throws DateiFehler, and after a failed
// write the file has its old size again.
AnhaengenErgebnis ImportAnhaengen(const std::string& ziel, bool plz, const Tabelle& t, Fortschritt& fortschritt);

// An append of records of GROESSE bytes to ZIEL behind its last whole record, under its lock
// and a journal (a kill is taken back at the next opening). abschliessen() writes the rest,
// puts the file on disk and drops the journal; an append destroyed before (an exception) leaves
// the file with its old size again. Throws DateiFehler.
class SatzAnhang {
 public:
  SatzAnhang(const std::string& ziel, std::size_t groesse);
  ~SatzAnhang();
  SatzAnhang(const SatzAnhang&) = delete;
  SatzAnhang& operator=(const SatzAnhang&) = delete;

  void hinzufuegen(const void* satz);
  AnhaengenErgebnis abschliessen();

 private:
  std::string ziel_;
  std::size_t groesse_;
  std::optional<SchreibSperre> sperre_;
  int fd_ = -1;
  std::int64_t alteGroesse_ = 0;
  std::string schwanz_;
  std::optional<AnhangJournal> journal_;
  std::optional<Schreiber> schreiber_;
  AnhaengenErgebnis ergebnis_;
};

struct DirektImportErgebnis {
  CSVLeseErgebnis gelesen;
  std::int64_t gueltig = 0;    // rows that make records
  AnhaengenErgebnis anhang;    // when written
};

// CSVLesen and ImportAnhaengen in one pass, for orvano-cli: each row of QUELLE that makes a
// record is appended to ZIEL as it is read (only counted without SCHREIBEN), so that no table
// of the whole file is built. A failed read leaves ZIEL as it was. Throws DateiFehler.
DirektImportErgebnis DirektImportieren(const std::string& quelle, ImportFormat& format, const CSVLeseOptionen& optionen,
                                       const std::string& ziel, bool plz, bool schreiben, Fortschritt& fortschritt);

// The same for any records of GROESSE bytes: SATZ(i, puffer) fills record i (1..ANZAHL) and
// says whether it is written. Journal, lock and rollback as above.
AnhaengenErgebnis SaetzeAnhaengen(const std::string& ziel, std::size_t groesse, std::int64_t anzahl,
                                  const std::function<bool(std::int64_t, void*)>& satz, Fortschritt& fortschritt);

}  // namespace orvano
