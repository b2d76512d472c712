// The two-folder editor window: pages, keys, saving with the re-opening, searches, the lookup.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <filesystem>
#include <cstring>

#include "core/Start.h"
#include "editor/ut_DBBearbeiten.h"
#include "support/Datenordner.h"
#include "support/TestDialoge.h"
#include "ui/StringGrid.h"

namespace orvano {
namespace {

using test::PLZSatz;
using test::StrassenSatz;
using ui::Antwort;

class Editor : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgrammOrdnerSetzen(t.pfad());
    std::filesystem::create_directories(t / "Ord_1");
    std::filesystem::create_directories(t / "Ord_2");
    std::vector<TPLZRecord> zehn;
    for (int i = 1; i <= 10; ++i) zehn.push_back(PLZSatz(("Ort" + std::to_string(i)).c_str(), 10000 + i));
    test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", zehn);
  }
  void oeffnen() {
    w.vorbereiten("Ord_1");
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_GT(w.datenZeilen(1), 11) << "the tests need a page longer than the file";
  }
  std::vector<std::string> orte() { return test::PLZOrte(t / "Ord_1/Dat_D.ppp"); }
  // Types TEXT into a cell as a user would, replacing what it held.
  static void eintragen(ui::StringGrid* g, int spalte, int zeile, const QString& text) {
    g->setAktuelleZelle(spalte, zeile);
    g->edit(g->currentIndex());
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, g) << "no cell editor opened";
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
  }
  void speichern1(const char* datei = "Ord_1/Dat_D.ppp") {
    dialoge.antworte(Antwort::Ja, QString("Änderung in ") + datei + " Speichern?");
    w.sbSpeichern1->click();
  }

  test::TempOrdner t;
  test::TestDialoge dialoge;
  TfrDBBearbeiten w;
};

TEST_F(Editor, APageShowsTheFileAndEmptyRowsBehindIt) {
  oeffnen();
  EXPECT_EQ(w.windowTitle(), " Deutschland");
  EXPECT_EQ(w.lbZ1->text(), "n=10");
  EXPECT_EQ(w.seite(1).zelle(0, 10), "10");
  EXPECT_EQ(w.seite(1).zelle(1, 10), "Ort10");
  EXPECT_EQ(w.seite(1).zelle(6, 1), "10001");
  EXPECT_EQ(w.seite(1).zelle(1, 11), "");
  EXPECT_EQ(w.seite(1).zelle(0, 11), "") << "rows past the end have no number";
  EXPECT_EQ(w.cbOrdner2->currentText(), "");
  EXPECT_FALSE(w.sbGleich->isEnabled());
  // Austria on side 1 hides the German columns of both postal-code pages.
  w.cbLand1->setCurrentIndex(1);
  EXPECT_EQ(w.windowTitle(), QString::fromUtf8(" Österreich"));
  EXPECT_EQ(w.seite(1).breite(3), Tabelle::kVerborgen);
  EXPECT_EQ(w.seite(2).breite(7), Tabelle::kVerborgen);
  EXPECT_EQ(w.lbZ1->text(), "") << "no Austrian file in Ord_1";
}

TEST_F(Editor, FillingTheRowAfterTheLastAppendsARecordAndTheWindowReopensAtThatPage) {
  oeffnen();
  w.cbEdit->click();
  eintragen(w.sg1, 1, 11, "Neustadt");
  eintragen(w.sg1, 6, 11, "12345");
  ASSERT_TRUE(w.sbSpeichern1->isEnabled());
  speichern1();
  EXPECT_EQ(w.Tag, 9);
  EXPECT_FALSE(w.isVisible());
  ASSERT_EQ(orte().size(), 11u);
  EXPECT_EQ(orte().back(), "Neustadt");
  // Shown again, as the main window does.
  w.GespeicherteSeite = 3;
  w.Tag = 9;
  w.show();
  EXPECT_EQ(w.seitenAnfang(1), 3);
  EXPECT_EQ(w.seite(1).zelle(1, 1), "Ort4");
  EXPECT_EQ(w.cbOrdner2->currentText(), "");
  EXPECT_EQ(w.Tag, 0);
}

TEST_F(Editor, EmptyingThePlaceOfARowRemovesItsRecordAndTheRestMoveUp) {
  oeffnen();
  w.cbEdit->click();
  eintragen(w.sg1, 1, 2, "");
  speichern1();
  const std::vector<std::string> erwartet = {"Ort1", "Ort3", "Ort4", "Ort5", "Ort6", "Ort7", "Ort8", "Ort9", "Ort10"};
  EXPECT_EQ(orte(), erwartet);
}

TEST_F(Editor, SavingSide2OfTheSameFolderAndCountryIsRefused) {
  oeffnen();
  w.cbOrdner2->setCurrentText("Ord_1");
  w.rdStrassen2->click();
  w.cbEdit->click();
  eintragen(w.sg2, 1, 1, "X");
  ASSERT_TRUE(w.sbSpeichern2->isEnabled());
  dialoge.antworte(Antwort::Ok, "Datei 1 = Datei 2");
  w.sbSpeichern2->click();
  EXPECT_FALSE(w.sbSpeichern2->isEnabled());
  EXPECT_FALSE(std::filesystem::exists(t / "Ord_1/Strassen_D.ppp"));
  EXPECT_EQ(w.Tag, 0);
}

