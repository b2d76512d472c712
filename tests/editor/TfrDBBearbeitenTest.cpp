// The two-folder editor window: pages, keys, saving with the re-opening, searches, the lookup.
#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <cstring>

#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Start.h"
#include "editor/ut_Ersetzen.h"
#include "editor/ut_NeueDaten.h"
#include "support/Antworten.h"
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
  Datenbestand db;
  TfrDBBearbeiten w{db};
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

TEST_F(Editor, APageOfAFileAnotherProgramWroteIsNotSavedOverIt) {
  oeffnen();
  w.cbEdit->click();
  eintragen(w.sg1, 1, 1, "Anfang");
  // orvano-cli (say) rewrites the file while the page is on the screen.
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{PLZSatz("Fremd", 1), PLZSatz("Anders", 2)});
  const QString frage = QString::fromStdString(Datenbestand::VeraendertText(t / "Ord_1/Dat_D.ppp")) +
                        QString::fromUtf8("\rNeu laden? Ihre Änderungen gehen dabei verloren.");
  dialoge.antworte(Antwort::Ja, "Änderung in Ord_1/Dat_D.ppp Speichern?").antworte(Antwort::Nein, frage);
  w.sbSpeichern1->click();
  EXPECT_EQ(orte(), (std::vector<std::string>{"Fremd", "Anders"})) << "not overwritten";
  EXPECT_TRUE(w.sbSpeichern1->isEnabled()) << "the edits stay";
  dialoge.antworte(Antwort::Ja, "Änderung in Ord_1/Dat_D.ppp Speichern?").antworte(Antwort::Ja, frage);
  w.sbSpeichern1->click();
  EXPECT_EQ(w.seite(1).zelle(1, 1), "Fremd") << "the file as the other program left it";
  EXPECT_EQ(orte(), (std::vector<std::string>{"Fremd", "Anders"}));
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
  EXPECT_FALSE(w.StatusBar1->isHidden()) << "nothing found is said";
  EXPECT_EQ(w.StatusBar1->findChildren<QLabel*>().front()->text(), "Nicht gefunden");
  w.edSuchen1->setText("1067");
  QTest::keyClick(w.edSuchen1, Qt::Key_Return);
  EXPECT_EQ(w.AktuellerSatz, 3);
  EXPECT_TRUE(w.StatusBar1->isHidden());
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

TEST_F(Editor, TheComparisonShowsTheNextDifferenceOnBothSides) {
  std::vector<TPLZRecord> zwei;
  for (int i = 1; i <= 10; ++i) zwei.push_back(PLZSatz(("Ort" + std::to_string(i)).c_str(), 10000 + i));
  zwei[0].Ort.setzen("ort1");
  zwei[4].Strassen = 5;  // not compared
  zwei[6].Vorwahl = 30;
  test::RecordsSchreiben(t / "Ord_2/Dat_D.ppp", zwei);
  oeffnen();
  dialoge.antworte(Antwort::Ok, "Ordner 2 auswählen");
  QTest::mouseClick(w.sbGleich, Qt::LeftButton);
  w.cbOrdner2->setCurrentText("Ord_2");
  w.rdStrassen2->click();
  dialoge.antworte(Antwort::Ok, "PLZ oder Strassen Datenbank in beiden Ordner auswählen");
  QTest::mouseClick(w.sbGleich, Qt::LeftButton);
  w.rdPLZ2->click();
  w.zumSatz(1, 1);
  QTest::mouseClick(w.sbGleich, Qt::RightButton);
  EXPECT_EQ(w.VergleichsPosition, 1) << "backward right after opening looks at record 1";
  QTest::mouseClick(w.sbGleich, Qt::LeftButton);
  EXPECT_EQ(w.VergleichsPosition, 7);
  EXPECT_EQ(w.sg1->aktuelleZeile(), 7);
  EXPECT_EQ(w.sg2->aktuelleZeile(), 7);
  QTest::mouseClick(w.sbGleich, Qt::LeftButton);
  EXPECT_EQ(w.VergleichsPosition, 8) << "no further difference: the step stays";
  w.cbLand2->setCurrentIndex(2);
  dialoge.antworte(Antwort::Ok, QString::fromStdString(t / "Ord_2/Dat_CH.ppp") + " nicht gefunden");
  QTest::mouseClick(w.sbGleich, Qt::LeftButton);
}

TEST_F(Editor, NewDataOfSide1AreShownAndAppendedToSide2) {
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector{PLZSatz("A", 1), PLZSatz("B", 2), PLZSatz("C", 3)});
  test::RecordsSchreiben(t / "Ord_2/Dat_D.ppp", std::vector{PLZSatz("B", 2), PLZSatz("X", 4)});
  oeffnen();
  w.cbOrdner2->setCurrentText("Ord_2");
  QTimer::singleShot(0, [&] {
    TfrNeueDaten& n = *w.frNeueDaten;
    EXPECT_EQ(n.anzahl(), 2);
    EXPECT_EQ(n.seite().zelle(1, 2), "C");
    dialoge.antworte(Antwort::Ja, QString::fromStdString("Datei " + (t / "Ord_2/Dat_D.ppp") + " speichern?"));
    n.sbSpeichern->click();
    EXPECT_FALSE(n.isVisible()) << "the window closes after appending";
    if (n.isVisible()) n.reject();
  });
  dialoge.antworte(Antwort::Ja, "Neue Daten in Ord_1 Deutschland suchen?");
  w.sbNeueSuchen->click();
  EXPECT_EQ(test::PLZOrte(t / "Ord_2/Dat_D.ppp"), (std::vector<std::string>{"B", "X", "A", "C"}));
  EXPECT_EQ(w.lbZ2->text(), "n=4");
  EXPECT_FALSE(std::filesystem::exists(t / "neutemp.tmp"));
  dialoge.antworte(Antwort::Ja, "Neue Daten in Ord_1 Deutschland suchen?").antworte(Antwort::Ok, "Keine neue Daten");
  w.sbNeueSuchen->click();
}

TEST_F(Editor, DownOnTheLastRowOfTheNewDataScrollsByOneRecord) {
  std::vector<TPLZRecord> viele;
  for (int i = 1; i <= 300; ++i) viele.push_back(PLZSatz(("Ort " + std::to_string(i)).c_str(), 10000 + i));
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", viele);
  test::RecordsSchreiben(t / "Ord_2/Dat_D.ppp", std::vector{PLZSatz("X", 4)});
  oeffnen();
  w.cbOrdner2->setCurrentText("Ord_2");
  TfrNeueDaten& n = *w.frNeueDaten;
  // The search repaints while it runs: the window is looked at once it shows.
  std::function<void()> pruefen = [&] {
    if (!n.isVisible()) {
      QTimer::singleShot(10, pruefen);
      return;
    }
    n.resize(1000, 700);
    QApplication::processEvents();
    const int zeilen = n.seite().zeilen() - 1;
    EXPECT_GT(zeilen, 2);
    EXPECT_LT(zeilen, 300);
    n.sg1->setAktuelleZelle(1, zeilen);
    n.Position = zeilen;
    QTest::keyClick(n.sg1, Qt::Key_Down);
    EXPECT_EQ(n.seitenAnfang(), 1);
    EXPECT_EQ(n.Position, zeilen + 1);
    EXPECT_EQ(n.sg1->aktuelleZeile(), zeilen) << "the cursor stays on the last row";
    EXPECT_EQ(n.seite().zelle(1, zeilen), "Ort " + std::to_string(zeilen + 1));
    n.reject();
  };
  QTimer::singleShot(0, pruefen);
  dialoge.antworte(Antwort::Ja, "Neue Daten in Ord_1 Deutschland suchen?");
  w.sbNeueSuchen->click();
}

TEST_F(Editor, ReplacingWorksOnTheMainTablesAndTheOwnerIsTold) {
  db.OrdnerPfad = "Ord_1/";
  test::Antworten keine;
  ASSERT_TRUE(db.PLZLaden(keine));
  std::string gemeldet;
  w.dateiGeschrieben = [&](const std::string& d) { gemeldet = d; };
  oeffnen();
  w.sg1->setAktuelleZelle(6, 1);
  dialoge.antworte(Antwort::Ok, "Ersetzen in PLZ micht möglich");
  w.sbErsetzen->click();
  w.sg1->setAktuelleZelle(1, 1);
  QTimer::singleShot(0, [&] {
    TfrErsetzen& e = *w.frErsetzen;
    EXPECT_EQ(e.lbTit->text(), "PLZ-Datenbank:  Ersetzen in Ort");
    dialoge.antworte(Antwort::Ok, "Zeichenkette in Alt eingeben");
    e.sbErsetzen->click();
    e.edAlt->setText("Ort1");
    e.edNeu->setText("Stadt");
    e.sbErsetzen->click();
    EXPECT_EQ(e.lbGefunden->text(), QString::fromUtf8("Anzahl Änderung: 2"));
    EXPECT_EQ(e.liste().zelle(2, 2), "Stadt0");
    EXPECT_EQ(e.liste().zelle(3, 2), "10");
    dialoge.antworte(Antwort::Ja, QString::fromUtf8("2 Änderung\rPLZ-Datenbank in Ord_1/Dat_D.ppp speichern?"));
    e.sbSpeichern->click();
    EXPECT_FALSE(e.isVisible());
    if (e.isVisible()) e.reject();
  });
  w.sbErsetzen->click();
  EXPECT_EQ(gemeldet, t / "Ord_1/Dat_D.ppp");
  EXPECT_EQ(test::PLZOrte(t / "Ord_1/Dat_D.ppp")[9], "Stadt0");
  EXPECT_EQ(w.seite(1).zelle(1, 1), "Stadt") << "the page is read again";
  EXPECT_FALSE(std::filesystem::exists(t / "Ord_1/PLZTemp.tmp"));
}

}  // namespace
}  // namespace orvano
