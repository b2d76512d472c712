// The main window owns the current data: other windows write files, it decides what it shows
// and where it saves.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "FensterTest.h"
#include "core/Datenbestand.h"
#include "main/PLZSpalten.h"
#include "exchange/ut_Import.h"
#include "exchange/ut_ImportFormat.h"
#include "folders/ut_SichCopy.h"
#include "ui/StringGrid.h"

namespace orvano {
namespace {

using test::PLZSatz;
using ui::Antwort;

const QString kFrage1 = QString::fromUtf8("Änderung in Ord_1/Dat_D.ppp Speichern?");

class EinBesitzer : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    plz(drei());
    plz({PLZSatz("Zwickau", 8056), PLZSatz("Gera", 7545)}, "Ord_2/Dat_D.ppp");
    test::DateiSchreiben(t / "Orte.imp", "Ort|||||PLZ||||||||||||||||\r\n");
    test::DateiSchreiben(t / "orte.csv", "PLZ;Ort\r\n24103;Kiel\r\n80331;M\xFCnchen\r\n");
  }
  // Runs SCHRITTE inside the modal run of the window the menu entry opens.
  static void imFenster(QAction* eintrag, std::function<void()> schritte) {
    // The window closes in any case, also when an assertion left the steps early.
    QTimer::singleShot(0, [s = std::move(schritte)] {
      s();
      if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
    });
    eintrag->trigger();
  }
  static void zeigen(QWidget* w) {
    QHelpEvent tipp(QEvent::ToolTip, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(w, &tipp);
  }
};

TEST_F(EinBesitzer, AFolderPickedInTheImportWindowIsNeverTheOneTheMainWindowSaves) {
  const std::string ord2 = test::DateiLesen(t / "Ord_2/Dat_D.ppp");
  TfrPLZ f;
  f.Aktivieren();
  imFenster(f.miImport, [&] {
    TfrImport& w = *f.frImport;
    w.cbOrdner->setCurrentText("Ord_2");
    emit w.cbOrdner->activated(w.cbOrdner->currentIndex());
    zeigen(w.sbSpeichern);
    dialoge.antworte(Antwort::Ok, QString("Ord_3 ist zugefügt"));
    w.sbPlusMaus(Qt::LeftButton);
    w.sbExit->click();
  });
  EXPECT_EQ(f.cbOrdner->currentText(), "Ord_1");
  f.edOrt->setText("Neustadt");
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Ja, kFrage1);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Neustadt", "Berlin", "Bonn"}));
  EXPECT_EQ(test::DateiLesen(t / "Ord_2/Dat_D.ppp"), ord2);
  EXPECT_EQ(f.cbOrdner->currentText(), "Ord_1");
}

TEST_F(EinBesitzer, ImportedRecordsSurviveTheNextSaveOfTheMainWindow) {
  TfrPLZ f;
  f.Aktivieren();
  imFenster(f.miImport, [&] {
    TfrImport& w = *f.frImport;
    w.cbFormat->setCurrentText("Orte");
    emit w.cbFormat->activated(w.cbFormat->currentIndex());
    w.dateiOeffnen(QString::fromStdString(t / "orte.csv"));
    dialoge.antworte(Antwort::Ja, QString::fromUtf8("Daten an Ord_1/Dat_D.ppp anhängen?"))
        .antworte(Antwort::Ok, QString::fromUtf8("2 Datensätze geschrieben: Ord_1/Dat_D.ppp"));
    w.sbSpeichernClick();
  });
  EXPECT_EQ(f.datenbestand().PLZAnzahl, 5) << "reloaded after the import";
  EXPECT_EQ(f.gridDaten().zeilen(), 6);
  dialoge.antworte(Antwort::Ja, kFrage1);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Dresden", "Berlin", "Bonn", "Kiel", "M\xFCnchen"}));
}

TEST_F(EinBesitzer, UnsavedEditsAreAskedForBeforeTheImportWindowOpens) {
  TfrPLZ f;
  f.Aktivieren();
  f.edOrt->setText("Neustadt");
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Ja, kFrage1);
  imFenster(f.miImport, [&] { f.frImport->sbExit->click(); });
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Neustadt", "Berlin", "Bonn"}));
}

TEST_F(EinBesitzer, APostalCodeFileWrittenElsewhereReloadsItAloneWithoutAskingAboutStreets) {
  // An invalid street entry the user keeps: asked once on loading, not again after a replace.
  strassen({test::StrassenSatz(1067, "  ", "Dresden"), test::StrassenSatz(10115, "Unter den Linden", "Berlin")});
  TfrPLZ f;
  dialoge.antworte(Antwort::Nein, QString::fromUtf8("Leere Einträge in Strassen-DB löschen?"));
  f.Aktivieren();
  plz({PLZSatz("Dresden", 1067), PLZSatz("Berlin", 10115)});
  f.DateiGeschrieben(t / "Ord_1/Dat_D.ppp");
  EXPECT_EQ(f.datenbestand().PLZAnzahl, 2);
  EXPECT_EQ(f.datenbestand().StrassenZahl, 1);
  EXPECT_TRUE(dialoge.alleBeantwortet());
}

