// Which postal-code record a street belongs to: one rule for the record view, the exports, the
// counts and the optimisation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "RecordDatei.h"
#include "Records.h"
#include "StrassenVerzeichnis.h"

namespace orvano {

// A street belongs to the first record in use (in table order) with its PLZ whose Ort is
// TexteGleich to the street's; a street with a blank place, or with a place no record of its
// code has, belongs to the first record in use of its code. So every street of a code that has
// a record belongs to exactly one record.
class StrassenZuordnung {
 public:
  // Over the records 1..N of PLZ.
  StrassenZuordnung(const RecordFeld<TPLZRecord>& plz, std::int32_t n);
  // Only the records of code NURPLZ (for one record view); other codes own nothing.
  StrassenZuordnung(const RecordFeld<TPLZRecord>& plz, std::int32_t n, std::int32_t nurPLZ);

  // The table index of the owning record, 0 when no record in use has the code.
  std::int32_t besitzer(std::int32_t plz, std::string_view ort) const;
  std::int32_t besitzer(const TStrassenRecord& s) const;
  // Counts street S, lying at file position POSITION, for the record of PLZ (the table this was
  // built from) it belongs to: Strassen + 1, AbBisNr the lowest such position.
  void zaehlen(RecordFeld<TPLZRecord>& plz, const TStrassenRecord& s, std::int32_t position) const;

 private:
  void aufnehmen(const RecordFeld<TPLZRecord>& plz, std::int32_t k);
  void abschliessen();

  struct Kandidat {
    std::int32_t plz, satz;
    std::uint32_t ortAnfang, ortEnde;  // comparison text in orte_
    KurzText<40> ort;                  // the record's own bytes
  };
  // kandidaten_[erste_[p] .. erste_[p + 1]) are the records of code p, in table order.
  std::vector<Kandidat> kandidaten_;
  std::vector<std::int32_t> erste_;
  std::int32_t nurPLZ_ = -1;
  std::string orte_;
  mutable std::string puffer_;
};

// The streets 1..StrassenZahl of TABELLE grouped by the record they belong to: bereich(k) lists
// the table indexes of record k's streets in table order.
StrassenVerzeichnis StrassenNachBesitzer(const RecordFeld<TPLZRecord>& plz, std::int32_t plzAnzahl,
                                         const RecordFeld<TStrassenRecord>& tabelle, std::int32_t strassenZahl);

}  // namespace orvano
