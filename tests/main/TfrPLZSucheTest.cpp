#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>

#include "FensterTest.h"
#include "core/Datenbestand.h"
#include "main/PLZSpalten.h"
#include "ui/StringGrid.h"

namespace orvano {
namespace {

using test::PLZSatz;
using test::StrassenSatz;
using ui::Antwort;

class Suche : public test::FensterTest {
 protected:
  std::vector<TPLZRecord> orte() {
    return {PLZSatz("Oberhausen", 46045), PLZSatz("Berlin", 10115), PLZSatz("Bonn", 53111), PLZSatz("Bernau", 16321),
            PLZSatz("M\xFCnchen", 80331)};
  }
  void suchen(TfrPLZ& f, const char* text) {
    f.edSuchen->clear();
    QTest::keyClicks(f.edSuchen, text);
    QTest::keyClick(f.edSuchen, Qt::Key_Return);
  }
  static void maus(QWidget* w, Qt::MouseButton knopf) { QTest::mousePress(w, knopf); }
};

TEST_F(Suche, EnterFindsTheNextMatchAndTypingStartsAgain) {
  plz(orte());
  TfrPLZ f;
  f.TabellenAnsicht = true;
  f.AnsichtUmschalten(false);
  f.StringGrid1->setAktuelleZelle(kSpalteOrt, 1);
  suchen(f, "ber");
  EXPECT_EQ(f.StringGrid1->aktuelleZeile(), 2);
  QTest::keyClick(f.edSuchen, Qt::Key_Return);
  EXPECT_EQ(f.StringGrid1->aktuelleZeile(), 4);
  EXPECT_EQ(f.StatusText(), "");
  QTest::keyClick(f.edSuchen, Qt::Key_Return);
  EXPECT_EQ(f.StringGrid1->aktuelleZeile(), 4) << "no wrap-around";
  EXPECT_EQ(f.StatusText(), "Nicht gefunden");
  QTest::keyClick(f.edSuchen, Qt::Key_L);
  QTest::keyClick(f.edSuchen, Qt::Key_Return);
  EXPECT_EQ(f.StringGrid1->aktuelleZeile(), 2) << "typing resets the search to row 1";
  EXPECT_EQ(f.StatusText(), "") << "a hit takes the note away";
  f.cbGenau->click();
  EXPECT_EQ(f.SuchStart, 1);
  suchen(f, "bonn");
  EXPECT_EQ(f.StringGrid1->aktuelleZeile(), 3);
  suchen(f, "bon");
  EXPECT_EQ(f.StringGrid1->aktuelleZeile(), 3) << "with Genau a prefix is not enough";
}

TEST_F(Suche, TheRecordViewSearchesTheClickedFieldsColumn) {
  plz(orte());
  TfrPLZ f;
  QTest::mouseClick(f.edPLZ, Qt::LeftButton);
  EXPECT_EQ(f.SuchSpalte, kSpaltePLZ);
  EXPECT_NE(f.edPLZ->styleSheet().indexOf("#CCFFCC"), -1);
  EXPECT_EQ(f.edOrt->styleSheet(), "");
  EXPECT_EQ(f.suchHinweis(), "Suchen in PLZ (nach Enter)");
  suchen(f, "8");
  EXPECT_EQ(f.edOrt->text(), QString::fromUtf8("München"));
  QTest::mouseClick(f.edLaengengrad, Qt::LeftButton);
  EXPECT_EQ(f.suchHinweis(), QString::fromUtf8("Suchen in Längengrad (nach Enter)"));
}

TEST_F(Suche, LeadingZerosOfGermanCodesAreFound) {
  plz({PLZSatz("Berlin", 10115), PLZSatz("Dresden", 1067)});
  TfrPLZ f;
  QTest::mouseClick(f.edPLZ, Qt::LeftButton);
  suchen(f, "01");
  EXPECT_EQ(f.edOrt->text(), "Dresden");
  EXPECT_EQ(f.lbNr->text(), "Datensatz-Nr: 2 von 2");
}

TEST_F(Suche, HintsNameTheColumnOrField) {
  plz(orte());
  TfrPLZ f;
  EXPECT_EQ(f.suchHinweis(), "Suchen in Ort (nach Enter)");
  f.TabellenAnsicht = true;
  f.AnsichtUmschalten(false);
  f.StringGrid1->setAktuelleZelle(9, 1);
  EXPECT_EQ(f.suchHinweis(), QString::fromUtf8("Suchen in Längengrad (nach Enter)"));
  EXPECT_EQ(f.sortHinweis(), QString::fromUtf8("Sortieren nach Längengrad\nLinke- / Rechtemaus: Absteigend / Aufsteigend"));
  EXPECT_TRUE(f.sbSort->isEnabled());
  f.TabellenAnsicht = false;
  f.AnsichtUmschalten(false);
  EXPECT_FALSE(f.sbSort->isEnabled());
}

TEST_F(Suche, SortingByButtonAndTheSaveQuestionFirst) {
  std::vector<TPLZRecord> r = orte();
  r[0].Laengengrad = 6.8;
  r[1].Laengengrad = 13.4;
  r[2].Laengengrad = 7.1;
  r[3].Laengengrad = 13.6;
  r[4].Laengengrad = 11.6;
  plz(r);
  TfrPLZ f;
  f.TabellenAnsicht = true;
  f.AnsichtUmschalten(false);
  f.StringGrid1->setAktuelleZelle(9, 1);
  f.sbSort->click();  // left: numeric column descending
  EXPECT_EQ(zelle(f, 9, 1), "13,6");
  EXPECT_EQ(zelle(f, 9, 5), "6,8");
  EXPECT_EQ(zelle(f, 0, 1), "1");
  maus(f.sbSort, Qt::RightButton);
  EXPECT_EQ(zelle(f, 9, 1), "6,8");
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Nein, QString::fromUtf8("Änderung in Ord_1/Dat_D.ppp Speichern?"));
  f.sbSort->click();
  EXPECT_FALSE(f.datenbestand().Geaendert);
  EXPECT_EQ(zelle(f, 9, 1), "13,6");
}

class Strassen : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    TPLZRecord berlin1 = PLZSatz("Berlin", 10115), berlin2 = PLZSatz("Berlin", 10117);
    berlin1.Autokennzeichen.setzen("B");
    berlin2.Autokennzeichen.setzen("B");
    plz({berlin1, berlin2, PLZSatz("Bonn", 53111), PLZSatz("Bonn-Nord", 53111), PLZSatz("Leer", 26789)});
    TStrassenRecord mitNr = StrassenSatz(53111, "Am Hof");
    mitNr.HausNrKz = '1';
    mitNr.AbNr.setzen("2");
    mitNr.BisNr.setzen("48");
    TStrassenRecord ohneNr = StrassenSatz(53111, "Markt");
    ohneNr.HausNrKz = '0';
    ohneNr.AbNr.setzen("9");
    strassen({StrassenSatz(10115, "Invalidenstra\xDF" "e"), mitNr, StrassenSatz(10117, "Unter den Linden"), ohneNr,
              StrassenSatz(53111, "Hafenweg")});
  }
  void zeigen(TfrPLZ& f, int zeile) {
    f.StringGrid1->setAktuelleZelle(1, zeile);
    f.DatensatzZeigen(zeile);
  }
};

TEST_F(Strassen, TheListHoldsTheStreetsOfTheCodeWithTheirHouseNumbers) {
  TfrPLZ f;
  f.show();
  f.Aktivieren();
  zeigen(f, 3);
  ASSERT_EQ(f.cbStrasse->count(), 3);
  EXPECT_EQ(f.cbStrasse->itemText(0), "Am Hof");
  EXPECT_EQ(f.cbStrasse->currentText(), "Am Hof");
  EXPECT_EQ(f.ListBox1, (std::vector<std::int32_t>{2, 4, 5}));
  EXPECT_EQ(f.lbStrasseZahl->text(), "n=3");
  EXPECT_TRUE(f.lbStrNr->isVisible());
  EXPECT_EQ(f.lbStrNr->text(), "2 - 48");
  f.cbStrasse->setCurrentIndex(1);
  EXPECT_FALSE(f.lbStrNr->isVisible()) << "HausNrKz 0 shows no numbers";
  EXPECT_EQ(f.datenbestand().PLZTabelle[3].Strassen, 0) << "what is shown never changes the stored record";
  // Streets without place belong to the code's first record: Bonn-Nord, the second, has none.
  zeigen(f, 4);
  EXPECT_EQ(f.cbStrasse->count(), 0);
  EXPECT_EQ(f.lbStrasseZahl->text(), "n=0");
}

TEST_F(Strassen, NoLoneDashForAStreetWithoutNumbersNorForACountryWithoutStreets) {
  TStrassenRecord ohne = StrassenSatz(26789, "Deichstrasse");
  ohne.HausNrKz = '1';
  strassen({StrassenSatz(10115, "Invalidenstra\xDF" "e"), ohne});
  plz({PLZSatz("Wien", 1010, "AT")}, "Ord_1/Dat_A.ppp");
  TfrPLZ f;
  f.show();
  f.Aktivieren();
  zeigen(f, 5);
  EXPECT_EQ(f.cbStrasse->currentText(), "Deichstrasse");
  EXPECT_FALSE(f.lbStrNr->isVisible()) << "marked as numbered, but no number to show";
  strassen({StrassenSatz(10115, "Invalidenstra\xDF" "e"), StrassenSatz(53111, "Markt")});
  TStrassenRecord mitNr = StrassenSatz(26789, "Deichstrasse");
  mitNr.HausNrKz = '1';
  mitNr.AbNr.setzen("2");
  strassen({mitNr});
  f.DateiGeschrieben(t / "Ord_1/Strassen_D.ppp");
  zeigen(f, 5);
  EXPECT_TRUE(f.lbStrNr->isVisible());
  EXPECT_EQ(f.lbStrNr->text(), "2 - ");
  f.cbLand->setCurrentIndex(1);
  emit f.cbLand->activated(1);
  EXPECT_EQ(f.landText(), "\xD6sterreich");
  EXPECT_FALSE(f.lbStrNr->isVisible()) << "Austria has no street file";
}

TEST_F(Strassen, ACodeWithoutStreetsShowsAnEmptyListAndCountsZero) {
  TfrPLZ f;
  f.show();
  f.Aktivieren();
  f.datenbestand().PLZTabelle[5].Strassen = 4;
  zeigen(f, 3);
  zeigen(f, 4);
  zeigen(f, 5);
  EXPECT_EQ(f.cbStrasse->count(), 0);
  EXPECT_EQ(f.cbStrasse->currentText(), "");
  EXPECT_EQ(f.lbStrasseZahl->text(), "n=0");
  EXPECT_FALSE(f.lbStrNr->isVisible());
  EXPECT_EQ(f.datenbestand().PLZTabelle[5].Strassen, 4) << "the stored count stays";
  // By the stored counts, the shown record by its list: Berlin 1 + Berlin 1 + Bonn max(1, 0)
  // + Bonn-Nord max(1, 0) + Leer max(1, 0).
  EXPECT_EQ(f.datenbestand().ZeilenGesamt, 5);
}

TEST_F(Strassen, TheStreetCounterStepsThroughTheList) {
  TfrPLZ f;
  f.show();
  f.Aktivieren();
  zeigen(f, 3);
  QTest::mousePress(f.lbStrasseZahl, Qt::LeftButton);
  QTest::mousePress(f.lbStrasseZahl, Qt::LeftButton);
  EXPECT_EQ(f.cbStrasse->currentIndex(), 2);
  QTest::mousePress(f.lbStrasseZahl, Qt::LeftButton);
  EXPECT_EQ(f.cbStrasse->currentIndex(), 2) << "the last street stays selected";
  QTest::mousePress(f.lbStrasseZahl, Qt::RightButton);
  EXPECT_EQ(f.cbStrasse->currentIndex(), 1);
}

TEST_F(Strassen, ThePlaceCounterStepsToTheNextCodeOfThePlace) {
  TfrPLZ f;
  f.show();
  f.Aktivieren();
  zeigen(f, 1);
  EXPECT_EQ(f.lbPLZZahl->text(), "n=2");
  QTest::mousePress(f.lbPLZZahl, Qt::LeftButton);
  EXPECT_EQ(f.edPLZ->text(), "10117");
  EXPECT_EQ(f.lbPLZZahl->text(), "n=2");
  QTest::mousePress(f.lbPLZZahl, Qt::LeftButton);
  EXPECT_EQ(f.edPLZ->text(), "10117") << "Bonn is another place";
  QTest::mousePress(f.lbPLZZahl, Qt::RightButton);
  EXPECT_EQ(f.edPLZ->text(), "10115");
}

TEST_F(Strassen, TheStreetSearchBeginsAtTheFirstStreet) {
  TfrPLZ f;
  f.show();
  f.Aktivieren();
  zeigen(f, 3);
  f.StrassenSuche = true;
  f.SuchStart = 1;
  f.edSuchen->setText("am");
  f.Schnellsuche();
  EXPECT_EQ(f.cbStrasse->currentIndex(), 0);
  EXPECT_EQ(f.suchHinweis(), "Suchen in Strasse (nach Enter)");
  f.edSuchen->setText("h");
  f.SuchStart = 1;
  f.Schnellsuche();
  EXPECT_EQ(f.cbStrasse->currentIndex(), 2);
}

TEST_F(Strassen, WithoutAStreetFileTheListIsHiddenAndCountsStay) {
  std::filesystem::remove(t / "Ord_1/Strassen_D.ppp");
  TfrPLZ f;
  f.show();
  f.Aktivieren();
  f.datenbestand().PLZTabelle[3].Strassen = 7;
  zeigen(f, 3);
  EXPECT_FALSE(f.cbStrasse->isVisible());
  EXPECT_FALSE(f.lbStrasse->isVisible());
  EXPECT_FALSE(f.lbStrasseZahl->isVisible());
  EXPECT_EQ(f.datenbestand().PLZTabelle[3].Strassen, 7);
}

TEST_F(Strassen, TheStreetButtonChecksBeforeTheWindowOpens) {
  TfrPLZ f;
  f.StringGrid1->setAktuelleZelle(1, 2);
  EXPECT_TRUE(f.sbStrasseVorbereiten(Qt::RightButton));
  EXPECT_EQ(StrassenFensterZeile, 2);
  EXPECT_EQ(f.Tag, 9);
  EXPECT_TRUE(f.sbStrasseVorbereiten(Qt::LeftButton));
  EXPECT_EQ(f.Tag, 0);
  std::filesystem::remove(t / "Ord_1/Dat_D.ppp");
  dialoge.antworte(Antwort::Ok, QString::fromStdString("Datei " + t.pfad() + "Ord_1/Dat_D.ppp nicht gefunden"));
  EXPECT_FALSE(f.sbStrasseVorbereiten(Qt::LeftButton));
  EXPECT_EQ(f.sbStrasse->toolTip(), "Strassen Datenbank bearbeiten\nRechtemaus: Strassen-Anzahl neu berechnen");
}

}  // namespace
}  // namespace orvano
