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

Datenbestand& Vorbereiten() {
  static Datenbestand db;
  ProgrammOrdnerSetzen(bench::ProgrammOrdner());
  return db;
}

void BM_StrassenLaden(benchmark::State& state) {
  Datenbestand& db = Vorbereiten();
  KeineFragen nein;
  double zuwachs = 0, gesamt = 0;
  for (auto _ : state) {
    state.PauseTiming();
    RecordFeld<TStrassenRecord>().swap(db.StrassenTabelle);
    std::vector<std::int32_t>().swap(db.StrassenPosition);
    const long vorher = bench::ResidentBytes();
    state.ResumeTiming();
    db.StrassenLaden(KeinFortschritt(), nein);
    state.PauseTiming();
    zuwachs = static_cast<double>(bench::ResidentBytes() - vorher);
    gesamt = static_cast<double>(bench::ResidentBytes());
    state.ResumeTiming();
  }
  const double datei = static_cast<double>(StrassenAnzahl(db.StrassenDateiName())) * sizeof(TStrassenRecord);
  state.counters["Strassen"] = db.StrassenZahl;
  state.counters["Zuwachs/Datei"] = zuwachs / datei;
  state.counters["RSS/Datei"] = gesamt / datei;
}

// A change of folder or country, or a reload: the table's memory takes the new file.
void BM_StrassenNeuLaden(benchmark::State& state) {
  Datenbestand& db = Vorbereiten();
  KeineFragen nein;
  if (db.StrassenZahl == 0) db.StrassenLaden(KeinFortschritt(), nein);
  for (auto _ : state) db.StrassenLaden(KeinFortschritt(), nein);
  state.counters["Strassen"] = db.StrassenZahl;
  state.counters["RSS/Datei"] =
      static_cast<double>(bench::ResidentBytes()) / (static_cast<double>(StrassenAnzahl(db.StrassenDateiName())) * sizeof(TStrassenRecord));
}

void BM_PLZLaden(benchmark::State& state) {
  Datenbestand& db = Vorbereiten();
  KeineFragen nein;
  for (auto _ : state) db.PLZLaden(nein);
  state.counters["PLZ"] = db.PLZAnzahl;
}

void BM_PLZSpeichern(benchmark::State& state) {
  Vorbereiten();
  KeineFragen nein;
  // Saves into a file of its own, so that the sample data stay as they are.
  std::filesystem::create_directories(ProgVerzeichnis + "Ord_bench");
  std::filesystem::copy_file(ProgVerzeichnis + "Ord_1/Dat_D.ppp", ProgVerzeichnis + "Ord_bench/Dat_D.ppp",
                             std::filesystem::copy_options::overwrite_existing);
  Datenbestand kopie;
  kopie.OrdnerPfad = "Ord_bench/";
  kopie.PLZLaden(nein);
  for (auto _ : state) kopie.PLZSpeichern();
  state.counters["PLZ"] = kopie.PLZAnzahl;
}

void BM_StrassenIndexAufbauen(benchmark::State& state) {
  Datenbestand& db = Vorbereiten();
  KeineFragen nein;
  if (db.StrassenZahl == 0) db.StrassenLaden(KeinFortschritt(), nein);
  for (auto _ : state) db.StrassenIndexAufbauen();
  state.counters["Strassen"] = db.StrassenZahl;
}

BENCHMARK(BM_StrassenIndexAufbauen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrassenLaden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrassenNeuLaden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PLZLaden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PLZSpeichern)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvano
