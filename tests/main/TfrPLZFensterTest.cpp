// The main window with the windows it opens: export, data folders and backups.
#include <fcntl.h>
#include <sys/wait.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "FensterTest.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "editor/ut_DBBearbeiten.h"
#include "exchange/ut_Export_Auswahl.h"
#include "folders/Sicherung.h"
#include "folders/ut_Ordner.h"
#include "folders/ut_SichCopy.h"
#include "folders/ut_frSichCopy0.h"
#include "support/Beispieldaten.h"
#include "ui/StringGrid.h"

namespace orvano {
namespace {

using test::PLZSatz;
using ui::Antwort;

// Runs AKTION inside the next modal window's event loop.
void ImFenster(std::function<void()> aktion) { QTimer::singleShot(0, std::move(aktion)); }

class ExportFenster : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", test::BeispielPLZ());
    test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", test::BeispielStrassen());
  }
};

TEST_F(ExportFenster, TheChoiceWindowKeepsExactlyOneFileTypeAndFillsPrefixesOnEnter) {
  TfrExport_Auswahl w([] { return std::string("\xD6sterreich"); });
  EXPECT_EQ(w.windowTitle(), " Export Auswahl");
  EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(w.rdPLZ->isChecked());
  EXPECT_TRUE(w.cbCSV->isChecked());
  w.cbCSV->click();
  EXPECT_TRUE(w.cbText->isChecked());
  EXPECT_FALSE(w.cbCSV->isChecked());
  w.cbText->click();
  EXPECT_TRUE(w.cbCSV->isChecked());
  QTest::keyClick(w.edPLZPlus, Qt::Key_Return);
  EXPECT_EQ(w.edPLZPlus->text(), "A-");
  w.edPLZPlus->setText("X");
  QTest::keyClick(w.edPLZPlus, Qt::Key_Return);
  EXPECT_EQ(w.edPLZPlus->text(), "X");
  QTest::keyClick(w.edStrNrPlus, Qt::Key_Return);
  EXPECT_EQ(w.edStrNrPlus->text(), "Nr.");
  w.resize(400, 240);
  w.show();
  QApplication::processEvents();
  const int links = w.sbSpeichern->x();
  EXPECT_EQ(w.sbExit->x(), links + w.sbSpeichern->width() + 20);
  EXPECT_EQ(links, std::max(5, (w.plMenu->width() - w.sbSpeichern->width() - w.sbExit->width() - 20) / 2));
}

TEST_F(ExportFenster, TheMenuEntryWritesTheChosenFileWithTheSeparatorOfItsName) {
  TfrPLZ f;
  f.Aktivieren();
  ImFenster([&] {
    f.frExport_Auswahl->rdPLZ_Strassen->setChecked(true);
    f.frExport_Auswahl->cbText->click();  // Text-Datei, but the name says .csv
    f.frExport_Auswahl->sbSpeichern->click();
  });
  dialoge.datei(QString::fromStdString(t / "export.csv"));
  f.miExport->trigger();
  ASSERT_EQ(dialoge.dateiDialoge.size(), 1u);
  EXPECT_EQ(dialoge.dateiDialoge[0].dateiName, "PLZ_Strassen_D.txt");
  const std::string text = test::DateiLesen(t / "export.csv");
  EXPECT_EQ(text.substr(0, 8), "LNr;Ort;");
  const auto zeilen = std::count(text.begin(), text.end(), '\n') - 1;
  EXPECT_EQ(f.StatusText(), QString::fromStdString(std::to_string(zeilen) + " Zeilen in " + (t / "export.csv") + " gespeichert"))
      << "the end is said";
  EXPECT_FALSE(f.ProgressBar1->isVisible());
  EXPECT_TRUE(f.isVisible());
}

