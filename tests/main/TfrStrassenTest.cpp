// The street window over the main window's data.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <QLabel>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "FensterTest.h"
#include "streets/ut_Strassen.h"
#include "ui/StringGrid.h"

namespace orvano {
namespace {

using test::PLZSatz;
using test::StrassenSatz;
using ui::Antwort;

class StrassenFenster : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    TPLZRecord bonn = PLZSatz("Bonn", 53111);
    bonn.Strassen = 1;
    bonn.AbBisNr = 2;
    plz({bonn, PLZSatz("Beuel", 53111)});
    strassen({StrassenSatz(53111, "Rhein", "Beuel"), StrassenSatz(53111, "Markt", "Bonn")});
  }
};

TEST_F(StrassenFenster, EnterMakesANewRowOfTheRecordAndClosingSavesIt) {
  TfrPLZ f;
  f.Aktivieren();
  TfrStrassen& s = *f.frStrassen;
  s.vorbereiten(1, false, 'D', "Ord_1");
  s.show();
  EXPECT_EQ(s.windowTitle(), QString(" Strassen - Datenbank  Ord_1"));
  EXPECT_EQ(s.lbPLZ->text(), QString("53111 Bonn n=1"));
  ASSERT_EQ(s.tabelle().zeilen(), 2);
  EXPECT_EQ(s.tabelle().zelle(3, 1), "Markt");
  EXPECT_FALSE(s.StrassenGeaendert);
  // Enter walks through the numbers; after the last column a new row with place and code.
  s.StringGrid1->setFocus();
  for (int i = 0; i < 3; ++i) QTest::keyClick(s.StringGrid1, Qt::Key_Return);
  ASSERT_EQ(s.tabelle().zeilen(), 3);
  EXPECT_EQ(s.tabelle().zelle(0, 2), "2");
  EXPECT_EQ(s.tabelle().zelle(1, 2), "Bonn");
  EXPECT_EQ(s.tabelle().zelle(2, 2), "53111");
  EXPECT_EQ(s.StringGrid1->aktuelleZeile(), 2);
  EXPECT_EQ(s.StringGrid1->aktuelleSpalte(), 3);
  EXPECT_TRUE(s.StrassenGeaendert);
  s.tabelle().setZelle(3, 2, "Neugasse");
  dialoge.antworte(Antwort::Ja, QString::fromUtf8("Änderung in Temporäre Datei speichern?"));
  dialoge.antworte(Antwort::Ja, QString("Strassen-Datenbank Ord_1/Strassen_D.ppp speichern?"));
  s.close();
  EXPECT_TRUE(s.geschrieben());
  ASSERT_EQ(f.datenbestand().StrassenZahl, 3);
  EXPECT_EQ(f.datenbestand().StrassenTabelle[3].Strasse.text(), "Neugasse");
  EXPECT_EQ(f.datenbestand().PLZTabelle[1].Strassen, 2);
}

TEST_F(StrassenFenster, UpdateModeStoresTheTrueCountAndCloses) {
  TfrPLZ f;
  f.Aktivieren();
  TfrStrassen& s = *f.frStrassen;
  s.vorbereiten(2, true, 'D', "Ord_1");
  dialoge.antworte(Antwort::Ok, QString("Strassen in Beuel sind aktualisiert."));
  s.show();
  QApplication::processEvents();
  EXPECT_FALSE(s.isVisible());
  EXPECT_TRUE(s.geschrieben());
  EXPECT_EQ(f.datenbestand().PLZTabelle[2].Strassen, 1);
  EXPECT_EQ(f.datenbestand().PLZTabelle[2].AbBisNr, 1);
}

TEST_F(StrassenFenster, TypingAPlaceJumpsToItAndTheMainWindowFollows) {
  TfrPLZ f;
  f.Aktivieren();
  TfrStrassen& s = *f.frStrassen;
  s.vorbereiten(1, false, 'D', "Ord_1");
  s.show();
  QTest::keyClicks(s.edPLZ, "Be1u");
  EXPECT_EQ(s.edPLZ->text(), QString("Beu")) << "letters only once a letter came first";
  EXPECT_EQ(s.lbPLZ->text(), QString("53111 beuel"));
  QTest::keyClick(s.edPLZ, Qt::Key_Return);
  EXPECT_EQ(s.satz(), 2);
  EXPECT_EQ(s.tabelle().zelle(1, 1), "Beuel");
  EXPECT_EQ(s.tabelle().zelle(3, 1), "Rhein") << "listed although its stored count is 0";
  s.close();
  f.SatzAuswaehlen(s.satz());
  EXPECT_EQ(f.edOrt->text(), QString("Beuel"));
}

TEST_F(StrassenFenster, LookingAtACodeOfTwoPlacesAndOpeningItsStreetsWritesNothing) {
  const std::string plzVorher = test::DateiLesen(t / "Ord_1/Dat_D.ppp");
  const std::string strassenVorher = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
  TfrPLZ f;
  f.Aktivieren();
  f.SatzAuswaehlen(1);
  EXPECT_EQ(f.lbStrasseZahl->text(), QString("n=1")) << "the lookup shows the record's own streets, not the whole code's";
  EXPECT_EQ(f.datenbestand().PLZTabelle[1].Strassen, 1) << "but the record keeps its stored count";
  f.SatzAuswaehlen(2);
  EXPECT_EQ(f.cbStrasse->itemText(0), QString("Rhein"));
  EXPECT_EQ(f.lbStrasseZahl->text(), QString("n=1"));
  f.SatzAuswaehlen(1);
  TfrStrassen& s = *f.frStrassen;
  s.vorbereiten(1, false, 'D', "Ord_1");
  s.show();
  EXPECT_EQ(s.lbPLZ->text(), QString("53111 Bonn n=1"));
  s.close();
  EXPECT_FALSE(s.geschrieben());
  s.vorbereiten(2, false, 'D', "Ord_1");
  s.show();
  EXPECT_EQ(s.tabelle().zelle(3, 1), "Rhein");
  s.close();
  EXPECT_FALSE(s.geschrieben());
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), plzVorher);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_D.ppp"), strassenVorher);
}

TEST_F(StrassenFenster, WithoutTheGermanStreetFileTheWindowSaysWhereToGetOne) {
  std::filesystem::remove(t / "Ord_1/Strassen_D.ppp");
  TfrPLZ f;
  f.Aktivieren();
  TfrStrassen& s = *f.frStrassen;
  s.vorbereiten(1, false, 'D', "Ord_1");
  dialoge.antworte(Antwort::Ok);
  s.show();
  ASSERT_EQ(dialoge.boxen.size(), 1u);
  EXPECT_TRUE(dialoge.boxen[0].text.startsWith("Datei Strassen_D.ppp nicht gefunden.\rDownload auf file://")) << dialoge.boxen[0].text.toStdString();
  EXPECT_TRUE(dialoge.boxen[0].text.endsWith("/README.md#street-data"));
  EXPECT_EQ(s.tabelle().zelle(1, 1), "Bonn") << "one row of the record's place";
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST_F(StrassenFenster, EditsAndInsertedRowsUndoWithCtrlZAndEscapeAsksBeforeDroppingThem) {
  TfrPLZ f;
  f.Aktivieren();
  TfrStrassen& s = *f.frStrassen;
  s.vorbereiten(1, false, 'D', "Ord_1");
  s.show();
  QApplication::setActiveWindow(&s);
  s.StringGrid1->setAktuelleZelle(3, 1);
  s.StringGrid1->setFocus();
  QTest::keyClicks(s.StringGrid1, "M");
  QTest::keyClicks(QApplication::focusWidget(), "arktplatz");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(s.tabelle().zelle(3, 1), "Marktplatz");
  s.sbEinfuegen->click();
  ASSERT_EQ(s.tabelle().zeilen(), 3);
  QTest::keyClick(s.StringGrid1, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(s.tabelle().zeilen(), 2) << "the inserted row goes first";
  QTest::keyClick(s.StringGrid1, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(s.tabelle().zelle(3, 1), "Markt");
  EXPECT_FALSE(s.StrassenGeaendert) << "back at the list as read";
  QTest::keyClick(s.StringGrid1, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(s.tabelle().zelle(3, 1), "Marktplatz");
  EXPECT_TRUE(s.StrassenGeaendert);
  dialoge.antworte(Antwort::Nein, QString::fromUtf8("Änderung in Temporäre Datei speichern?"));
  QTest::qWait(450);  // a press right after the list was read would still belong to that run
  QTest::keyClick(&s, Qt::Key_Escape);
  EXPECT_FALSE(s.isVisible()) << "Escape closes the window, after the question";
}

}  // namespace
}  // namespace orvano
