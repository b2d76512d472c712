// The main window at national scale: start to the first painted table, filling, repainting.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <filesystem>

#include "BenchDaten.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Start.h"
#include "main/Sortieren.h"
#include "ui/Dialoge.h"
#include "main/ut_PLZ.h"
#include "editor/ut_DBBearbeiten.h"
#include "search/ut_Suchen.h"
#include "maps/utKarte.h"
#include "ui/Drucken.h"

#include <QPrinter>
#include "ui/StringGrid.h"

namespace orvano {
namespace {

// A program folder of its own whose settings start in the table view.
void TabellenOrdner() {
  static const std::string ordner = [] {
    const auto pfad = std::filesystem::temp_directory_path() / "orvano-bench-fenster";
    std::filesystem::create_directories(pfad / "Ord_1");
    std::filesystem::copy_file(bench::ProgrammOrdner() + "Ord_1/Dat_D.ppp", pfad / "Ord_1/Dat_D.ppp",
                               std::filesystem::copy_options::overwrite_existing);
    Einstellungen e;
    e.tabellenAnsicht = true;
    EinstellungenSpeichern((pfad / "einstPLZ.frb").string(), e);
    return pfad.string();
  }();
  ProgrammOrdnerSetzen(ordner);
}

void BM_StartBisTabelleGemalt(benchmark::State& state) {
  TabellenOrdner();
  std::int32_t anzahl = 0;
  for (auto _ : state) {
    TfrPLZ f;
    f.show();
    QPixmap bild = f.grab();
    benchmark::DoNotOptimize(bild);
    anzahl = f.datenbestand().PLZAnzahl;
  }
  state.counters["PLZ"] = anzahl;
}

void BM_TabelleFuellen(benchmark::State& state) {
  TabellenOrdner();
  TfrPLZ f;
  for (auto _ : state) f.TabelleFuellen();
  state.counters["Zeilen"] = f.gridDaten().zeilen() - 1;
}

void BM_SichtbareZeilenNeuMalen(benchmark::State& state) {
  TabellenOrdner();
  TfrPLZ f;
  f.resize(1300, 800);
  f.show();
  auto* grid = f.StringGrid1;
  int zeile = 1;
  for (auto _ : state) {
    zeile = (zeile + 997) % 19000 + 1;
    grid->setAktuelleZelle(1, zeile);
    // render() paints the visible rows through the cell painter, as a screen update would.
    QPixmap bild = grid->viewport()->grab();
    benchmark::DoNotOptimize(bild);
  }
}

// The record view with 1.5 million streets loaded: one record shown with its street list.
void BM_StrassenZeigen(benchmark::State& state) {
  ProgrammOrdnerSetzen(bench::ProgrammOrdner());
  TfrPLZ f;
  f.Aktivieren();
  int k = 1;
  for (auto _ : state) {
    k = k % f.datenbestand().PLZAnzahl + 1;
    f.StrassenZeigen(k);
  }
  state.counters["Strassen"] = f.datenbestand().StrassenZahl;
}

void BM_Sortieren(benchmark::State& state) {
  TabellenOrdner();
  TfrPLZ f;
  const Tabelle original = f.gridDaten();
  const int spalte = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Tabelle t = original;
    state.ResumeTiming();
    orvano::TabelleSortieren(t, spalte, true);
  }
}

// The filter line over the grid, as one typed key: the rows worked out anew and the grid
// painted. Arg: how many times the national postal-code table the grid holds (1: 20,000 rows,
// 10: 200,000).
void BM_FilterTippen(benchmark::State& state) {
  TabellenOrdner();
  TfrPLZ f;
  f.resize(1300, 800);
  f.show();
  const int mal = static_cast<int>(state.range(0));
  Tabelle& t = f.gridDaten();
  const int n = t.zeilen() - 1;
  t.setZeilen(n * mal + 1);
  for (int m = 1; m < mal; ++m) {
    for (int r = 1; r <= n; ++r) t.setZeile(m * n + r, t.zeile(r));
  }
  f.StringGrid1->aktualisieren();
  const char* texte[] = {"bach", "berg", "b", "hausen"};
  int i = 0;
  for (auto _ : state) {
    f.edFilter->setText(QString::fromLatin1(texte[i++ % 4]));
    QPixmap bild = f.StringGrid1->viewport()->grab();
    benchmark::DoNotOptimize(bild);
  }
  state.counters["Zeilen"] = t.zeilen() - 1;
  state.counters["gezeigt"] = f.StringGrid1->gezeigteZeilen();
}

// A click on a column title: the order of the view worked out anew (Breitengrad, Ort).
void BM_TitelSortieren(benchmark::State& state) {
  TabellenOrdner();
  TfrPLZ f;
  const int spalte = static_cast<int>(state.range(0));
  for (auto _ : state) {
    SichtWahl w;
    w.sortSpalte = spalte;
    w.sortArt = PLZSortArt(spalte);
    benchmark::DoNotOptimize(SichtZeilen(f.gridDaten(), w));
  }
}

// Opening the search window over the national tables, painted once.
void BM_SuchfensterOeffnen(benchmark::State& state) {
  TabellenOrdner();
  TfrPLZ f;
  f.Aktivieren();
  for (auto _ : state) {
    f.frSuchen->show();
    QPixmap bild = f.frSuchen->grab();
    benchmark::DoNotOptimize(bild);
    f.frSuchen->hide();
  }
}

// 1,000 result rows printed to a PDF file as the search window prints them.
void BM_TausendZeilenDrucken(benchmark::State& state) {
  Tabelle t(19, 1001);
  t.setFesteZeilen(1);
  t.setFesteSpalten(1);
  for (int c = 0; c < 19; ++c) t.setBreite(c, c == 1 || c == 15 ? 170 : 60);
  for (int r = 1; r <= 1000; ++r) t.setZeile(r, {std::to_string(r), "Musterstadt " + std::to_string(r), "DE", "", "", "", "12345"});
  const std::string pdf = (std::filesystem::temp_directory_path() / "orvano-bench-druck.pdf").string();
  int seiten = 0;
  for (auto _ : state) {
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(QString::fromStdString(pdf));
    ui::DruckOptionen o;
    o.ersteZeile = 1;
    seiten = ui::TabelleDrucken(drucker, t, QFont(), QColor(255, 255, 0), o);
  }
  state.counters["Seiten"] = seiten;
}

// The map at scale 4 with the cross-hair of a record.
void BM_KarteZeichnen(benchmark::State& state) {
  TabellenOrdner();
  TfrPLZ f;
  f.frKarte->setMassstab(4);
  for (auto _ : state) f.frKarte->Markieren(50.94, 6.96, QStringLiteral(" K\u00f6ln"));
}

// The editor on the national street file: showing it with side 1 switched to streets, a
// scroll step of one record, and a lookup through every street that finds nothing.
void BM_EditorOeffnen(benchmark::State& state) {
  ProgrammOrdnerSetzen(bench::ProgrammOrdner());
  const Datenbestand db;
  TfrDBBearbeiten e(db);
  e.rdStrassen1->setChecked(true);
  for (auto _ : state) {
    e.vorbereiten("Ord_1");
    e.show();
    benchmark::DoNotOptimize(e.seite(1).zelle(1, 1));
    e.hide();
  }
  state.counters["Strassen"] = static_cast<double>(e.anzahl(1));
}

void BM_EditorBlaettern(benchmark::State& state) {
  ProgrammOrdnerSetzen(bench::ProgrammOrdner());
  const Datenbestand db;
  TfrDBBearbeiten e(db);
  e.rdStrassen1->setChecked(true);
  e.vorbereiten("Ord_1");
  e.show();
  int wert = static_cast<int>(e.anzahl(1) / 2);
  for (auto _ : state) e.sgh1->setValue(++wert);
  state.counters["Zeilen"] = e.datenZeilen(1);
}

void BM_EditorNachschlagen(benchmark::State& state) {
  ProgrammOrdnerSetzen(bench::ProgrammOrdner());
  const Datenbestand db;
  TfrDBBearbeiten e(db);
  e.vorbereiten("Ord_1");
  e.show();
  e.cbOrdner2->setCurrentText("Ord_1");
  e.rdStrassen2->click();
  // The number "1" is no place: every street is read.
  for (auto _ : state) e.nachschlagen(1, 0, 1);
}

BENCHMARK(BM_EditorOeffnen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorBlaettern)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorNachschlagen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KarteZeichnen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SuchfensterOeffnen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TausendZeilenDrucken)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrassenZeigen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sortieren)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(3)->Arg(6)->Arg(8)->Arg(9)->Arg(15)->Arg(0);
BENCHMARK(BM_StartBisTabelleGemalt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TabelleFuellen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SichtbareZeilenNeuMalen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterTippen)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(10);
BENCHMARK(BM_TitelSortieren)->Unit(benchmark::kMillisecond)->Arg(1)->Arg(8);

}  // namespace
}  // namespace orvano


int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orvano::ui::OhneBenutzer keine;
  orvano::ui::dialogeSetzen(&keine);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
