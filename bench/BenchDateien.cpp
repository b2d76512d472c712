// Reading and writing whole record files at national scale.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>

#include "BenchDaten.h"
#include "core/RecordDatei.h"
#include "core/Records.h"
#include "core/SeitenDatei.h"
#include "editor/EditorSuche.h"

namespace orvano {
namespace {

const std::string& StrassenDatei() {
  static const std::string n = bench::ProgrammOrdner() + "Ord_1/Strassen_D.ppp";
  return n;
}
const std::string& PLZDatei() {
  static const std::string n = bench::ProgrammOrdner() + "Ord_1/Dat_D.ppp";
  return n;
}

template <class T>
void Lesen(benchmark::State& state, const std::string& datei) {
  std::size_t n = 0;
  for (auto _ : state) {
    auto tabelle = TabelleLesen<T>(datei);
    n = tabelle.size() - 1;
    benchmark::DoNotOptimize(tabelle.data());
  }
  state.counters["Datensaetze"] = static_cast<double>(n);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * n * sizeof(T)));
}

template <class T>
void Schreiben(benchmark::State& state, const std::string& datei) {
  const auto tabelle = TabelleLesen<T>(datei);
  const std::string ziel = datei + ".bench";
  for (auto _ : state) {
    AtomarSchreiben(ziel, [&](Schreiber& s) { s.schreiben(tabelle.data() + 1, (tabelle.size() - 1) * sizeof(T)); });
  }
  DateiLoeschen(ziel);
  state.counters["Datensaetze"] = static_cast<double>(tabelle.size() - 1);
}

void BM_StrassenDateiLesen(benchmark::State& s) { Lesen<TStrassenRecord>(s, StrassenDatei()); }
void BM_PLZDateiLesen(benchmark::State& s) { Lesen<TPLZRecord>(s, PLZDatei()); }
void BM_StrassenDateiSchreiben(benchmark::State& s) { Schreiben<TStrassenRecord>(s, StrassenDatei()); }
void BM_PLZDateiSchreiben(benchmark::State& s) { Schreiben<TPLZRecord>(s, PLZDatei()); }

BENCHMARK(BM_StrassenDateiLesen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PLZDateiLesen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrassenDateiSchreiben)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PLZDateiSchreiben)->Unit(benchmark::kMillisecond);

// A page of 40 streets from the middle of the national file, as a scroll step reads it.
void BM_StrassenSeite(benchmark::State& s) {
  const SeitenDatei<TStrassenRecord> datei(StrassenDatei());
  const std::int64_t mitte = datei.anzahl() / 2;
  for (auto _ : s) benchmark::DoNotOptimize(datei.seite(mitte, 40).size());
}
BENCHMARK(BM_StrassenSeite)->Unit(benchmark::kMicrosecond);

// A search through every street that finds nothing.
void BM_StrassenDurchsuchen(benchmark::State& s) {
  const SeitenDatei<TStrassenRecord> datei(StrassenDatei());
  for (auto _ : s) {
    benchmark::DoNotOptimize(datei.suchen(1, false, 1000, [](std::int64_t, const TStrassenRecord& r) {
      return r.Strasse.text().find("Nirgendwostrasse") != std::string::npos;
    }, KeinFortschritt()));
  }
}
BENCHMARK(BM_StrassenDurchsuchen)->Unit(benchmark::kMillisecond);

// The editor's lookup of a place that no street has, through the whole national file.
void BM_EditorNachschlagenKern(benchmark::State& s) {
  EditorSuchAuftrag a{StrassenDatei(), EditorArt::Strassen, 1, "Nirgendwo", true};
  for (auto _ : s) benchmark::DoNotOptimize(EditorNachschlagen(a, KeinFortschritt()));
}
BENCHMARK(BM_EditorNachschlagenKern)->Unit(benchmark::kMillisecond);

// Saving a page of 40 streets in the middle of a copy of the national file, one row emptied.
void BM_StrassenSeiteSpeichern(benchmark::State& s) {
  const std::string kopie = bench::ProgrammOrdner() + "Ord_1/Strassen_Seite.ppp";
  std::filesystem::copy_file(StrassenDatei(), kopie, std::filesystem::copy_options::overwrite_existing);
  const SeitenDatei<TStrassenRecord> datei(kopie);
  for (auto _ : s) {
    const std::int64_t mitte = datei.anzahl() / 2;
    std::vector<std::optional<TStrassenRecord>> seite;
    for (const TStrassenRecord& r : datei.seite(mitte, 40)) seite.emplace_back(r);
    seite[3].reset();
    benchmark::DoNotOptimize(datei.seiteErsetzen(mitte, seite));
  }
  std::filesystem::remove(kopie);
}
BENCHMARK(BM_StrassenSeiteSpeichern)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace orvano