// A change of country while the file is written would mix two countries in it.
TEST_F(ExportFenster, WhileExportingTheCountryCannotBeChanged) {
  TfrPLZ f;
  aktiv(f);
  bool lief = false;
  ImFenster([&] {
    f.frExport_Auswahl->sbSpeichern->click();
    QTimer::singleShot(0, [&] {
      lief = f.ProgressBar1->isVisible();
      QTest::mouseClick(f.cbLand, Qt::LeftButton);
      QTest::keyClick(f.cbLand, Qt::Key_Down);
      QTest::mouseClick(f.sbSpeichern_Dat, Qt::LeftButton);
    });
  });
  dialoge.datei(QString::fromStdString(t / "export.csv"));
  f.miExport->trigger();
  EXPECT_TRUE(lief) << "the clicks came while writing";
  EXPECT_EQ(f.cbLand->currentIndex(), 0);
  EXPECT_EQ(f.landText(), "Deutschland");
  EXPECT_EQ(test::DateiLesen(t / "export.csv").substr(0, 8), "LNr;Ort;");
}

TEST_F(ExportFenster, CancellingWritesNothingAndTheRightButtonOpensTheChoice) {
  TfrPLZ f;
  ImFenster([&] { f.frExport_Auswahl->sbExit->click(); });
  QTest::mousePress(f.sbSpeichern_Dat, Qt::RightButton);
  EXPECT_EQ(f.frExport_Auswahl->Tag, 0);
  EXPECT_TRUE(dialoge.dateiDialoge.empty());
  ImFenster([&] { f.frExport_Auswahl->sbSpeichern->click(); });
  dialoge.datei("");
  f.ExportStarten();
  EXPECT_EQ(dialoge.dateiDialoge.size(), 1u);
}

TEST_F(ExportFenster, ALockedFileIsReportedAndLeftAlone) {
  test::DateiSchreiben(t / "offen.csv", "fremd");
  const int fd = ::open((t / "offen.csv").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  const pid_t kind = ::fork();
  if (kind == 0) {
    ::pause();
    ::_exit(0);
  }
  ::close(fd);  // the child holds the lock now
  TfrPLZ f;
  ImFenster([&] { f.frExport_Auswahl->sbSpeichern->click(); });
  dialoge.datei(QString::fromStdString(t / "offen.csv"))
      .antworte(Antwort::Ok, QString::fromStdString("Datei " + t.pfad() + "offen.csv ist schon von anderem Progamm geöffnet"));
  f.ExportStarten();
  ::kill(kind, SIGKILL);
  ::waitpid(kind, nullptr, 0);
  EXPECT_EQ(test::DateiLesen(t / "offen.csv"), "fremd");
}

class OrdnerFenster : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    plz(drei());
    std::filesystem::create_directories(t / "Ord_2");
    plz({PLZSatz("Kiel", 24103)}, "Ord_2/Dat_D.ppp");
    std::filesystem::create_directories(t / "Ord_10");
  }
};

TEST_F(OrdnerFenster, TheFolderListIsBuiltOnActivationAndNamesTheShownFolder) {
  TfrPLZ f;
  f.Aktivieren();
  QStringList namen;
  for (int i = 0; i < f.cbOrdner->count(); ++i) namen << f.cbOrdner->itemText(i);
  EXPECT_EQ(namen.join(","), "Ord_1,Ord_10,Ord_2");
  EXPECT_EQ(f.cbOrdner->currentText(), "Ord_1");
  f.cbOrdner->setCurrentIndex(2);
  f.cbOrdnerChange();
  EXPECT_EQ(f.datenbestand().OrdnerPfad, "Ord_2/");
  EXPECT_EQ(f.edOrt->text(), "Kiel");
  EXPECT_EQ(f.windowTitle(), " Deutschland  PLZ Anzahl: 1");
  f.Aktivieren();
  EXPECT_EQ(f.cbOrdner->currentText(), "Ord_2") << "a later activation keeps showing the current folder";
}

