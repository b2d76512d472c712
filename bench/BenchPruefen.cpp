// The duplicate checks at national scale.
#include <benchmark/benchmark.h>

#include "BenchDaten.h"
#include "search/Pruefen.h"
#include "search/Suchen.h"
#include "maps/Karte.h"

namespace orvano {
namespace {

void BM_StrassenDoppelte(benchmark::State& state) {
  const Datenbestand& db = bench::TabellenLaden();
  std::size_t n = 0;
  for (auto _ : state) n = StrassenDoppelte(db, 1, KeinFortschritt()).positionen.size();
  state.counters["Strassen"] = db.StrassenZahl;
  state.counters["doppelt"] = static_cast<double>(n);
}

void BM_PLZDoppelte(benchmark::State& state) {
  const Datenbestand& db = bench::TabellenLaden();
  std::size_t n = 0;
  for (auto _ : state) n = PLZDoppelte(db, 1, KeinFortschritt()).positionen.size();
  state.counters["PLZ"] = db.PLZAnzahl;
  state.counters["doppelt"] = static_cast<double>(n);
}

// A field search over every street, as the search window runs it.
void BM_StrassenFeldSuchen(benchmark::State& state) {
  const Datenbestand& db = bench::TabellenLaden();
  SuchAuftrag a;
  a.plz = false;
  a.feld = "Strasse";
  a.text = "weg";
  std::size_t n = 0;
  for (auto _ : state) n = FeldSuchen(db, a, KeinFortschritt()).positionen.size();
  state.counters["Treffer"] = static_cast<double>(n);
}

void BM_DoppeltePLZ(benchmark::State& state) {
  const Datenbestand& db = bench::TabellenLaden();
  std::size_t n = 0;
  for (auto _ : state) n = DoppeltePLZ(db, 1, KeinFortschritt()).positionen.size();
  state.counters["Zeilen"] = static_cast<double>(n);
}

BENCHMARK(BM_StrassenFeldSuchen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoppeltePLZ)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrassenDoppelte)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PLZDoppelte)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

// The place nearest to a click among the national postal codes.
void BM_NaechsterSatz(benchmark::State& state) {
  const Datenbestand& db = bench::TabellenLaden();
  std::int32_t k = 0;
  for (auto _ : state) k = NaechsterSatz(db, 'D', 50.94, 6.96);
  benchmark::DoNotOptimize(k);
}

BENCHMARK(BM_NaechsterSatz)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvano
