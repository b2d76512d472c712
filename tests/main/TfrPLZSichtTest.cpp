// The filter line, the sort by column title and undo/redo of the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include "FensterTest.h"
#include "core/Datenbestand.h"
#include "core/Einstellungen.h"
#include "main/PLZSpalten.h"
#include "ui/Layout.h"
#include "ui/StringGrid.h"

namespace orvano {
namespace {

using test::PLZSatz;
using ui::Antwort;

const QString kFrage = QString::fromUtf8("Änderung in Ord_1/Dat_D.ppp Speichern?");

TPLZRecord Ort(const char* ort, std::int32_t plz, std::int32_t vorwahl, double breite, double laenge, const char* land) {
  TPLZRecord r = PLZSatz(ort, plz, breite, laenge);
  r.Vorwahl = vorwahl;
  r.Bundesland.setzen(land);
  return r;
}

class Sicht : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    plz({Ort("Offenbach am Main", 63065, 69, 50.10, 8.76, "Hessen"),
         Ort("Auerbach/Vogtl.", 8209, 3744, 50.51, 12.40, "Sachsen"),
         Ort("Bernau bei Berlin", 16321, 3338, 52.68, 13.59, "Brandenburg"),
         Ort("\xDC" "berlingen", 88662, 7551, 47.77, 9.16, "Baden-W\xFCrttemberg"),
         Ort("Bacharach", 55422, 6743, 50.06, 7.77, "Rheinland-Pfalz"),
         Ort("Grobengereuth", 7389, 36484, 50.73, 11.63, "Th\xFCringen")});
  }
  static void tabelle(TfrPLZ& f) {
    f.TabellenAnsicht = true;
    f.AnsichtUmschalten(false);
  }
  // The place names of the rows shown, in their order.
  static std::vector<std::string> gezeigt(TfrPLZ& f) {
    std::vector<std::string> orte;
    for (const int r : f.StringGrid1->gezeigteTabellenZeilen()) orte.push_back(zelle(f, kSpalteOrt, r));
    return orte;
  }
};

TEST_F(Sicht, TheFilterFoldsCaseAndUmlautsCountsInTheCaptionAndNarrowsToAColumn) {
  TfrPLZ f;
  tabelle(f);
  f.edFilter->setText("BACH");
  EXPECT_EQ(gezeigt(f), (std::vector<std::string>{"Offenbach am Main", "Auerbach/Vogtl.", "Bacharach"}));
  EXPECT_TRUE(f.windowTitle().endsWith("PLZ Anzahl: 3 / 6")) << f.windowTitle().toStdString();
  f.edFilter->setText(QString::fromUtf8("über"));
  EXPECT_EQ(gezeigt(f), (std::vector<std::string>{"\xDC" "berlingen"}));
  // "07389" is the postal code as shown; in every column "69" is also part of 36484's neighbours.
  f.edFilter->setText("073");
  EXPECT_EQ(gezeigt(f), (std::vector<std::string>{"Grobengereuth"}));
  f.edFilter->setText("69");
  f.cbFilterSpalte->setCurrentIndex(f.cbFilterSpalte->findText("Vorwahl"));
  f.filterAnwenden();
  EXPECT_EQ(gezeigt(f), (std::vector<std::string>{"Offenbach am Main"}));
  f.edFilter->setText("Zwickau");
  EXPECT_EQ(f.StringGrid1->gezeigteZeilen(), 0);
  EXPECT_NE(f.StatusText().indexOf("Kein Datensatz"), -1) << "zero rows are said";
  f.edFilter->setFocus();
  QTest::keyClick(f.edFilter, Qt::Key_Escape);
  EXPECT_EQ(f.StringGrid1->gezeigteZeilen(), 6) << "Escape clears the filter";
  EXPECT_TRUE(f.windowTitle().endsWith("PLZ Anzahl: 6"));
}

