// The import window and the import-format window, opened from the main window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QProgressBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QSignalSpy>
#include <QTimer>

#include "FensterTest.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "exchange/ut_Import.h"
#include "exchange/ut_ImportFormat.h"
#include "main/PLZSpalten.h"
#include "streets/ut_Internet.h"
#include "support/TestServer.h"
#include "ui/StringGrid.h"

namespace orvano {
namespace {

using ui::Antwort;

class ImportFenster : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    plz(drei());
    std::filesystem::create_directories(t / "Ord_2");
    test::DateiSchreiben(t / "Orte.imp", "Ort|||||PLZ||||||||||||||||\r\n");
    test::DateiSchreiben(t / "orte.csv", "PLZ;Ort\r\n24103;Kiel\r\n\r\n;Ohnecode\r\n80331;M\xFCnchen\r\n");
  }
  // The import window shown, reading through the format "Orte" as a user picks it.
  static void orteWaehlen(TfrImport& w) {
    w.show();
    w.cbFormat->setCurrentText("Orte");
    emit w.cbFormat->activated(w.cbFormat->currentIndex());
  }
};

TEST_F(ImportFenster, TheFormatWindowEditsOnlyTitlesAndTwoDefaults) {
  TfrPLZ f;
  TfrImportFormat& w = *f.frImportFormat;
  auto* m = w.sg1->modell();
  EXPECT_TRUE(m->flags(m->index(0, 1)) & Qt::ItemIsEditable);
  EXPECT_TRUE(m->flags(m->index(0, 2)) & Qt::ItemIsEditable) << "Eingabe of Ort";
  EXPECT_TRUE(m->flags(m->index(5, 2)) & Qt::ItemIsEditable) << "Eingabe of Postleitzahl";
  EXPECT_FALSE(m->flags(m->index(2, 2)) & Qt::ItemIsEditable);
  EXPECT_FALSE(m->flags(m->index(0, 0)) & Qt::ItemIsEditable);
  EXPECT_EQ(w.sg1->hintergrund(2, 6, false), ui::StringGrid::kHellgruen);
  w.mapping().setZelle(1, 3, "Land");
  emit w.sg1->doppelKlick(1, 3);
  EXPECT_EQ(w.mapping().zelle(1, 3), "Bundesland");
}

TEST_F(ImportFenster, SavingAFormatWritesItsLineAndListsIt) {
  TfrPLZ f;
  TfrImportFormat& w = *f.frImportFormat;
  w.show();
  w.edDel1->setText("\"");
  dialoge.datei(QString::fromStdString(t / "Neu.imp"));
  w.sbSpeichernClick();
  // The format shown is the first of the list, "Orte", with the delete text added.
  EXPECT_EQ(test::DateiLesen(t / "Neu.imp"), "Ort|||||PLZ|||||||||||\"||||||\r\n");
  EXPECT_EQ(w.cbFormat->currentText(), "Neu");
  EXPECT_NE(w.cbFormat->findText("Orte"), -1);
}

TEST_F(ImportFenster, TheTestReadsFileOneIntoTheTestGrid) {
  TfrPLZ f;
  TfrImportFormat& w = *f.frImportFormat;
  w.show();
  w.cbFormat->setCurrentText("Orte");
  w.FormatWaehlen();
  w.edAnzahl->setText("2");
  dialoge.datei(QString::fromStdString(t / "orte.csv"));
  w.sbTestClick();
  EXPECT_EQ(w.test().zelle(1, 1), "Kiel");
  EXPECT_EQ(w.test().zelle(1, 2), "Ohnecode");
  EXPECT_EQ(w.test().zelle(6, 2), "") << "no code is made up";
  EXPECT_EQ(w.lbH->count(), 4) << "title, two rows and the empty line between them";
  EXPECT_EQ(w.lbZahl->text(), "n=3  ohne PLZ: 1");
  EXPECT_EQ(w.edSeparator->text(), ";");
  EXPECT_EQ(w.windowTitle(), "  Import-Format   Datei: orte.csv");
  EXPECT_GE(w.test().breite(0), 25);
  EXPECT_FALSE(w.StatusBar1->isVisible()) << "the status bar shows only while reading";
  EXPECT_FALSE(w.ProgressBar1->isVisible());
  EXPECT_TRUE(w.sbRefresh->isEnabled());
}

TEST_F(ImportFenster, AnIncompleteJoinIsNamedAndItsBoxMarked) {
  TfrPLZ f;
  TfrImportFormat& w = *f.frImportFormat;
  w.show();
  test::DateiSchreiben(t / "zwei.csv", "Nr;Name\r\n1;x\r\n");
  w.edID->clear();
  dialoge.antworte(Antwort::Ok, QString("ID Titel eingeben"));
  w.Verknuepfen(QString::fromStdString(t / "zwei.csv"), w.test(), true, nullptr, nullptr);
  EXPECT_NE(w.edID->styleSheet().indexOf("#FF8080"), -1);
  w.edID->setText("Nr");
  w.edIDVerkn->setText("Name");
  w.cbTitel->setCurrentText("Ort");
  w.VerknuepfungInfo();
  EXPECT_EQ(w.lbVerknInfo->text(), "\"Ort\" in Datei 1 wird durch \"Name\" aus Datei 2 ersetzt");
}

TEST_F(ImportFenster, ImportingAppendsToTheChosenFolderAfterTheQuestion) {
  TfrPLZ f;
  f.Aktivieren();
  TfrImport& w = *f.frImport;
  w.show();
  EXPECT_EQ(w.windowTitle(), " Import  Deutschland");
  EXPECT_EQ(w.plOben->text(), QString::fromStdString(t / "Ord_1/Dat_D.ppp  n=3"));
  w.cbFormat->setCurrentText("Orte");
  emit w.cbFormat->activated(w.cbFormat->currentIndex());
  w.dateiOeffnen(QString::fromStdString(t / "orte.csv"));
  EXPECT_EQ(w.tabelle().zelle(1, 3), "M\xFCnchen");
  EXPECT_EQ(w.lbZahl->text(), "3  ohne PLZ: 1");
  EXPECT_GE(w.width(), 950);
  w.cbOrdner->setCurrentText("Ord_2");
  dialoge.antworte(Antwort::Ja, QString::fromUtf8("Daten in Ord_2/Dat_D.ppp speichern?"))
      .antworte(Antwort::Ok, QString::fromUtf8("2 Datensätze geschrieben, 1 Zeile ohne Ort oder PLZ übersprungen: Ord_2/Dat_D.ppp"));
  w.sbSpeichernClick();
  EXPECT_EQ(dialoge.boxen[0].symbol, ui::Symbol::Information);
  // The row without a code is skipped, and the message says so.
  EXPECT_EQ(std::filesystem::file_size(t / "Ord_2/Dat_D.ppp"), 600u);
  EXPECT_EQ(w.Tag, 1);
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(std::filesystem::exists(t / "einstPLZ.frb")) << "closing writes the settings";
  w.show();
  w.cbOrdner->setCurrentText("Ord_2");
  w.obenAnzeigen();
  w.dateiOeffnen(QString::fromStdString(t / "orte.csv"));
  dialoge.antworte(Antwort::Nein, QString::fromUtf8("Daten an Ord_2/Dat_D.ppp anhängen?"));
  w.sbSpeichernClick();
  EXPECT_EQ(std::filesystem::file_size(t / "Ord_2/Dat_D.ppp"), 600u);
  EXPECT_EQ(dialoge.boxen[2].symbol, ui::Symbol::Warnung);
}

