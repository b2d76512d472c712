// Loading and saving the shared tables at national scale.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "BenchDaten.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Start.h"

namespace orvano {
namespace {

using bench::KeineFragen;

void Vorbereiten() {
  ProgrammOrdnerSetzen(bench::ProgrammOrdner());
}

void BM_StrassenLaden(benchmark::State& state) {
  Vorbereiten();
  KeineFragen nein;
  double zuwachs = 0, gesamt = 0;
  for (auto _ : state) {
    state.PauseTiming();
    RecordFeld<TStrassenRecord>().swap(StrassenTabelle);
    std::vector<std::int32_t>().swap(StrassenPosition);
    const long vorher = bench::ResidentBytes();
    state.ResumeTiming();
    StrassenLaden(kDeutschland, KeinFortschritt(), nein);
    state.PauseTiming();
    zuwachs = static_cast<double>(bench::ResidentBytes() - vorher);
    gesamt = static_cast<double>(bench::ResidentBytes());
    state.ResumeTiming();
  }
  const double datei = static_cast<double>(StrassenAnzahl(StrassenDateiName(kDeutschland))) * sizeof(TStrassenRecord);
  state.counters["Strassen"] = StrassenZahl;
  state.counters["Zuwachs/Datei"] = zuwachs / datei;
  state.counters["RSS/Datei"] = gesamt / datei;
}

void BM_PLZLaden(benchmark::State& state) {
  Vorbereiten();
  KeineFragen nein;
  for (auto _ : state) PLZLaden(kDeutschland, nein);
  state.counters["PLZ"] = PLZAnzahl;
}

void BM_PLZSpeichern(benchmark::State& state) {
  Vorbereiten();
  KeineFragen nein;
  PLZLaden(kDeutschland, nein);
  // Saves into a copy of the folder's file name, so that the sample data stay as they are.
  OrdnerPfad = "Ord_bench/";
  std::filesystem::create_directories(ProgVerzeichnis + OrdnerPfad);
  for (auto _ : state) PLZSpeichern(kDeutschland);
  state.counters["PLZ"] = PLZAnzahl;
  OrdnerPfad = "Ord_1/";
}

void BM_StrassenIndexAufbauen(benchmark::State& state) {
  Vorbereiten();
  KeineFragen nein;
  if (StrassenZahl == 0) StrassenLaden(kDeutschland, KeinFortschritt(), nein);
  for (auto _ : state) StrassenIndexAufbauen();
  state.counters["Strassen"] = StrassenZahl;
}

BENCHMARK(BM_StrassenIndexAufbauen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrassenLaden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PLZLaden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PLZSpeichern)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvano
