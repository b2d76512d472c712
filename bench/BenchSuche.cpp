// The radius search and the address check at national scale.
#include <benchmark/benchmark.h>

#include "BenchDaten.h"
#include "search/AdressPruefung.h"
#include "search/Umkreis.h"

namespace orvano {
namespace {

void BM_Umkreis(benchmark::State& state) {
  const Datenbestand& db = bench::TabellenLaden();
  const TPLZRecord& mitte = db.PLZTabelle[1];
  std::size_t treffer = 0;
  for (auto _ : state) treffer = Umkreis(db, mitte.Breitengrad, mitte.Laengengrad, static_cast<double>(state.range(0))).size();
  state.counters["Treffer"] = static_cast<double>(treffer);
}
BENCHMARK(BM_Umkreis)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_AdressPrueferAufbauen(benchmark::State& state) {
  const Datenbestand& db = bench::TabellenLaden();
  for (auto _ : state) {
    const AdressPruefer p(db);
    benchmark::DoNotOptimize(&p);
  }
}
BENCHMARK(BM_AdressPrueferAufbauen)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvano
