// The optimisations and the street sort at national scale, each on a fresh copy of the data.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>

#include "BenchDaten.h"
#include "core/Start.h"
#include "streets/Optimierung.h"
#include "streets/StrassenListe.h"
#include "streets/StrassenZaehlen.h"

namespace orvano {
namespace {

using bench::KeineFragen;

// A copy of the sample folder as Ord_opt, loaded into DB.
void Kopie(Datenbestand& db) {
  ProgrammOrdnerSetzen(bench::ProgrammOrdner());
  const std::filesystem::path quelle = bench::ProgrammOrdner() + "Ord_1";
  const std::filesystem::path ziel = bench::ProgrammOrdner() + "Ord_opt";
  std::filesystem::remove_all(ziel);
  std::filesystem::copy(quelle, ziel);
  db = Datenbestand();
  db.OrdnerPfad = "Ord_opt/";
  KeineFragen nein;
  db.PLZLaden(nein);
  db.StrassenLaden(KeinFortschritt(), nein);
}

template <class Operation>
void Messen(benchmark::State& state, Operation operation) {
  OptimierungsOptionen o;
  o.plzFragen = o.strassenFragen = o.sortierenFragen = false;
  o.datum = "2000-01-01";
  Datenbestand db;
  double strassen = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Kopie(db);
    strassen = db.StrassenZahl;
    state.ResumeTiming();
    KeineFragen nein;
    operation(db, o, nein);
  }
  rusage r{};
  ::getrusage(RUSAGE_SELF, &r);
  const double datei = static_cast<double>(std::filesystem::file_size(bench::ProgrammOrdner() + "Ord_1/Strassen_D.ppp"));
  state.counters["Strassen"] = strassen;
  state.counters["Spitze/Datei"] = static_cast<double>(r.ru_maxrss) * 1024.0 / datei;
}

void BM_StrassenOptimieren(benchmark::State& state) {
  Messen(state, [](Datenbestand& db, const OptimierungsOptionen& o, Rueckfragen& r) { StrassenOptimieren(db, o, KeinFortschritt(), r); });
}

void BM_PLZOptimieren(benchmark::State& state) {
  Messen(state, [](Datenbestand& db, const OptimierungsOptionen& o, Rueckfragen& r) { PLZOptimieren(db, o, KeinFortschritt(), r); });
}

// Sorting needs the counts the street optimisation stores: that runs first, untimed.
void BM_StrassenSortieren(benchmark::State& state) {
  OptimierungsOptionen o;
  o.plzFragen = o.strassenFragen = o.sortierenFragen = false;
  o.datum = "2000-01-01";
  Datenbestand db;
  for (auto _ : state) {
    state.PauseTiming();
    Kopie(db);
    KeineFragen nein;
    StrassenOptimieren(db, o, KeinFortschritt(), nein);
    state.ResumeTiming();
    const SortErgebnis e = StrassenSortieren(db, o, KeinFortschritt(), nein);
    state.counters["bewegt"] = e.bewegt;
  }
}

BENCHMARK(BM_StrassenOptimieren)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PLZOptimieren)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StrassenSortieren)->Unit(benchmark::kMillisecond)->Iterations(3);

// The recount of every postal code's streets, the postal-code file written each time.
void BM_StrassenZaehlen(benchmark::State& state) {
  Datenbestand db;
  Kopie(db);
  KeineFragen nein;
  for (auto _ : state) benchmark::DoNotOptimize(StrassenZaehlen(db, KeinFortschritt(), nein).geaendert);
  state.counters["Strassen"] = db.StrassenZahl;
}
BENCHMARK(BM_StrassenZaehlen)->Unit(benchmark::kMillisecond);

// The street list of the record in the middle of the table, as the street window opens it.
void BM_StrassenListeFuellen(benchmark::State& state) {
  Datenbestand db;
  Kopie(db);
  KeineFragen nein;
  const std::int32_t satz = db.PLZAnzahl / 2;
  const bool aktualisieren = state.range(0) != 0;
  std::size_t zeilen = 0;
  for (auto _ : state) zeilen = StrassenListeFuellen(db, satz, aktualisieren, 'D', KeinFortschritt(), nein).zeilen.size();
  state.counters["Zeilen"] = static_cast<double>(zeilen);
}
BENCHMARK(BM_StrassenListeFuellen)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Saving one record's list: the street file rewritten as a whole, both tables loaded again.
class JaFragen : public Rueckfragen {
 public:
  void meldung(const std::string&) override {}
  bool frage(const std::string&) override { return true; }
};

void BM_StrassenListeSpeichern(benchmark::State& state) {
  Datenbestand db;
  Kopie(db);
  KeineFragen nein;
  JaFragen ja;
  const std::int32_t satz = db.PLZAnzahl / 2;
  const std::vector<StrassenZeile> zeilen = StrassenListeFuellen(db, satz, false, 'D', KeinFortschritt(), nein).zeilen;
  for (auto _ : state) benchmark::DoNotOptimize(StrassenListeSpeichern(db, satz, zeilen, "Ord_opt", KeinFortschritt(), ja).strassen);
}
BENCHMARK(BM_StrassenListeSpeichern)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace orvano
