#include "main/ut_PLZ.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <filesystem>

#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Start.h"
#include "main/PLZSpalten.h"
#include "main/ut_About.h"
#include "FensterTest.h"
#include "ui/StringGrid.h"

namespace orvano {
namespace {

using test::PLZSatz;
using test::RecordsSchreiben;
using ui::Antwort;

using TfrPLZTest = test::FensterTest;

TEST_F(TfrPLZTest, NavigationStopsAtTheFirstAndTheLastRecord) {
  plz(drei());
  TfrPLZ f;
  EXPECT_EQ(f.edOrt->text(), "Dresden");
  EXPECT_EQ(f.lbNr->text(), "Datensatz-Nr: 1 von 3");
  f.tbMinus->click();
  EXPECT_EQ(f.StringGrid1->aktuelleZeile(), 1);
  EXPECT_EQ(f.edOrt->text(), "Dresden");
  f.tbLetzte->click();
  EXPECT_EQ(f.edOrt->text(), "Bonn");
  f.tbPlus->click();
  EXPECT_EQ(f.StringGrid1->aktuelleZeile(), 3);
  EXPECT_EQ(f.lbNr->text(), "Datensatz-Nr: 3 von 3");
  f.tbMinus->click();
  EXPECT_EQ(f.edOrt->text(), "Berlin");
  f.tbErste->click();
  EXPECT_EQ(f.edPLZ->text(), "01067");
  EXPECT_EQ(f.LetzteZeile, 1);
}

TEST_F(TfrPLZTest, TheCaptionCountsRowsPerCountry) {
  plz(drei());
  plz({PLZSatz("Wien", 1010, "AT")}, "Ord_1/Dat_A.ppp");
  plz({PLZSatz("Bern", 3000, "CH"), PLZSatz("Thun", 3600, "CH")}, "Ord_1/Dat_CH.ppp");
  TfrPLZ f;
  EXPECT_EQ(f.windowTitle(), " Deutschland  PLZ Anzahl: 3");
  f.cbLand->setCurrentIndex(1);
  f.LandGewechselt();
  EXPECT_EQ(f.windowTitle(), QString::fromUtf8(" Österreich  PLZ Anzahl: 1"));
  EXPECT_EQ(zelle(f, 6, 1), "1010");
  f.cbLand->setCurrentIndex(2);
  f.LandGewechselt();
  EXPECT_EQ(f.windowTitle(), " Schweiz  PLZ Anzahl:2");
  EXPECT_EQ(f.edOrt->text(), "Bern");
}

TEST_F(TfrPLZTest, AnEmptyFileCountsItsOneEmptyRow) {
  plz({});
  TfrPLZ f;
  EXPECT_EQ(f.windowTitle(), " Deutschland  PLZ Anzahl: 1");
  EXPECT_EQ(f.gridDaten().zeilen(), 2);
  EXPECT_EQ(f.edOrt->text(), "");
  f.tbPlus->click();
  EXPECT_EQ(f.lbNr->text(), "");
}

TEST_F(TfrPLZTest, ASwitchToACountryWithoutFileReportsThePathAndEmptiesTheGrid) {
  plz(drei());
  TfrPLZ f;
  dialoge.antworte(Antwort::Ok, QString::fromStdString("Datei " + t.pfad() + "Ord_1/Dat_A.ppp nicht gefunden"));
  f.cbLand->setCurrentIndex(1);
  f.LandGewechselt();
  EXPECT_EQ(f.gridDaten().zeilen(), 2);
  for (int c = 1; c < 17; ++c) EXPECT_EQ(zelle(f, c, 1), "") << c;
  EXPECT_EQ(f.windowTitle(), QString::fromUtf8(" Österreich  PLZ Anzahl: 1"));
  EXPECT_EQ(f.edOrt->text(), "");
  EXPECT_EQ(f.datenbestand().PLZAnzahl, 0);
}

TEST_F(TfrPLZTest, TheGridShowsTheRecordsWithTheirIndexAndOptionalColumns) {
  std::vector<TPLZRecord> r(11, PLZSatz("Ort", 10000));
  r[10].Bundesland.setzen("Bayern");
  r[0] = PLZSatz("Dresden", 1067);
  plz(r);
  TfrPLZ f;
  EXPECT_EQ(zelle(f, 6, 1), "01067");
  EXPECT_EQ(zelle(f, kSpalteIndex, 11), "11");
  EXPECT_TRUE(f.StringGrid1->isColumnHidden(3)) << "record 11 alone does not show the column";
  EXPECT_TRUE(f.StringGrid1->isColumnHidden(kSpalteIndex));
  EXPECT_FALSE(f.StringGrid1->isColumnHidden(6));
  EXPECT_EQ(f.StringGrid1->columnWidth(1), 180);
}

TEST_F(TfrPLZTest, TheCounterFollowsTheRowOrderAfterASort) {
  plz(drei());
  TfrPLZ f;
  // What a sort by "Ort" leaves: Berlin, Bonn, Dresden, renumbered, the index kept.
  Tabelle& d = f.gridDaten();
  auto berlin = d.zeile(2), bonn = d.zeile(3), dresden = d.zeile(1);
  berlin[0] = "1";
  bonn[0] = "2";
  dresden[0] = "3";
  d.setZeile(1, berlin);
  d.setZeile(2, bonn);
  d.setZeile(3, dresden);
  f.StringGrid1->aktualisieren();
  f.tbErste->click();
  EXPECT_EQ(f.edOrt->text(), "Berlin");
  EXPECT_EQ(f.lbNr->text(), "Datensatz-Nr: 1 von 3");
  f.tbLetzte->click();
  EXPECT_EQ(f.edOrt->text(), "Dresden");
  EXPECT_EQ(f.lbNr->text(), "Datensatz-Nr: 3 von 3");
}

TEST_F(TfrPLZTest, ViewsSwitchBetweenTableAndRecord) {
  plz(drei());
  TfrPLZ f;
  f.show();
  EXPECT_FALSE(f.TabellenAnsicht);
  EXPECT_TRUE(f.plMaske->isVisible());
  EXPECT_FALSE(f.plTabelle->isVisible());
  EXPECT_TRUE(f.sbTabelle->isVisible());
  EXPECT_FALSE(f.sbMaske->isVisible());
  EXPECT_TRUE(f.plNavig->isVisible());
  f.tbPlus->click();
  f.sbTabelle->click();
  EXPECT_TRUE(f.TabellenAnsicht);
  EXPECT_TRUE(f.plTabelle->isVisible());
  EXPECT_FALSE(f.plMaske->isVisible());
  EXPECT_FALSE(f.plNavig->isVisible());
  EXPECT_TRUE(f.sbMaske->isVisible());
  EXPECT_EQ(f.StringGrid1->aktuelleZeile(), 2);
  f.StringGrid1->setAktuelleZelle(1, 3);
  f.sbMaske->click();
  EXPECT_FALSE(f.TabellenAnsicht);
  EXPECT_EQ(f.edOrt->text(), "Bonn");
  EXPECT_NE(f.edOrt->styleSheet().indexOf("#CCFFCC"), -1);
}

TEST_F(TfrPLZTest, ExitAskedYesWritesTheSettingsAndNoKeepsRunning) {
  plz(drei());
  TfrPLZ f;
  f.show();
  dialoge.antworte(Antwort::Nein, QString("Programm beenden?"));
  f.sbExit->click();
  EXPECT_TRUE(f.isVisible());
  EXPECT_FALSE(std::filesystem::exists(t / "einstPLZ.frb"));
  f.sbTabelle->click();
  dialoge.antworte(Antwort::Ja, QString("Programm beenden?"));
  f.miExit->trigger();
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(test::DateiLesen(t / "einstPLZ.frb"), "0\r\n1\r\n1\r\n0\r\n0\r\n0\r\n\r\n\r\n\r\n\r\n\r\n\r\nOrd_1\r\n");
  EXPECT_EQ(dialoge.boxen[0].symbol, ui::Symbol::Information);
}

TEST_F(TfrPLZTest, ClosingTheFrameEndsWithoutQuestionOrWriting) {
  plz(drei());
  TfrPLZ f;
  f.show();
  f.close();
  EXPECT_FALSE(f.isVisible());
  EXPECT_FALSE(std::filesystem::exists(t / "einstPLZ.frb"));
}

TEST_F(TfrPLZTest, TheStartFollowsTheSettings) {
  plz(drei());
  std::filesystem::create_directories(t / "Ord_2");
  plz({PLZSatz("Linz", 4020, "AT"), PLZSatz("Graz", 8010, "AT")}, "Ord_2/Dat_A.ppp");
  test::DateiSchreiben(t / "einstPLZ.frb", "1\r\n1\r\n0,5\r\n0\r\n0\r\n3\r\nWien\r\n\r\n\r\n\r\n\r\n\r\nOrd_2\r\n");
  TfrPLZ f;
  EXPECT_EQ(f.cbLand->currentText(), QString::fromUtf8("Österreich"));
  EXPECT_TRUE(f.TabellenAnsicht);
  EXPECT_EQ(f.datenbestand().OrdnerPfad, "Ord_2/");
  EXPECT_EQ(f.cbOrdner->currentText(), "Ord_2");
  EXPECT_EQ(zelle(f, 1, 2), "Graz");
  EXPECT_TRUE(std::filesystem::is_directory(t / "Route"));
  // Leaving writes back what was read and not used here.
  dialoge.antworte(Antwort::Ja);
  f.Beenden();
  EXPECT_EQ(test::DateiLesen(t / "einstPLZ.frb"), "1\r\n1\r\n0,5\r\n0\r\n0\r\n3\r\nWien\r\n\r\n\r\n\r\n\r\n\r\nOrd_2\r\n");
}

TEST_F(TfrPLZTest, ASavedSchweizStartsWithDeutschland) {
  plz(drei());
  test::DateiSchreiben(t / "einstPLZ.frb", "2\r\n0\r\n1\r\n0\r\n");
  TfrPLZ f;
  EXPECT_EQ(f.cbLand->currentText(), "Deutschland");
  EXPECT_EQ(f.datenbestand().OrdnerPfad, "Ord_1/");
}

TEST_F(TfrPLZTest, AMissingPostalCodeFileAtStartIsReported) {
  dialoge.antworte(Antwort::Ok, QString::fromStdString("Datei " + t.pfad() + "Ord_1/Dat_D.ppp nicht gefunden"));
  TfrPLZ f;
  EXPECT_EQ(f.gridDaten().zeilen(), 2);
}

TEST_F(TfrPLZTest, TheFirstActivationLoadsTheStreetsOnce) {
  plz(drei());
  RecordsSchreiben(t / "Ord_1/Strassen_D.ppp",
                   std::vector<TStrassenRecord>{test::StrassenSatz(1067, "Prager Stra\xDF" "e"), test::StrassenSatz(0, "kaputt")});
  TfrPLZ f;
  EXPECT_EQ(f.datenbestand().StrassenZahl, 0);
  dialoge.antworte(Antwort::Nein, QString::fromUtf8("Leere Einträge in Strassen-DB löschen?"));
  f.Aktivieren();
  EXPECT_TRUE(f.ErsteAktivierungErledigt);
  EXPECT_EQ(f.datenbestand().StrassenZahl, 1);
  EXPECT_FALSE(f.ProgressBar1->isVisible());
  EXPECT_FALSE(f.StringGrid1->beschaeftigt());
  f.Aktivieren();  // no second load, no second question
  EXPECT_EQ(dialoge.boxen.size(), 1u);
}

TEST_F(TfrPLZTest, AnUnreadableStreetFileIsReportedAndTheProgramCarriesOn) {
  plz(drei());
  std::filesystem::create_directories(t / "Ord_1/Strassen_D.ppp");
  TfrPLZ f;
  dialoge.antworte(Antwort::Ok);
  f.Aktivieren();
  ASSERT_EQ(dialoge.boxen.size(), 1u);
  EXPECT_NE(dialoge.boxen[0].text.indexOf("kann nicht gelesen werden"), -1) << dialoge.boxen[0].text.toStdString();
  EXPECT_FALSE(f.StringGrid1->beschaeftigt());
  EXPECT_EQ(f.edOrt->text(), "Dresden");
}

TEST_F(TfrPLZTest, TheMenuHasEveryEntryAndOnlyFinishedOnesWork) {
  plz(drei());
  TfrPLZ f;
  QStringList titel;
  for (QAction* a : f.menuBar()->actions()) {
    titel << a->text();
    for (QAction* e : a->menu()->actions()) titel << (e->isSeparator() ? "-" : e->text());
  }
  // Every entry has its Alt key; the captions read as they stand without the marks.
  for (const QString& t : titel) EXPECT_TRUE(t == "-" || t.contains('&')) << t.toStdString();
  EXPECT_EQ(titel.join("|").remove('&').toStdString(),
            "Datenbank|Export|-|Import|OpenStreetMap-Import…|Adressliste prüfen…|Zuletzt verwendet|-|Neue Ordner zufügen|-|Prüfen PLZ-DB|Prüfen Strassen-DB|-|Datenbank optimieren|-|"
            "Suchen in DB|DB Bearbeiten|-|Sicherheits-Kopie erstellen|Von Sicherheits-Kopie wiederherstellen|-|Exit|"
            "Bearbeiten|Speichern|-|Rückgängig|Wiederholen|-|Zeile löschen|"
            "Suchen|Umkreissuche…|-|Filtern|Weitersuchen|Rückwärts suchen|Info|About|-|Verknüpfung auf dem Desktop erstellen");
  EXPECT_TRUE(f.miExport->isEnabled());
  EXPECT_TRUE(f.miImport->isEnabled());
  EXPECT_TRUE(f.miOsmImport->isEnabled());
  EXPECT_TRUE(f.miPruefenPLZ->isEnabled());
  EXPECT_TRUE(f.miOptimieren->isEnabled());
  EXPECT_TRUE(f.miExit->isEnabled());
  EXPECT_EQ(f.miAbout->shortcut(), QKeySequence(Qt::Key_F1));
  EXPECT_EQ(f.cbOrdner->toolTip(), "Ordner mit Namen  \"Ord_*\" werden gelesen");
  EXPECT_EQ(f.tbPlus->toolTip(), QString::fromUtf8("Nächste Datensatz"));
  EXPECT_FALSE(f.cbLand->isEditable());
  EXPECT_FALSE(f.ProgressBar1->isVisible());
  EXPECT_FALSE(f.StatusBar1->isVisible());
}

TEST_F(TfrPLZTest, TheAboutWindowNamesProgramVersionAndDataSources) {
  TfrAbout a;
  EXPECT_EQ(a.findChild<QLabel*>("lbName")->text(), "Orvano");
  EXPECT_EQ(a.findChild<QLabel*>("lbVersion")->text(), "Version 1.5");
  const QString daten = a.findChild<QLabel*>("lbDaten")->text();
  EXPECT_NE(daten.indexOf("OpenStreetMap"), -1);
  EXPECT_NE(daten.indexOf(QString::fromUtf8("GeoNames (geonames.org), Creative Commons Attribution 4.0")), -1);
  EXPECT_NE(daten.indexOf("GPL-3.0-or-later"), -1);
}

TEST_F(TfrPLZTest, TheDesktopEntryIsMadeOnlyAfterYes) {
  plz(drei());
  TfrPLZ f;
  const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
  qputenv("HOME", QByteArray::fromStdString(t / "heim"));
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(t / "heim/.config"));
  test::DateiSchreiben(t / "heim/.config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
  const QString frage = QString::fromUtf8("Verknüpfung mit dem Programm Orvano auf dem Desktop erstellen?");
  dialoge.antworte(Antwort::Nein, frage);
  f.miVerknuepfung->trigger();
  EXPECT_FALSE(std::filesystem::exists(t / "heim/Schreibtisch/Orvano 1.5.desktop"));
  dialoge.antworte(Antwort::Ja, frage);
  f.miVerknuepfung->trigger();
  const std::string eintrag = test::DateiLesen(t / "heim/Schreibtisch/Orvano 1.5.desktop");
  EXPECT_NE(eintrag.find("Path=" + t.pfad() + "\n"), std::string::npos) << eintrag;
  qputenv("HOME", home);
  qputenv("XDG_CONFIG_HOME", config);
}

}  // namespace
}  // namespace orvano