TEST_F(Sicht, TheRecordViewStepsThroughTheShownRowsAndAnEditReachesItsRecord) {
  TfrPLZ f;
  f.edFilter->setText("bach");
  f.tbErste->click();
  EXPECT_EQ(f.edOrt->text(), "Offenbach am Main");
  f.tbPlus->click();
  EXPECT_EQ(f.edOrt->text(), "Auerbach/Vogtl.");
  EXPECT_EQ(f.lbNr->text(), "Datensatz-Nr: 2 von 3");
  f.tbLetzte->click();
  EXPECT_EQ(f.edOrt->text(), "Bacharach");
  f.edVorwahl->setText("6744");
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Ja, kFrage);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(f.datenbestand().PLZTabelle[5].Vorwahl, 6744) << "the fifth record, not the third row";
  EXPECT_EQ(f.datenbestand().PLZTabelle[3].Vorwahl, 3338);
  EXPECT_EQ(f.edOrt->text(), "Bacharach") << "the filter stays after saving";
  EXPECT_EQ(f.StringGrid1->gezeigteZeilen(), 3);
}

// F3 and Shift+F3 step through the hits of the quick search, typed into its box as a user would.
TEST_F(Sicht, F3AndShiftF3StepForwardAndBackThroughTheQuickSearchHits) {
  TfrPLZ f;
  tabelle(f);
  aktiv(f);
  f.StringGrid1->setAktuelleZelle(kSpalteOrt, 1);
  f.edSuchen->setFocus();
  QTest::keyClicks(f.edSuchen, "B");
  QTest::keyClick(f.edSuchen, Qt::Key_F3);
  EXPECT_EQ(zelle(f, kSpalteOrt, f.StringGrid1->aktuelleZeile()), "Bernau bei Berlin");
  QTest::keyClick(f.edSuchen, Qt::Key_F3);
  EXPECT_EQ(zelle(f, kSpalteOrt, f.StringGrid1->aktuelleZeile()), "Bacharach");
  QTest::keyClick(f.edSuchen, Qt::Key_Shift);
  QTest::keyClick(f.edSuchen, Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(zelle(f, kSpalteOrt, f.StringGrid1->aktuelleZeile()), "Bernau bei Berlin") << "back to the hit before";
}

TEST_F(Sicht, TitleClicksSortNumbersByValueBothWaysThenBackAndKeepTheCurrentRecord) {
  TfrPLZ f;
  tabelle(f);
  f.StringGrid1->setAktuelleZelle(kSpalteOrt, 5);  // Bacharach
  f.StringGrid1->titelSortieren(14);
  EXPECT_EQ(gezeigt(f), (std::vector<std::string>{"Offenbach am Main", "Bernau bei Berlin", "Auerbach/Vogtl.", "Bacharach",
                                                   "\xDC" "berlingen", "Grobengereuth"}))
      << "as numbers: 069 before 03338, 036484 last";
  EXPECT_EQ(zelle(f, kSpalteOrt, f.StringGrid1->aktuelleZeile()), "Bacharach");
  f.StringGrid1->titelSortieren(14);
  EXPECT_EQ(gezeigt(f).front(), "Grobengereuth");
  f.StringGrid1->titelSortieren(14);
  EXPECT_EQ(gezeigt(f).front(), "Offenbach am Main");
  EXPECT_EQ(gezeigt(f)[1], "Auerbach/Vogtl.") << "the third click gives the file's order";
  f.StringGrid1->titelSortieren(8);
  EXPECT_EQ(gezeigt(f).front(), "\xDC" "berlingen") << "southernmost first";
  f.StringGrid1->titelSortieren(8);
  EXPECT_EQ(gezeigt(f).front(), "Bernau bei Berlin");
  EXPECT_EQ(zelle(f, kSpalteOrt, f.StringGrid1->aktuelleZeile()), "Bacharach");
  f.sbMaske->click();
  f.tbPlus->click();
  EXPECT_EQ(f.edOrt->text(), QString::fromUtf8("Überlingen")) << "next in the order shown: 50,06 then 47,77";
}

class Verlauf : public Sicht {};

TEST_F(Verlauf, CellEditsUndoAndRedoOneByOneAndUndoingToTheSavedStateClearsGeaendert) {
  TfrPLZ f;
  tabelle(f);
  aktiv(f);
  for (int zeile : {1, 3, 5}) {
    f.StringGrid1->setAktuelleZelle(14, zeile);
    tippen(f.StringGrid1, "1234");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  }
  ASSERT_EQ(f.verlauf()->count(), 3);
  f.miRueckgaengig->trigger();
  f.miRueckgaengig->trigger();
  EXPECT_EQ(zelle(f, 14, 5), "06743");
  EXPECT_EQ(zelle(f, 14, 3), "03338");
  EXPECT_EQ(f.StringGrid1->aktuelleZeile(), 3) << "the view goes to the record the step changes";
  EXPECT_TRUE(f.datenbestand().Geaendert);
  f.miWiederholen->trigger();
  EXPECT_EQ(zelle(f, 14, 3), "1234");
  f.miRueckgaengig->trigger();
  f.miRueckgaengig->trigger();
  EXPECT_EQ(zelle(f, 14, 1), "069");
  EXPECT_FALSE(f.datenbestand().Geaendert) << "back at the loaded state";
}

TEST_F(Verlauf, AddedAndDeletedRowsComeAndGoAndSavingKeepsTheHistory) {
  TfrPLZ f;
  tabelle(f);
  aktiv(f);
  f.StringGrid1->setAktuelleZelle(15, 6);
  QTest::keyClick(f.StringGrid1, Qt::Key_Return);
  ASSERT_EQ(f.gridDaten().zeilen(), 8);
  f.miRueckgaengig->trigger();
  EXPECT_EQ(f.gridDaten().zeilen(), 7) << "the added row goes";
  f.StringGrid1->setAktuelleZelle(kSpalteOrt, 2);
  f.StringGrid1->setFocus();
  dialoge.antworte(Antwort::Ja);
  QTest::keyClick(f.StringGrid1, Qt::Key_Delete);
  ASSERT_EQ(dialoge.boxen.size(), 1u);
  EXPECT_NE(dialoge.boxen[0].text.indexOf("08209 Auerbach/Vogtl."), -1) << dialoge.boxen[0].text.toStdString();
  EXPECT_EQ(zelle(f, kSpalteOrt, 2), "Bernau bei Berlin");
  f.miRueckgaengig->trigger();
  EXPECT_EQ(zelle(f, kSpalteOrt, 2), "Auerbach/Vogtl.");
  f.miWiederholen->trigger();
  dialoge.antworte(Antwort::Ja, kFrage);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(orteDerDatei().size(), 5u);
  EXPECT_FALSE(f.datenbestand().Geaendert);
  // The grid's rows are the file's records after the save: the deletion can still be undone.
  ASSERT_TRUE(f.verlauf()->canUndo());
  f.miRueckgaengig->trigger();
  EXPECT_EQ(zelle(f, kSpalteOrt, 2), "Auerbach/Vogtl.");
  EXPECT_TRUE(f.datenbestand().Geaendert) << "the undone step has to be saved again";
  dialoge.antworte(Antwort::Ja, kFrage);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(orteDerDatei()[1], "Auerbach/Vogtl.");

  // A save that drops a record (no place) moves the rows after it: the steps go.
  f.StringGrid1->setAktuelleZelle(kSpalteOrt, 1);
  f.gridDaten().setZelle(kSpalteOrt, 1, "");
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Ja, kFrage);
  f.sbSpeichern_Dat->click();
  EXPECT_FALSE(f.verlauf()->canUndo());
}