// A binary chosen by mistake is refused at once; "Ja" afterwards says that nothing was written
// and leaves the window open.
TEST_F(ImportFenster, ABinarySourceIsRefusedAndNothingIsWrittenSilently) {
  TfrPLZ f;
  f.Aktivieren();
  TfrImport& w = *f.frImport;
  w.show();
  w.cbFormat->setCurrentText("Orte");
  emit w.cbFormat->activated(w.cbFormat->currentIndex());
  std::string binaer = "PLZ;Ort\r\n24103;Kiel\r\n";
  binaer += std::string("\0\0\x01\x02PK\x03\x04", 8);
  test::DateiSchreiben(t / "archiv.csv", binaer);
  dialoge.antworte(Antwort::Ok);
  w.dateiOeffnen(QString::fromStdString(t / "archiv.csv"));
  ASSERT_EQ(dialoge.boxen.size(), 1u);
  EXPECT_NE(dialoge.boxen[0].text.indexOf("ist keine Textdatei"), -1) << dialoge.boxen[0].text.toStdString();
  EXPECT_EQ(w.tabelle().zelle(1, 1), "");
  const std::string vorher = test::DateiLesen(t / "Ord_1/Dat_D.ppp");
  dialoge.antworte(Antwort::Ja, QString::fromUtf8("Daten an Ord_1/Dat_D.ppp anhängen?"))
      .antworte(Antwort::Ok, QString::fromUtf8("0 Datensätze geschrieben: Ord_1/Dat_D.ppp"));
  w.sbSpeichernClick();
  EXPECT_EQ(dialoge.boxen.back().symbol, ui::Symbol::Warnung);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), vorher);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.Tag, 0);
}

TEST_F(ImportFenster, AReadWithoutRowsSaysWhyAndTheKindsKeepTheirOwnSeparator) {
  TfrPLZ f;
  f.Aktivieren();
  TfrImport& w = *f.frImport;
  orteWaehlen(w);
  // A ".txt" file is read with a tab, but this one is separated by ";".
  test::DateiSchreiben(t / "orte.txt", "PLZ;Ort\r\n24103;Kiel\r\n");
  dialoge.antworte(Antwort::Ok, QString::fromUtf8("Keine Zeile von orte.txt enthält das Trennzeichen Tabulator; die Titelzeile ist "
                                                  "mit \";\" getrennt (Separator im Import-Format ändern)"));
  w.dateiOeffnen(QString::fromStdString(t / "orte.txt"));
  EXPECT_EQ(w.lbZahl->text(), "0");
  EXPECT_EQ(f.frImportFormat->edSeparator->text(), "#9");
  // Switching to streets takes the street format's separator, or the file's, not the old box.
  test::DateiSchreiben(t / "Str.ims", "Ort|||||PLZ||||||||Strasse||||||||;|\r\n");
  w.rdStrassen->click();
  EXPECT_EQ(f.frImportFormat->edSeparator->text(), ";");
  w.rdPLZ->click();
  EXPECT_EQ(f.frImportFormat->edSeparator->text(), "#9") << "Orte has none: the .txt file's tab";
}

TEST_F(ImportFenster, ThePlusButtonAddsTheNextFreeFolderAndDeletesOnlyEmptyOnes) {
  TfrPLZ f;
  f.Aktivieren();
  TfrImport& w = *f.frImport;
  w.show();
  ASSERT_EQ(w.cbOrdner->count(), 2);
  dialoge.antworte(Antwort::Ok, QString("Ord_3 ist zugefügt"));
  w.sbPlusMaus(Qt::LeftButton);
  EXPECT_TRUE(std::filesystem::is_directory(t / "Ord_3"));
  EXPECT_EQ(w.cbOrdner->currentText(), "Ord_3");
  // A folder picked for the import is not the main window's folder.
  EXPECT_EQ(f.datenbestand().OrdnerPfad, "Ord_1/");
  EXPECT_EQ(f.cbOrdner->currentText(), "Ord_1");
  w.cbOrdner->setCurrentText("Ord_1");
  dialoge.antworte(Antwort::Ok, QString("Ord_1 ist nicht leer.\rLöschen nicht möglich."));
  w.sbPlusMaus(Qt::RightButton);
  w.cbOrdner->setCurrentText("Ord_3");
  dialoge.antworte(Antwort::Ja, QString::fromUtf8("Ordner Ord_3 löschen?"));
  w.sbPlusMaus(Qt::RightButton);
  EXPECT_FALSE(std::filesystem::exists(t / "Ord_3"));
}

// A click on "Speichern" or on the kind while the file is read reaches nothing; Escape stops
// the reading and closes neither the import nor the format window.
TEST_F(ImportFenster, WhileAFileIsReadNoClickGetsThroughAndEscapeClosesNoWindow) {
  std::string csv = "PLZ;Ort\r\n";
  for (int i = 0; i < 200000; ++i) csv += "24103;Kiel\r\n";
  test::DateiSchreiben(t / "gross.csv", csv);
  TfrPLZ f;
  f.Aktivieren();
  TfrImport& w = *f.frImport;
  orteWaehlen(w);
  bool lief = false;
  QTimer::singleShot(0, [&] {
    lief = w.ProgressBar1->isVisible();
    QTest::mouseClick(w.sbSpeichern, Qt::LeftButton);
    QTest::mouseClick(w.rdStrassen, Qt::LeftButton);
    QTest::keyClick(w.sg1, Qt::Key_Escape);
  });
  w.dateiOeffnen(QString::fromStdString(t / "gross.csv"));
  EXPECT_TRUE(lief) << "the clicks came while reading";
  EXPECT_TRUE(dialoge.boxen.empty()) << "no save question";
  EXPECT_TRUE(w.rdPLZ->isChecked());
  EXPECT_LT(w.tabelle().zeilen(), 200001) << "Escape stopped the reading";
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(std::filesystem::file_size(t / "Ord_1/Dat_D.ppp"), 900u);
  QTest::keyClick(w.sg1, Qt::Key_Escape);
  EXPECT_TRUE(w.isVisible());
  TfrImportFormat& format = *f.frImportFormat;
  format.show();
  QTest::keyClick(&format, Qt::Key_Escape);
  EXPECT_TRUE(format.isVisible());
}

TEST_F(ImportFenster, AStreetListOfTheWebIsImportedThroughItsOwnFormat) {
  strassen({test::StrassenSatz(24103, "Holstenstra\xDF" "e", "Kiel")});
  test::TestServer dienst(test::TestServer::Http(200, "text/html",
                                                 "Lindenweg|Dresden|Sachsen|01067|120<BR>Gr\xFCner Weg|Dresden|Sachsen|01067|90<BR>"));
  test::DateiSchreiben(t / "Dienste.ini", "Strassenliste=" + dienst.basis() + "\n");
  TfrPLZ f;
  f.Aktivieren();
  int zeile = 1;
  while (zelle(f, kSpalteOrt, zeile) != "Dresden") ++zeile;
  QTimer::singleShot(0, [&] {
    TfrInternet& w = *f.frInternet;
    QSignalSpy fertig(&w, &TfrInternet::fertig);
    if (w.laeuft()) {
      ASSERT_TRUE(fertig.wait(10000));
    }
    EXPECT_EQ(w.lbZahl->text(), "n = 2");
    // The import window reads the list when it shows; it is looked at once that is done.
    auto* uhr = new QTimer(&w);
    QObject::connect(uhr, &QTimer::timeout, [&, uhr] {
      TfrImport& imp = *f.frImport;
      if (!imp.isVisible() || imp.tabelle().zeilen() < 3) return;
      uhr->deleteLater();
      EXPECT_FALSE(imp.rdPLZ->isChecked());
      EXPECT_EQ(imp.cbFormat->currentText(), "Strassenliste");
      EXPECT_EQ(imp.tabelle().zeilen(), 3) << "two streets read";
      dialoge.antworte(Antwort::Ja, QString::fromUtf8("Daten an Ord_1/Strassen_D.ppp anhängen?"))
          .antworte(Antwort::Ok, QString::fromUtf8("2 Datensätze geschrieben: Ord_1/Strassen_D.ppp"));
      imp.sbSpeichernClick();
      if (imp.isVisible()) imp.reject();
    });
    uhr->start(10);
    w.sbSpeichernClick();
    if (w.isVisible()) w.reject();
  });
  emit f.StringGrid1->doppelKlick(kSpaltePLZ, zeile);
  const std::string roh = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
  ASSERT_EQ(roh.size(), 3 * sizeof(TStrassenRecord));
  TStrassenRecord s;
  std::memcpy(&s, roh.data() + 2 * sizeof s, sizeof s);
  EXPECT_EQ(s.Strasse.text(), "Gr\xFCner Weg");
  EXPECT_EQ(s.PLZ, 1067);
  EXPECT_EQ(f.datenbestand().StrassenZahl, 3) << "loaded again";
}

}  // namespace
}  // namespace orvano
