// The CSV export at national scale.
#include <benchmark/benchmark.h>

#include "BenchDaten.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Start.h"
#include "exchange/Export.h"

namespace orvano {
namespace {


void BM_Export(benchmark::State& state, ExportArt art) {
  const Datenbestand& db = bench::TabellenLaden();
  ExportOptionen o;
  o.art = art;
  o.plzVorsatz = "D-";
  o.nrVorsatz = "Nr.";
  const std::string datei = bench::ProgrammOrdner() + "export-bench.csv";
  std::int64_t zeilen = 0;
  for (auto _ : state) zeilen = Exportieren(db, datei, o, KeinFortschritt()).zeilen;
  DateiLoeschen(datei);
  state.counters["Zeilen"] = static_cast<double>(zeilen);
}

BENCHMARK_CAPTURE(BM_Export, PLZ, ExportArt::PLZ)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, PLZ_Strassen, ExportArt::PLZStrassen)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, Strassen, ExportArt::Strassen)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvano
