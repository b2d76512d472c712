// Recounting each postal-code record's streets and the file position of its first one.
#pragma once

#include <cstdint>

#include "core/Datenbestand.h"
#include "core/Fortschritt.h"

namespace orvano {

struct ZaehlErgebnis {
  bool abgebrochen = false;
  // Records whose count or first position the recount changed.
  std::int32_t geaendert = 0;
};

// Sets Strassen and AbBisNr of every postal-code record in the table: a street counts for the
// one record it belongs to (StrassenZuordnung); AbBisNr is the street file position of the
// record's first street (99999999 for none). Progress every 5000 streets; a cancel leaves the table half counted.
ZaehlErgebnis StrassenNeuZaehlen(Datenbestand& db, Fortschritt& f);

// The recount with its status texts: completed, the postal-code file is written; cancelled,
// it is loaded again. Throws DateiFehler.
ZaehlErgebnis StrassenZaehlen(Datenbestand& db, Fortschritt& f, Rueckfragen& r);

}  // namespace orvano
