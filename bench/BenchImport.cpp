// Reading, joining and appending a street CSV of 1.5 million lines.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "BenchDaten.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Start.h"
#include "exchange/CSVLesen.h"
#include "exchange/Export.h"
#include "exchange/Import.h"
#include "exchange/ImportFormat.h"

namespace orvano {
namespace {


// The street export of the generated data: LNr;Ort;Postleitzahl;Strassen;Ab Nr;Bis Nr.
const std::string& StrassenCSV() {
  static const std::string datei = [] {
    ProgrammOrdnerSetzen(bench::ProgrammOrdner());
    const std::string d = bench::ProgrammOrdner() + "strassen-bench.csv";
    if (!std::filesystem::exists(d)) {
      const Datenbestand& db = bench::TabellenLaden();
      ExportOptionen o;
      o.art = ExportArt::Strassen;
      Exportieren(db, d, o, KeinFortschritt());
    }
    return d;
  }();
  return datei;
}

void BM_CSVLesen(benchmark::State& state) {
  const std::string& csv = StrassenCSV();
  ImportFormat f = StandardFormat();
  CSVLeseOptionen o;
  o.landText = "Deutschland";
  double rss = 0;
  int zeilen = 0;
  for (auto _ : state) {
    Tabelle t(kImportTabellenSpalten, 2);
    ImportTabelleKopf(t);
    const long vorher = bench::ResidentBytes();
    zeilen = CSVLesen(csv, f, t, o, KeinFortschritt()).zeilen;
    state.PauseTiming();
    rss = static_cast<double>(bench::ResidentBytes() - vorher);
    state.ResumeTiming();
  }
  const double groesse = static_cast<double>(std::filesystem::file_size(csv));
  state.counters["Zeilen"] = zeilen;
  state.counters["MB"] = groesse / 1e6;
  state.counters["Speicher/CSV"] = rss / groesse;
}

void BM_Verknuepfen(benchmark::State& state) {
  const std::string& csv = StrassenCSV();
  ImportFormat f = StandardFormat();
  f.id = "LNr";
  f.idVerkn = "Strassen";
  f.zielFeld = "Ort";
  CSVLeseOptionen o;
  Tabelle t(kImportTabellenSpalten, 2);
  ImportTabelleKopf(t);
  CSVLesen(csv, f, t, o, KeinFortschritt());
  std::int64_t paare = 0;
  for (auto _ : state) paare = Verknuepfen(csv, f, t, o, KeinFortschritt()).paarZahl;
  state.counters["Paare"] = static_cast<double>(paare);
}

void BM_Anhaengen(benchmark::State& state) {
  const std::string& csv = StrassenCSV();
  ImportFormat f = StandardFormat();
  CSVLeseOptionen o;
  Tabelle t(kImportTabellenSpalten, 2);
  ImportTabelleKopf(t);
  CSVLesen(csv, f, t, o, KeinFortschritt());
  const std::string ziel = bench::ProgrammOrdner() + "anhaengen-bench.ppp";
  std::int64_t n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(ziel);
    state.ResumeTiming();
    n = ImportAnhaengen(ziel, false, t, KeinFortschritt()).geschrieben;
  }
  std::filesystem::remove(ziel);
  state.counters["Strassen"] = static_cast<double>(n);
}

// Hostile input: one 10 MB line whose first half is the delete text, and a line of 10 MB of
// separators. Time and the peak memory of the process (for 4x the file at most).
void BM_GrosseZeile(benchmark::State& state) {
  const std::string datei = std::filesystem::temp_directory_path() / "orvano-grosse-zeile.csv";
  {
    std::ofstream aus(datei, std::ios::binary);
    aus << "Ort;Postleitzahl\n";
    if (state.range(0) == 0) {
      aus << std::string(5'000'000, '"') << std::string(5'000'000, 'x') << ";1\n";
    } else {
      aus << std::string(10'000'000, ';') << "\n";
    }
  }
  ImportFormat f = StandardFormat();
  f.loeschen1 = "\"";
  Tabelle t(kImportTabellenSpalten, 2);
  for (auto _ : state) {
    CSVLeseOptionen o;
    benchmark::DoNotOptimize(CSVLesen(datei, f, t, o, KeinFortschritt()).zeilen);
  }
  state.counters["RSS_MB"] = static_cast<double>(bench::ResidentBytes()) / 1e6;
  std::filesystem::remove(datei);
}

BENCHMARK(BM_CSVLesen)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GrosseZeile)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1)->Iterations(3);
BENCHMARK(BM_Verknuepfen)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Anhaengen)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace orvano