TEST_F(OrdnerFenster, UnsavedEditsAreAskedForBeforeTheFolderChanges) {
  TfrPLZ f;
  f.Aktivieren();
  f.edOrt->setText("Dresden-Neustadt");
  f.datenbestand().Geaendert = true;
  dialoge.antworte(Antwort::Ja, QString::fromUtf8("Änderung in Ord_1/Dat_D.ppp Speichern?"));
  f.cbOrdner->setCurrentIndex(2);
  f.cbOrdnerChange();
  EXPECT_EQ(orteDerDatei().front(), "Dresden-Neustadt");
  EXPECT_EQ(f.datenbestand().OrdnerPfad, "Ord_2/");
}

TEST_F(OrdnerFenster, TheEditorStartsOnTheShownFolderAndItsSaveReachesTheMainWindow) {
  TfrPLZ f;
  f.Aktivieren();
  TfrDBBearbeiten& e = *f.frDBBearbeiten;
  ImFenster([&] {
    EXPECT_EQ(e.cbOrdner1->currentText(), "Ord_1");
    e.cbEdit->click();
    e.sg1->modell()->setData(e.sg1->modell()->index(0, 1), "Chemnitz", Qt::EditRole);
    dialoge.antworte(Antwort::Ja, QString::fromUtf8("Änderung in Ord_1/Dat_D.ppp Speichern?"));
    e.sbSpeichern1->click();
    // The save closed the editor; the main window shows it again at once.
    auto* uhr = new QTimer(&e);
    QObject::connect(uhr, &QTimer::timeout, [&e, uhr] {
      if (!e.isVisible()) return;
      uhr->deleteLater();
      EXPECT_EQ(e.cbOrdner2->currentText(), "");
      e.close();
    });
    uhr->start(10);
  });
  f.miBearbeiten->trigger();
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(orteDerDatei().front(), "Chemnitz");
  EXPECT_EQ(f.datenbestand().PLZTabelle[1].Ort.text(), "Chemnitz") << "loaded again";
}

TEST_F(OrdnerFenster, AddingCleansTheNameAndRefusesEmptyOrExistingOnes) {
  TfrPLZ f;
  f.Aktivieren();
  TfrOrdner& o = *f.frOrdner;
  o.show();
  o.edOrdner->setText("a/b:c");
  dialoge.antworte(Antwort::Ok, QString("Ord_abc ist zugefügt"));
  o.sbPlusClick();
  EXPECT_EQ(o.edOrdner->text(), "abc");
  EXPECT_TRUE(std::filesystem::is_directory(t / "Ord_abc"));
  EXPECT_EQ(o.cbOrdner->currentText(), "Ord_abc");
  // The main window lists it once it is shown again, and still shows its own folder.
  f.OrdnerListeAufbauen();
  EXPECT_NE(f.cbOrdner->findText("Ord_abc"), -1);
  EXPECT_EQ(f.cbOrdner->currentText(), "Ord_1");
  dialoge.antworte(Antwort::Ok, QString("Ord_abc ist schon vorhanden"));
  o.sbPlusClick();
  o.edOrdner->setText("\\\\");
  dialoge.antworte(Antwort::Ok, QString("Name eingeben"));
  o.sbPlusClick();
  EXPECT_EQ(dialoge.boxen[2].symbol, ui::Symbol::Information);
}

