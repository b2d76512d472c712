// The national-scale program folder the benchmarks work on.
#pragma once

#include "core/Datenbestand.h"

#include <string>

#include "core/Fortschritt.h"

namespace orvano::bench {

// $ORVANO_BENCHDATEN when set (./benchmark fills it once), else a folder generated on first use
// with 20,000 postal codes and 1,500,000 streets.
const std::string& ProgrammOrdner();

// Questions answered No, messages dropped: nothing waits for a user.
class KeineFragen : public Rueckfragen {
 public:
  void meldung(const std::string&) override {}
  bool frage(const std::string&) override { return false; }
};

// Resident set size of this process in bytes.
long ResidentBytes();

// Points the data store at the benchmark folder and loads its German postal codes and,
// unless they are loaded already, its streets.
Datenbestand& TabellenLaden();

}  // namespace orvano::bench