TEST_F(Editor, KeysMoveTheRecordAndDownOnTheLastRowScrollsByOne) {
  std::vector<TStrassenRecord> viele;
  for (int i = 1; i <= 200; ++i) viele.push_back(StrassenSatz(10000 + i, ("Weg " + std::to_string(i)).c_str(), "Ort"));
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", viele);
  oeffnen();
  w.rdStrassen1->click();
  const int zeilen = w.datenZeilen(1);
  w.zumSatz(1, zeilen);
  ASSERT_EQ(w.seitenAnfang(1), 0);
  QTest::keyClick(w.sg1, Qt::Key_Down);
  EXPECT_EQ(w.seitenAnfang(1), 1);
  EXPECT_EQ(w.AktuellerSatz, zeilen + 1);
  EXPECT_EQ(w.seite(1).zelle(3, zeilen), "Weg " + std::to_string(zeilen + 1));
  QTest::keyClick(w.sg1, Qt::Key_End);
  EXPECT_EQ(w.AktuellerSatz, 200);
  EXPECT_EQ(w.seitenAnfang(1), 199) << "record 200 becomes the first row";
  QTest::keyClick(w.sg1, Qt::Key_PageUp);
  EXPECT_EQ(w.AktuellerSatz, 200 - zeilen);
  QTest::keyClick(w.sg1, Qt::Key_Home);
  EXPECT_EQ(w.AktuellerSatz, 1);
  EXPECT_EQ(w.SuchPosition, 1);
}

TEST_F(Editor, ScrollingWithEditsSavesThePageWhereItCameFrom) {
  oeffnen();
  w.cbEdit->click();
  eintragen(w.sg1, 1, 1, "Anfang");
  dialoge.antworte(Antwort::Ja, "Änderung in Ord_1/Dat_D.ppp Speichern?");
  w.sgh1->setValue(5);
  EXPECT_EQ(orte().front(), "Anfang");
  EXPECT_EQ(orte()[5], "Ort6") << "the edited page did not land on the page scrolled to";
  EXPECT_EQ(w.GespeicherteSeite, 5);
  EXPECT_EQ(w.Tag, 9);
}

TEST_F(Editor, ChangingAFolderWithEditsAsksFirst) {
  oeffnen();
  w.cbEdit->click();
  eintragen(w.sg1, 1, 3, "Gerettet");
  dialoge.antworte(Antwort::Ja, "Änderung in Ord_1/Dat_D.ppp Speichern?");
  w.cbOrdner1->setCurrentText("Ord_2");
  EXPECT_EQ(orte()[2], "Gerettet");
  EXPECT_TRUE(w.isVisible()) << "the change goes on";
  EXPECT_EQ(w.lbZ1->text(), "");
}

TEST_F(Editor, SearchesGoForwardAndBackwardFromTheSearchPosition) {
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{PLZSatz("Bergheim", 50126), PLZSatz("Heidelberg", 69117),
                                                                        PLZSatz("Dresden", 1067), PLZSatz("Weinberg", 74189)});
  oeffnen();
  w.sg1->setAktuelleZelle(1, 1);
  w.edSuchen1->setText("berg");
  EXPECT_EQ(w.SuchPosition, 0);
  QTest::keyClick(w.edSuchen1, Qt::Key_Return);
  EXPECT_EQ(w.AktuellerSatz, 2);
  QTest::mouseClick(w.sbSuchen1, Qt::LeftButton);
  EXPECT_EQ(w.AktuellerSatz, 4);
  QTest::mouseClick(w.sbSuchen1, Qt::RightButton);
  EXPECT_EQ(w.AktuellerSatz, 2);
  EXPECT_EQ(w.sg1->aktuelleZeile(), 2);
  // The postal code is compared as a plain number.
  w.sg1->setAktuelleZelle(6, 1);
  w.edSuchen1->setText("01067");
  QTest::keyClick(w.edSuchen1, Qt::Key_Return);
  EXPECT_EQ(w.SuchPosition, 0);
  w.edSuchen1->setText("1067");
  QTest::keyClick(w.edSuchen1, Qt::Key_Return);
  EXPECT_EQ(w.AktuellerSatz, 3);
  QEvent hinein(QEvent::Enter);
  QApplication::sendEvent(w.sbSuchen1, &hinein);
  EXPECT_EQ(w.sbSuchen1->toolTip(), "Suchen in Postleitzahl");
  // A double click puts the cell into the search edit.
  w.sg1->setAktuelleZelle(1, 4);
  QTest::mouseDClick(w.sg1->viewport(), Qt::LeftButton, {}, w.sg1->visualRect(w.sg1->currentIndex()).center());
  EXPECT_EQ(w.edSuchen1->text(), "Weinberg");
}

TEST_F(Editor, AClickLooksTheValueUpInTheOtherSidesColumn) {
  test::RecordsSchreiben(t / "Ord_2/Dat_D.ppp", std::vector<TPLZRecord>{PLZSatz("Berlin-Mitte", 10117), PLZSatz("Bonn", 10115),
                                                                        PLZSatz("Berlin", 10115)});
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{PLZSatz("Berlin", 10115)});
  oeffnen();
  w.cbOrdner2->setCurrentText("Ord_2");
  w.sg2->setAktuelleZelle(1, 1);
  QTest::mouseClick(w.sg1->viewport(), Qt::LeftButton, {}, w.sg1->visualRect(w.sg1->model()->index(0, 1)).center());
  EXPECT_EQ(w.sg2->aktuelleZeile(), 3) << "exact: not Berlin-Mitte";
  w.sg2->setAktuelleZelle(6, 1);
  QTest::mouseClick(w.sg1->viewport(), Qt::LeftButton, {}, w.sg1->visualRect(w.sg1->model()->index(0, 6)).center());
  EXPECT_EQ(w.sg2->aktuelleZeile(), 2) << "the postal code column of side 2";
}

}  // namespace
}  // namespace orvano