TEST_F(OrdnerFenster, OnlyEmptyFoldersAreDeleted) {
  TfrPLZ f;
  f.Aktivieren();
  test::DateiSchreiben(t / "Ord_10/.versteckt", "");
  TfrOrdner& o = *f.frOrdner;
  o.show();
  o.cbOrdner->setCurrentText("Ord_10");
  dialoge.antworte(Antwort::Ok, QString("Ord_10 ist nicht leer.\rLöschen nicht möglich."));
  o.sbLoschenClick();
  EXPECT_TRUE(std::filesystem::exists(t / "Ord_10"));
  std::filesystem::remove(t / "Ord_10/.versteckt");
  dialoge.antworte(Antwort::Nein, QString::fromUtf8("Ordner Ord_10 löschen?"));
  o.sbLoschenClick();
  EXPECT_TRUE(std::filesystem::exists(t / "Ord_10"));
  dialoge.antworte(Antwort::Ja, QString::fromUtf8("Ordner Ord_10 löschen?"));
  o.sbLoschenClick();
  EXPECT_FALSE(std::filesystem::exists(t / "Ord_10"));
  f.OrdnerListeAufbauen();
  EXPECT_EQ(f.cbOrdner->findText("Ord_10"), -1);
  EXPECT_EQ(o.cbOrdner->currentText(), "Ord_2");
}

class Sicherungen : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    plz(drei());
    std::filesystem::create_directories(t / "Ord_2");
  }
};

TEST_F(Sicherungen, ACopyTakesTheNextFreeTagAndIsReportedAfterwards) {
  TfrPLZ f;
  f.Aktivieren();
  TfrSichCopy0& s = *f.frSichCopy0;
  s.datum = [] { return std::string("2024-03-05"); };
  s.show();
  EXPECT_EQ(s.lbPLZzahl->text(), " n = 3");
  EXPECT_EQ(s.lbStrassenzahl->text(), "");
  const std::string erste = t / "SichCopy/Dat_D_2024-03-05_01_Ord_1.ppp";
  dialoge.antworte(Antwort::Ok, QString::fromStdString(erste + " ist gespeichert"));
  s.sbWeiterClick();
  EXPECT_EQ(std::filesystem::file_size(erste), 900u);
  dialoge.antworte(Antwort::Ok, QString::fromStdString(t / "SichCopy/Dat_D_2024-03-05_02_Ord_1.ppp ist gespeichert"));
  s.sbWeiterClick();
  s.rdStrassen1->click();
  EXPECT_EQ(s.lbStrassenzahl->text(), " n = 0");
  EXPECT_EQ(s.lbPLZzahl->text(), "");
  dialoge.antworte(Antwort::Ok, QString::fromStdString(t / "Ord_1/Strassen_D.ppp nicht gefunden"));
  s.sbWeiterClick();
}

TEST_F(Sicherungen, AFailedCopyIsReportedInsteadOfSuccess) {
  TfrPLZ f;
  f.Aktivieren();
  test::DateiSchreiben(t / "SichCopy", "eine Datei, kein Ordner");
  TfrSichCopy0& s = *f.frSichCopy0;
  s.show();
  dialoge.antworte(Antwort::Ok);
  s.sbWeiterClick();
  ASSERT_EQ(dialoge.boxen.size(), 1u);
  EXPECT_EQ(dialoge.boxen[0].symbol, ui::Symbol::Warnung);
  EXPECT_EQ(dialoge.boxen[0].text.indexOf("ist gespeichert"), -1);
}

// The list shows the backups of the chosen folder with their folder, and those of older
// versions, which name none; a restore over a file backs that file up first.
TEST_F(Sicherungen, TheListMarksOneRowAndRestoresOrDeletesIt) {
  test::DateiSchreiben(t / "SichCopy/Dat_A_2024-03-05_PO.ppp", std::string(1260, 'a'));
  test::DateiSchreiben(t / "SichCopy/Strassen_D_2024-03-05_01.ppp", std::string(1260, 's'));
  test::DateiSchreiben(t / "SichCopy/Strassen_D_2024-03-06_SO_Ord_1.ppp", std::string(252, 's'));
  TfrPLZ f;
  f.Aktivieren();
  TfrSichCopy& s = *f.frSichCopy;
  s.show();
  Tabelle& l = s.liste();
  ASSERT_EQ(l.zeilen(), 4);
  EXPECT_EQ(l.zelle(1, 1), "Dat_A_2024-03-05_PO.ppp");
  EXPECT_EQ(l.zelle(2, 1), "4");
  EXPECT_EQ(l.zelle(2, 2), "10");
  EXPECT_EQ(l.zelle(4, 3), "Ord_1");
  EXPECT_EQ(l.zelle(4, 1), "");
  dialoge.antworte(Antwort::Ok, QString("Kein Auswahl"));
  s.sbWeiterClick();
  s.sg1->setAktuelleZelle(2, 1);
  s.sg1Click();  // not the Auswahl column
  EXPECT_EQ(s.markierteZeile(), 0);
  s.sg1->setAktuelleZelle(3, 2);
  s.sg1Click();
  s.sg1->setAktuelleZelle(3, 1);
  s.sg1Click();
  EXPECT_EQ(s.markierteZeile(), 1);
  EXPECT_EQ(l.zelle(3, 2), "");
  EXPECT_EQ(s.sg1->hintergrund(1, 1, false), ui::StringGrid::kHellgruen);
  s.cbOrdner->setCurrentText("Ord_2");
  ASSERT_EQ(l.zeilen(), 3) << "the backup of Ord_1 is not offered for Ord_2";
  EXPECT_EQ(s.markierteZeile(), 1) << "the marked backup is still listed";
  dialoge.antworte(Antwort::Ja, QString("Dat_A.ppp in Ord_2 kopieren?"));
  s.sbWeiterClick();
  EXPECT_EQ(std::filesystem::file_size(t / "Ord_2/Dat_A.ppp"), 1260u);
  dialoge.antworte(Antwort::Ja, QString("Dat_A.ppp in Ord_2 kopieren?"))
      .antworte(Antwort::Nein, QString::fromStdString(t / "Ord_2/Dat_A.ppp überschreiben?"));
  s.sbWeiterClick();
  EXPECT_EQ(l.zeilen(), 3) << "nothing replaced, nothing backed up";
  test::DateiSchreiben(t / "Ord_2/Dat_A.ppp", std::string(300, 'x'));
  dialoge.antworte(Antwort::Ja, QString("Dat_A.ppp in Ord_2 kopieren?"))
      .antworte(Antwort::Ja, QString::fromStdString(t / "Ord_2/Dat_A.ppp überschreiben?"));
  s.sbWeiterClick();
  const std::string eigene = "Dat_A_" + HeutigesDatum() + "_WH_Ord_2.ppp";
  EXPECT_EQ(test::DateiLesen(t / ("SichCopy/" + eigene)), std::string(300, 'x'));
  ASSERT_EQ(l.zeilen(), 4);
  EXPECT_EQ(s.markierteZeile(), 1);
  dialoge.antworte(Antwort::Ja, QString::fromUtf8("Dat_A_2024-03-05_PO.ppp löschen?"));
  s.sbLoschenClick();
  EXPECT_FALSE(std::filesystem::exists(t / "SichCopy/Dat_A_2024-03-05_PO.ppp"));
  EXPECT_EQ(l.zeilen(), 3);
  EXPECT_EQ(s.markierteZeile(), 0);
}

TEST_F(Sicherungen, AnEmptyListMarksNothingAndForeignNamesAreNotRestored) {
  TfrPLZ f;
  f.Aktivieren();
  TfrSichCopy& s = *f.frSichCopy;
  s.show();
  s.sg1->setAktuelleZelle(3, 1);
  s.sg1Click();
  EXPECT_EQ(s.markierteZeile(), 0);
  test::DateiSchreiben(t / "SichCopy/liste_2024-03-05_01.ppp", "x");
  s.listeAufbauen();
  s.sg1->setAktuelleZelle(3, 1);
  s.sg1Click();
  dialoge.antworte(Antwort::Ok);
  s.sbWeiterClick();
  EXPECT_NE(dialoge.boxen[0].text.indexOf("keine Sicherheitskopie"), -1);
}

}  // namespace
}  // namespace orvano
