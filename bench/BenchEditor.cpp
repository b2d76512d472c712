// The editor's comparison, new-data search and replace over the national street file.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "BenchDaten.h"
#include "core/Dateien.h"
#include "editor/Ersetzen.h"
#include "editor/Vergleich.h"

namespace orvano {
namespace {

const std::string& StrassenDatei() {
  static const std::string n = bench::ProgrammOrdner() + "Ord_1/Strassen_D.ppp";
  return n;
}

// 1,500,000 equal positions: the whole file without a difference.
void BM_VergleichenGleich(benchmark::State& state) {
  for (auto _ : state) {
    std::int64_t pos = 0;
    benchmark::DoNotOptimize(Vergleichen(StrassenDatei(), StrassenDatei(), EditorArt::Strassen, pos, false, KeinFortschritt()));
  }
}
BENCHMARK(BM_VergleichenGleich)->Unit(benchmark::kMillisecond);

// 1,500,000 streets on each side, every one found in file 2.
void BM_NeueDatenSuchen(benchmark::State& state) {
  const std::string neu = bench::ProgrammOrdner() + "neutemp.tmp";
  for (auto _ : state) {
    benchmark::DoNotOptimize(NeueDatenSuchen(StrassenDatei(), StrassenDatei(), EditorArt::Strassen, neu, KeinFortschritt()).gefunden);
  }
  state.counters["RSS_MB"] = static_cast<double>(bench::ResidentBytes()) / 1e6;
  DateiLoeschen(neu);
}
BENCHMARK(BM_NeueDatenSuchen)->Unit(benchmark::kMillisecond)->Iterations(3);

// "str." by "straße" in every street, and the result written over a copy of the file.
void BM_ErsetzenUndSpeichern(benchmark::State& state) {
  Datenbestand& db = bench::TabellenLaden();
  const std::string kopie = bench::ProgrammOrdner() + "Ord_1/Strassen_Ersetzen.ppp";
  std::size_t aenderungen = 0;
  for (auto _ : state) {
    const std::string temp = ErsetzenTempDatei(kopie, EditorArt::Strassen);
    const ErsetzenErgebnis e = ErsetzenLaufen(db, EditorArt::Strassen, 3, "str.", "stra\xDF" "e", temp, KeinFortschritt());
    ErsetzenSpeichern(temp, kopie);
    aenderungen = e.aenderungen.size();
  }
  state.counters["Aenderungen"] = static_cast<double>(aenderungen);
  std::filesystem::remove(kopie);
}
BENCHMARK(BM_ErsetzenUndSpeichern)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace orvano
