#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "FensterTest.h"
#include "core/Datenbestand.h"
#include "main/PLZSpalten.h"
#include "ui/StringGrid.h"

namespace orvano {
namespace {

using test::PLZSatz;
using ui::Antwort;

const QString kFrage = QString::fromUtf8("Änderung in Ord_1/Dat_D.ppp Speichern?");

class Bearbeiten : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    plz(drei());
  }
};

TEST_F(Bearbeiten, CursorKeysDoNotCountAsEditsButShiftDoes) {
  TfrPLZ f;
  for (auto taste : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp,
                     Qt::Key_PageDown}) {
    QTest::keyClick(f.edOrt, taste);
  }
  // Nor do the keys of menus, buttons and the search: Alt with a letter, F3, Ctrl+F.
  QTest::keyClick(f.edOrt, Qt::Key_Alt);
  QTest::keyClick(f.edOrt, Qt::Key_D, Qt::AltModifier);
  QTest::keyClick(f.edOrt, Qt::Key_F3);
  QTest::keyClick(f.edOrt, Qt::Key_F, Qt::ControlModifier);
  EXPECT_FALSE(f.datenbestand().Geaendert);
  QTest::keyClick(f.edOrt, Qt::Key_Shift);
  EXPECT_TRUE(f.datenbestand().Geaendert);
  EXPECT_EQ(f.edOrt->text(), "Dresden");
}

TEST_F(Bearbeiten, FieldsRefuseWhatTheirRulesRefuseAndEnterMovesOn) {
  TfrPLZ f;
  aktiv(f);
  f.edPLZ->clear();
  QTest::keyClicks(f.edPLZ, "0a1S067x99");
  EXPECT_EQ(f.edPLZ->text(), "010679");
  f.edBreitengrad->clear();
  QTest::keyClicks(f.edBreitengrad, "51.0,5");
  EXPECT_EQ(f.edBreitengrad->text(), "51,05");
  f.edPLZ->setFocus();
  QTest::keyClick(f.edPLZ, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), f.edAutokennzeichen);
  f.edVorwahl->setFocus();
  QTest::keyClick(f.edVorwahl, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), f.edOrt) << "the last field wraps to the first";
}

TEST_F(Bearbeiten, AnEditAsksBeforeTheNextRecordAndNoLosesIt) {
  TfrPLZ f;
  QTest::keyClicks(f.edOrt, "x");
  ASSERT_TRUE(f.datenbestand().Geaendert);
  dialoge.antworte(Antwort::Nein, kFrage);
  f.tbPlus->click();
  EXPECT_EQ(f.edOrt->text(), "Berlin");
  EXPECT_FALSE(f.datenbestand().Geaendert);
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Dresden", "Berlin", "Bonn"}));
}

TEST_F(Bearbeiten, YesInTheRecordViewSavesTheShownRecord) {
  TfrPLZ f;
  f.tbPlus->click();
  f.edOrt->setText(QString::fromUtf8("Berlin-Mitte"));
  f.edPLZ->setText("01067");
  f.edVorwahl->setText("123456789");
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Ja, kFrage);
  f.sbSpeichern_Dat->click();
  EXPECT_FALSE(f.datenbestand().Geaendert);
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Dresden", "Berlin-Mitte", "Bonn"}));
  EXPECT_EQ(f.edOrt->text(), "Berlin-Mitte");
  EXPECT_EQ(f.edPLZ->text(), "01067");
  EXPECT_EQ(f.edVorwahl->text(), "0123456789");
  EXPECT_EQ(f.datenbestand().PLZTabelle[2].PLZ, 1067);
}

TEST_F(Bearbeiten, EmptyingOrtRemovesTheRecordOnSaving) {
  TfrPLZ f;
  f.edOrt->clear();
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Ja, kFrage);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Berlin", "Bonn"}));
  EXPECT_EQ(f.lbNr->text(), "Datensatz-Nr: 1 von 2");
}

TEST_F(Bearbeiten, ABadNumberChangesNothingAndKeepsTheEdit) {
  TfrPLZ f;
  f.edOrt->setText("Neustadt");
  f.edLaengengrad->setText(",");
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Ja, kFrage)
      .antworte(Antwort::Ok, QString::fromUtf8("Im Feld Längengrad steht keine gültige Zahl: \",\"\rEs wurde nichts gespeichert."));
  f.tbPlus->click();
  EXPECT_TRUE(f.datenbestand().Geaendert);
  EXPECT_EQ(f.edOrt->text(), "Neustadt") << "the step did not go on";
  EXPECT_EQ(f.datenbestand().PLZTabelle[1].Ort.text(), "Dresden") << "no field was copied";
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Dresden", "Berlin", "Bonn"}));
  f.edLaengengrad->setText("13,7");
  dialoge.antworte(Antwort::Ja, kFrage);
  f.tbPlus->click();
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Neustadt", "Berlin", "Bonn"}));
  EXPECT_EQ(f.edOrt->text(), "Berlin");
}

TEST_F(Bearbeiten, ASortedTableIsSavedInItsOrder) {
  TfrPLZ f;
  f.TabellenAnsicht = true;
  f.AnsichtUmschalten(false);
  f.StringGrid1->setAktuelleZelle(kSpalteOrt, 1);
  f.sbSort->click();
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Ja, kFrage);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Berlin", "Bonn", "Dresden"}));
  EXPECT_EQ(zelle(f, 0, 3), "3");
  EXPECT_EQ(zelle(f, kSpalteIndex, 1), "1");
}

TEST_F(Bearbeiten, EnterInTheLastRowAppendsARowThatBecomesARecord) {
  TfrPLZ f;
  f.TabellenAnsicht = true;
  f.AnsichtUmschalten(false);
  aktiv(f);
  f.StringGrid1->setAktuelleZelle(15, 3);
  QTest::keyClick(f.StringGrid1, Qt::Key_Return);
  EXPECT_TRUE(f.datenbestand().Geaendert);
  ASSERT_EQ(f.gridDaten().zeilen(), 5);
  EXPECT_EQ(f.StringGrid1->aktuelleZeile(), 4);
  EXPECT_EQ(f.StringGrid1->aktuelleSpalte(), 1);
  tippen(f.StringGrid1, "Kiel");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(f.StringGrid1->aktuelleSpalte(), 6) << "the hidden Staat column is skipped";
  tippen(f.StringGrid1, "24a103");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(zelle(f, 1, 4), "Kiel");
  EXPECT_EQ(zelle(f, 6, 4), "24103");
  EXPECT_EQ(zelle(f, kSpalteIndex, 4), "");
  EXPECT_EQ(zelle(f, 0, 4), "4") << "its running number";
  dialoge.antworte(Antwort::Ja, kFrage);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Dresden", "Berlin", "Bonn", "Kiel"}));
  EXPECT_EQ(f.datenbestand().PLZTabelle[4].Staat.text(), "DE") << "of the country shown, as a record typed into an empty file";
}

TEST_F(Bearbeiten, ANewRowWithoutPostalCodeDisappearsOnSaving) {
  TfrPLZ f;
  f.TabellenAnsicht = true;
  f.AnsichtUmschalten(false);
  aktiv(f);
  f.StringGrid1->setAktuelleZelle(15, 3);
  QTest::keyClick(f.StringGrid1, Qt::Key_Return);
  tippen(f.StringGrid1, "Kiel");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  dialoge.antworte(Antwort::Ja, kFrage);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Dresden", "Berlin", "Bonn"}));
  EXPECT_EQ(f.gridDaten().zeilen(), 4);
}

// A latitude of 999 in the record view, a letter in the table's Vorwahl: refused, and neither
// the record nor the file changes.
TEST_F(Bearbeiten, ACoordinateOffTheGlobeOrALetterInANumberIsRefused) {
  const std::string vorher = test::DateiLesen(t / "Ord_1/Dat_D.ppp");
  TfrPLZ f;
  f.edBreitengrad->setText("999");
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Ja, kFrage)
      .antworte(Antwort::Ok, QString::fromUtf8("Im Feld Breitengrad liegt 999 nicht zwischen -90 und 90\rEs wurde nichts gespeichert."));
  f.sbSpeichern_Dat->click();
  EXPECT_DOUBLE_EQ(f.datenbestand().PLZTabelle[1].Breitengrad, 0.0);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), vorher);
  f.edBreitengrad->setText("");
  f.datenbestand().Geaendert = false;
  f.TabellenAnsicht = true;
  f.AnsichtUmschalten(false);
  f.gridDaten().setZelle(14, 2, "03x0");
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Ja, kFrage)
      .antworte(Antwort::Ok, QString::fromUtf8("Zeile 2: Im Feld Vorwahl steht keine gültige Zahl: \"03x0\"\rEs wurde nichts gespeichert."));
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(zelle(f, 14, 2), "03x0") << "the edit stays to be mended";
  EXPECT_TRUE(f.datenbestand().Geaendert);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), vorher);
}

TEST_F(Bearbeiten, NoInTheTableViewDiscardsTheGridsEdits) {
  TfrPLZ f;
  f.TabellenAnsicht = true;
  f.AnsichtUmschalten(false);
  f.gridDaten().setZelle(1, 2, "Potsdam");
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Nein, kFrage);
  f.sbMaske->click();
  EXPECT_EQ(zelle(f, 1, 2), "Berlin");
  EXPECT_FALSE(f.TabellenAnsicht);
}

