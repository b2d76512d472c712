// Deterministic national-scale sample data for benchmarks and tests.
#pragma once

#include <cstdint>
#include <string>

namespace orvano::testdaten {

struct Optionen {
  std::int32_t plzAnzahl = 20000;
  std::int32_t strassenAnzahl = 1500000;
  std::uint64_t seed = 1;
};

// Writes PROGORDNER/Ord_1/Dat_D.ppp and Strassen_D.ppp (creating the folders). The same
// options always give the same bytes.
void Schreiben(const std::string& progOrdner, const Optionen& optionen);

}  // namespace orvano::testdaten
