// The three maintenance operations on the databases of the current folder and country:
// postal-code optimisation, street optimisation and street sort.
#pragma once

#include <cstdint>
#include <string>

#include "core/Datenbestand.h"
#include "core/Fortschritt.h"

namespace orvano {

struct OptimierungsOptionen {
  // "Speichern j/n": ask before the file is replaced; otherwise it is replaced at once.
  bool plzFragen = false;
  bool strassenFragen = true;
  bool sortierenFragen = false;
  // Date of the backups, "yyyy-mm-dd".
  std::string datum;
};

struct PLZOptErgebnis {
  std::int32_t doppelte = 0;
  bool abgebrochen = false;
  bool gespeichert = false;
};

// Drops every record whose (PLZ, Ort) came before, byte for byte; every record kept gets
// Strassen 0 and AbBisNr 99999999. With duplicates found and the answer Yes the file is backed
// up ("_PO") and replaced. The postal-code table is loaded again in every case.
PLZOptErgebnis PLZOptimieren(Datenbestand& db, const OptimierungsOptionen& o, Fortschritt& f, Rueckfragen& r);

struct StrassenOptErgebnis {
  std::int32_t alt = 0;  // streets loaded before
  std::int32_t neu = 0;  // streets kept
  bool abgebrochen = false;
  bool gespeichert = false;
};

// Regroups the streets in postal-code order: a street goes to the record it belongs to
// (StrassenZuordnung); a StrassenGleich twin of a kept street of that record is dropped, and so
// is a street whose code has no record. Every record gets its street count
// and first position. On Yes the street file is backed up ("_SO") and replaced and the
// postal-code file written; otherwise the postal-code table is loaded again. The street table
// is loaded again in every case.
StrassenOptErgebnis StrassenOptimieren(Datenbestand& db, const OptimierungsOptionen& o, Fortschritt& f, Rueckfragen& r);

struct SortErgebnis {
  bool ausgefuehrt = false;  // both files exist
  bool abgebrochen = false;
  bool gespeichert = false;
  std::int32_t bewegt = 0;   // records that changed their place
};

struct BlockSortErgebnis {
  std::int64_t bewegt = 0;
  bool abgebrochen = false;
};

// The street sort on the records DATEI[1..] of a street file: each of the N postal-code
// records in PLZ sorts its block (AbBisNr, Strassen streets) by SortierName, stably, in table
// order. Progress per record; a cancel leaves the blocks sorted so far.
BlockSortErgebnis StrassenBloeckeSortieren(const RecordFeld<TPLZRecord>& plz, std::int32_t n, RecordFeld<TStrassenRecord>& datei,
                                           Fortschritt& f);

// Sorts the street block of every postal-code record (AbBisNr .. AbBisNr + Strassen - 1) by
// name, a-z as capitals, equal names in file order; whole records move. On Yes the street
// file is backed up ("_SS") and replaced. The street table is loaded again in every case.
SortErgebnis StrassenSortieren(Datenbestand& db, const OptimierungsOptionen& o, Fortschritt& f, Rueckfragen& r);

// The key of a street name in the sort: a-z as capitals, all other bytes as they are.
std::string SortierName(std::string_view name);

// Available memory in KiB (/proc/meminfo), 0 when it cannot be read.
std::int64_t FreierSpeicherKiB();

}  // namespace orvano