TEST_F(Bearbeiten, TheExitAsksTheSaveQuestionFirst) {
  TfrPLZ f;
  f.show();
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Nein, kFrage).antworte(Antwort::Nein, QString("Programm beenden?"));
  EXPECT_FALSE(f.Beenden());
  EXPECT_EQ(dialoge.boxen.size(), 2u);
  EXPECT_EQ(f.sbSpeichern_Dat->toolTip(),
            QString::fromUtf8("Linkemaus: Speichern Datenbak\nRechtemaus:  Datensätze in CSV/TXT-Datei speichern"));
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

// Coordinates that need 17 digits come back from the grid and the fields bit for bit.
TEST_F(Bearbeiten, SavingKeepsTheBytesOfUntouchedCoordinates) {
  auto orte = drei();
  orte[0].Breitengrad = 0.1 + 0.2;
  orte[0].Laengengrad = 13.123456789012344;
  orte[1].Breitengrad = -0.0;
  orte[1].Laengengrad = 51.05089;
  plz(orte);
  const std::string vorher = test::DateiLesen(t / "Ord_1/Dat_D.ppp");
  for (bool tabelle : {true, false}) {
    TfrPLZ f;
    f.TabellenAnsicht = tabelle;
    f.AnsichtUmschalten(false);
    f.datenbestand().Geaendert = true;
    dialoge.antworte(Antwort::Ja, kFrage);
    f.sbSpeichern_Dat->click();
    EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), vorher) << (tabelle ? "table view" : "record view");
  }
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST_F(Bearbeiten, DeleteAndBackspaceWorkInNumberFieldsAndFullCells) {
  TfrPLZ f;
  aktiv(f);
  f.edPLZ->setFocus();
  f.edPLZ->setCursorPosition(0);
  QTest::keyClick(f.edPLZ, Qt::Key_Delete);
  EXPECT_EQ(f.edPLZ->text(), "1067");
  f.edAutokennzeichen->setText("ABC");
  f.edAutokennzeichen->setFocus();
  f.edAutokennzeichen->setCursorPosition(1);
  QTest::keyClick(f.edAutokennzeichen, Qt::Key_Delete);
  QTest::keyClick(f.edAutokennzeichen, Qt::Key_Backspace);
  EXPECT_EQ(f.edAutokennzeichen->text(), "C") << "at the length limit";
  // A full Auto-KZ cell of the grid.
  f.TabellenAnsicht = true;
  f.AnsichtUmschalten(false);
  f.StringGrid1->setAktuelleZelle(7, 1);
  tippen(f.StringGrid1, "DDX");
  QWidget* editor = QApplication::focusWidget();
  QTest::keyClick(editor, Qt::Key_Home);
  QTest::keyClick(editor, Qt::Key_Delete);
  QTest::keyClick(editor, Qt::Key_End);
  QTest::keyClick(editor, Qt::Key_Backspace);
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(zelle(f, 7, 1), "D");
}

TEST_F(Bearbeiten, PastedTextPassesTheFiltersAndCopyingIsNoEdit) {
  TfrPLZ f;
  aktiv(f);
  f.edPLZ->setFocus();
  f.edPLZ->selectAll();
  QTest::keyClick(f.edPLZ, Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(f.edPLZ, Qt::Key_A, Qt::ControlModifier);
  EXPECT_FALSE(f.datenbestand().Geaendert);
  QApplication::clipboard()->setText("D-12a34\n5678");
  QTest::keyClick(f.edPLZ, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(f.edPLZ->text(), "123456") << "digits only, six at most";
  EXPECT_TRUE(f.datenbestand().Geaendert);
  QApplication::clipboard()->setText("51.5,7x");
  f.edBreitengrad->clear();
  f.edBreitengrad->setFocus();
  QTest::keyClick(f.edBreitengrad, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(f.edBreitengrad->text(), "51,57");
}

TEST_F(Bearbeiten, TheCountryComboTakesNoLettersAndADisabledSortNoClick) {
  TfrPLZ f;
  aktiv(f);
  f.cbLand->setFocus();
  QTest::keyClicks(f.cbLand, "sdo");
  EXPECT_EQ(f.cbLand->currentIndex(), 0);
  f.TabellenAnsicht = false;
  f.AnsichtUmschalten(false);
  f.sbSort->setEnabled(false);
  auto orte = [&] { return zelle(f, 1, 1) + zelle(f, 1, 2) + zelle(f, 1, 3); };
  const auto vorher = orte();
  for (auto knopf : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) QTest::mouseClick(f.sbSort, knopf);
  EXPECT_EQ(orte(), vorher);
  EXPECT_TRUE(dialoge.boxen.empty());
}

}  // namespace
}  // namespace orvano