TEST_F(EinBesitzer, AFileAnotherProgramWroteIsNotOverwrittenUnasked) {
  TfrPLZ f;
  f.Aktivieren();
  f.edOrt->setText("Neustadt");
  f.datenbestand().Geaendert = true;
  // orvano-cli (or any program) writes the file meanwhile.
  plz({PLZSatz("Kiel", 24103), PLZSatz("Jena", 7743)});
  const QString frage = QString::fromStdString(Datenbestand::VeraendertText(t / "Ord_1/Dat_D.ppp")) +
                        QString::fromUtf8("\rNeu laden? Ihre Änderungen gehen dabei verloren.\rNein: nichts speichern und weiter bearbeiten.");
  dialoge.antworte(Antwort::Ja, kFrage1).antworte(Antwort::Nein, frage);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Kiel", "Jena"})) << "not overwritten";
  EXPECT_EQ(f.edOrt->text(), "Neustadt") << "the edits stay to be copied elsewhere";
  // Reloading drops the edits and shows the other program's records.
  dialoge.antworte(Antwort::Ja, kFrage1).antworte(Antwort::Ja, frage);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Kiel", "Jena"}));
  EXPECT_EQ(f.datenbestand().PLZAnzahl, 2);
  EXPECT_EQ(f.edOrt->text(), "Kiel");
  EXPECT_FALSE(f.datenbestand().Geaendert);
  // Without edits, the next activation just loads what the other program wrote.
  plz({PLZSatz("Ulm", 89073)});
  f.Aktivieren();
  EXPECT_EQ(f.datenbestand().PLZAnzahl, 1);
  EXPECT_TRUE(f.StatusText().startsWith(QString::fromUtf8("Von einem anderen Programm geändert"))) << f.StatusText().toStdString();
}

TEST_F(EinBesitzer, ARestoredCopyIsWhatTheMainWindowShowsAndSaves) {
  plz({PLZSatz("Aachen", 52062)}, "SichCopy/Dat_D_2024-03-05_01.ppp");
  TfrPLZ f;
  f.Aktivieren();
  imFenster(f.miWiederherstellen, [&] {
    TfrSichCopy& s = *f.frSichCopy;
    s.sg1->setAktuelleZelle(3, 1);
    s.sg1Click();
    dialoge.antworte(Antwort::Ja, QString("Dat_D.ppp in Ord_1 kopieren?"))
        .antworte(Antwort::Ja, QString::fromStdString(t / "Ord_1/Dat_D.ppp") + QString::fromUtf8(" überschreiben?"));
    s.sbWeiterClick();
    s.sbExit->click();
  });
  EXPECT_EQ(f.datenbestand().PLZAnzahl, 1);
  EXPECT_EQ(f.StatusText(), QString::fromStdString(t / "Ord_1/Dat_D.ppp") + QString::fromUtf8(" wiederhergestellt: 1 Datensätze"));
  dialoge.antworte(Antwort::Ja, kFrage1);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(orteDerDatei(), std::vector<std::string>{"Aachen"});
}

TEST_F(EinBesitzer, ARefusedSaveKeepsTheCountryAndTheTypedValues) {
  plz({PLZSatz("Wien", 1010, "AT")}, "Ord_1/Dat_A.ppp");
  const std::string oesterreich = test::DateiLesen(t / "Ord_1/Dat_A.ppp");
  TfrPLZ f;
  f.Aktivieren();
  f.edOrt->setText("Neustadt");
  f.edBreitengrad->setText("1,2,3");
  f.datenbestand().Geaendert = true;
  const QString falsch = QString::fromUtf8("Im Feld Breitengrad steht keine gültige Zahl: \"1,2,3\"\rEs wurde nichts gespeichert.");
  dialoge.antworte(Antwort::Ja, kFrage1).antworte(Antwort::Ok, falsch);
  // The country is chosen by the keyboard while the list is closed.
  f.cbLand->setCurrentIndex(1);
  f.LandGewechselt();
  EXPECT_EQ(f.cbLand->currentIndex(), 0);
  EXPECT_EQ(f.edOrt->text(), "Neustadt");
  EXPECT_TRUE(f.datenbestand().Geaendert);
  // The save button shows the refusal too, and the typed values stay.
  dialoge.antworte(Antwort::Ja, kFrage1).antworte(Antwort::Ok, falsch);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(f.edBreitengrad->text(), "1,2,3");
  EXPECT_EQ(f.edOrt->text(), "Neustadt");
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_A.ppp"), oesterreich);
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Dresden", "Berlin", "Bonn"}));
}

TEST_F(EinBesitzer, TheFrameAsksForUnsavedEditsAndEndsOnlyWhenAllowed) {
  TfrPLZ f;
  aktiv(f);
  int beendet = 0;
  QObject::connect(&f, &TfrPLZ::beendet, [&] { ++beendet; });
  f.edOrt->setText("Neustadt");
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Ja, kFrage1).antworte(Antwort::Ok);
  f.edBreitengrad->setText(",");
  f.close();
  EXPECT_TRUE(f.isVisible()) << "a refused save keeps the window";
  EXPECT_EQ(beendet, 0);
  f.edBreitengrad->setText("51,5");
  dialoge.antworte(Antwort::Ja, kFrage1);
  f.close();
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(beendet, 1);
  EXPECT_EQ(orteDerDatei()[0], "Neustadt");
  EXPECT_FALSE(std::filesystem::exists(t / "einstPLZ.frb")) << "the frame writes no settings";
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST_F(EinBesitzer, WithNoDataFolderLeftTheFolderListIsEmpty) {
  TfrPLZ f;
  f.Aktivieren();
  ASSERT_EQ(f.cbOrdner->count(), 2);
  std::filesystem::rename(t / "Ord_1", t / "alt1");
  std::filesystem::rename(t / "Ord_2", t / "alt2");
  f.OrdnerListeAufbauen();
  EXPECT_EQ(f.cbOrdner->count(), 0);
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST_F(EinBesitzer, DecliningToSaveASortKeepsTheSelectedRecord) {
  TfrPLZ f;
  f.TabellenAnsicht = true;
  f.AnsichtUmschalten(false);
  f.StringGrid1->setAktuelleZelle(kSpalteOrt, 1);
  f.sbSort->click();  // Berlin, Bonn, Dresden
  f.datenbestand().Geaendert = true;
  f.StringGrid1->setAktuelleZelle(kSpalteOrt, 2);
  ASSERT_EQ(zelle(f, kSpalteOrt, 2), "Bonn");
  dialoge.antworte(Antwort::Nein, kFrage1);
  f.sbMaske->click();
  EXPECT_EQ(f.edOrt->text(), "Bonn");
}

TEST_F(EinBesitzer, ARecordTypedIntoAnEmptyFileIsSaved) {
  plz({});
  TfrPLZ f;
  aktiv(f);
  f.edOrt->setText("Kiel");
  f.edPLZ->setText("24103");
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Ja, kFrage1);
  f.sbSpeichern_Dat->click();
  EXPECT_EQ(orteDerDatei(), std::vector<std::string>{"Kiel"});
  EXPECT_EQ(f.datenbestand().PLZTabelle[1].Staat.text(), "DE");
  EXPECT_EQ(f.lbNr->text(), "Datensatz-Nr: 1 von 1");
}

TEST_F(EinBesitzer, BackFromTheTableTheWindowHasItsOwnSizeOnTheScreen) {
  TfrPLZ f;
  aktiv(f);
  const QSize eigen = f.size();
  f.sbTabelle->click();
  f.showNormal();
  f.resize(4000, 3000);
  f.move(-500, -400);
  f.sbMaske->click();
  EXPECT_EQ(f.size(), eigen);
  // As far on the screen as it fits: its top left corner always is.
  const QRect frei = f.screen()->availableGeometry();
  EXPECT_GE(f.x(), frei.left());
  EXPECT_GE(f.y(), frei.top());
  EXPECT_LE(f.x(), std::max(frei.left(), frei.right() - f.width()));
  EXPECT_LE(f.y(), std::max(frei.top(), frei.bottom() - f.height()));
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

// Import -> Format -> Exit -> Exit: the import window waits behind the format window, and the
// main window comes back only after its own Exit, ready for input.
TEST_F(EinBesitzer, TheFormatWindowOpensOverTheImportWindowWithoutEndingIt) {
  TfrPLZ f;
  aktiv(f);
  bool importSichtbar = false, hauptVerborgen = false;
  imFenster(f.miImport, [&] {
    QTimer::singleShot(0, [&] {
      importSichtbar = f.frImport->isVisible();
      hauptVerborgen = !f.isVisible();
      f.frImportFormat->sbExit->click();
    });
    f.frImport->sbFormat->click();
    EXPECT_TRUE(f.frImport->isVisible()) << "back in the import window after the format window";
    f.frImport->sbExit->click();
  });
  EXPECT_TRUE(importSichtbar);
  EXPECT_TRUE(hauptVerborgen);
  EXPECT_TRUE(f.isVisible());
  EXPECT_FALSE(f.frImport->isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace orvano