TEST_F(Verlauf, AFieldEditIsOneStepAndAReloadEndsTheHistory) {
  TfrPLZ f;
  aktiv(f);
  f.edOrt->setFocus();
  f.edOrt->selectAll();
  QTest::keyClicks(f.edOrt, "Offenbach");
  f.edPLZ->setFocus();
  ASSERT_EQ(f.verlauf()->count(), 1);
  f.miRueckgaengig->trigger();
  EXPECT_EQ(f.edOrt->text(), "Offenbach am Main");
  f.miWiederholen->trigger();
  EXPECT_EQ(f.edOrt->text(), "Offenbach");
  dialoge.antworte(Antwort::Nein, kFrage);
  f.tbPlus->click();
  EXPECT_EQ(f.verlauf()->count(), 0) << "edits that were dropped leave no steps";
  f.edVorwahl->setFocus();
  QTest::keyClicks(f.edVorwahl, "9");
  f.edOrt->setFocus();
  f.DateienNeuLaden(false);
  EXPECT_EQ(f.verlauf()->count(), 0);
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

class Anordnung : public Sicht {};

TEST_F(Anordnung, TheFrameKeepsViewColumnsAndRecordInOrvanoIniAndLeavesEinstPLZAlone) {
  Einstellungen e;
  e.routenFelder = {"Bacharach", "55422", "Oberstr. 1", "Bonn", "53111", ""};
  ASSERT_TRUE(EinstellungenSpeichern(t / "einstPLZ.frb", e));
  const std::string vorher = test::DateiLesen(t / "einstPLZ.frb");
  {
    TfrPLZ f;
    f.sbTabelle->click();
    f.StringGrid1->setColumnWidth(kSpalteOrt, 260);
    f.StringGrid1->setBenutzerVerborgen({7});
    f.StringGrid1->setAktuelleZelle(kSpalteOrt, 4);
    f.close();
  }
  EXPECT_EQ(test::DateiLesen(t / "einstPLZ.frb"), vorher) << "the 13 lines stay byte for byte";
  ASSERT_TRUE(std::filesystem::exists(t / "Orvano.ini"));
  TfrPLZ f;
  EXPECT_TRUE(f.TabellenAnsicht) << "the view of the last run, although the frame wrote no einstPLZ.frb";
  EXPECT_EQ(f.StringGrid1->columnWidth(kSpalteOrt), 260);
  EXPECT_TRUE(f.StringGrid1->isColumnHidden(7));
  EXPECT_EQ(zelle(f, kSpalteOrt, f.StringGrid1->aktuelleZeile()), "\xDC" "berlingen");
}

TEST_F(Anordnung, ADamagedFileGivesTheDefaultsAndRecentFilesKeepTheLastEight) {
  test::DateiSchreiben(t / "Orvano.ini", std::string("[Hauptfenster\n\x01\x02=\xFF\n[[", 18));
  TfrPLZ f;
  EXPECT_FALSE(f.TabellenAnsicht);
  for (int i = 1; i <= 9; ++i) f.zuletztVerwendet("Export", QString("/tmp/liste%1.csv").arg(i));
  f.zuletztVerwendet("Export", "/tmp/liste3.csv");
  const auto liste = f.layout().zuletzt();
  ASSERT_EQ(liste.size(), 8);
  EXPECT_EQ(liste[0].pfad, "/tmp/liste3.csv") << "used again, it comes first";
  EXPECT_EQ(liste[1].pfad, "/tmp/liste9.csv");
  EXPECT_EQ(liste[7].pfad, "/tmp/liste2.csv") << "the oldest went";
  EXPECT_EQ(f.mnZuletzt->actions().size(), 8);
  f.zuletztVerwendet("Adressen", (t / "fehlt.csv").c_str());
  dialoge.antworte(Antwort::Ok);
  f.mnZuletzt->actions().front()->trigger();
  ASSERT_EQ(dialoge.boxen.size(), 1u);
  EXPECT_TRUE(dialoge.boxen[0].text.endsWith("fehlt.csv nicht gefunden")) << dialoge.boxen[0].text.toStdString();
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST_F(Sicht, TheRecordViewNamesTheFieldsOfTheCountryShown) {
  plz({PLZSatz("Wien", 1010, "AT")}, "Ord_1/Dat_A.ppp");
  TfrPLZ f;
  EXPECT_FALSE(f.lbRegierungsbezirk->isHidden());
  EXPECT_EQ(f.lbLandkreis->text(), "Landkreis:");
  f.cbLand->setCurrentIndex(1);
  f.LandGewechselt();
  EXPECT_TRUE(f.lbRegierungsbezirk->isHidden());
  EXPECT_TRUE(f.edRegierungsbezirk->isHidden());
  EXPECT_EQ(f.lbLandkreis->text(), "Bezirk:");
  aktiv(f);
  f.edBundesland->setFocus();
  QTest::keyClick(f.edBundesland, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), f.edOrtsteil) << "Enter skips the missing field";
}

}  // namespace
}  // namespace orvano
