// The search window, opened from the main window's menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "FensterTest.h"
#include "core/Datenbestand.h"
#include "search/Suchen.h"
#include "search/ut_Suchen.h"
#include "support/PdfText.h"
#include "ui/StringGrid.h"

namespace orvano {
namespace {

using test::PLZSatz;
using ui::Antwort;

class SuchFenster : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    plz({PLZSatz("Bad Homburg", 61348), PLZSatz("Berlin", 10115), PLZSatz("BadHomburg", 61348), PLZSatz("bad homburg", 61348)});
  }
  void imFenster(TfrPLZ& f, std::function<void(TfrSuchen&)> schritte) {
    // The window closes in any case, also when an assertion left the steps early.
    QTimer::singleShot(0, [&f, s = std::move(schritte)] {
      s(*f.frSuchen);
      if (f.frSuchen->isVisible()) f.frSuchen->reject();
    });
    f.miSuchen->trigger();
  }
};

TEST_F(SuchFenster, DoublePostalCodesAreMarkedOnceAndDeletingKeepsTheLast) {
  TfrPLZ f;
  f.Aktivieren();
  imFenster(f, [&](TfrSuchen& w) {
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8(" Suchen in PLZ-Datenbank  Datei: Ord_1/Dat_D.ppp   n = 4"));
    EXPECT_EQ(w.cbSuchen->currentText(), "2xPLZ");
    EXPECT_EQ(w.suchenHinweis(), "Suchen doubelten PLZ");
    EXPECT_FALSE(w.sbSpeichern->isEnabled());
    dialoge.antworte(Antwort::Ok, QString::fromUtf8("2 Doppelte PLZ gefunden."));
    w.sbSuchen->click();
    ASSERT_EQ(w.tabelle().zeilen(), 4);
    EXPECT_EQ(w.tabelle().zelle(kSuchSpalteDBNr, 2), "1");
    EXPECT_EQ(w.tabelle().zelle(kSuchSpalteMarke, 2), "") << "listed twice, marked once";
    EXPECT_GT(w.tabelle().breite(kSuchSpalteDBNr), 0) << "DB-Nr shows after 2xPLZ";
    dialoge.antworte(Antwort::Ja, QString::fromStdString("2 Datensätze in " + (t / "Ord_1/Dat_D.ppp") + " löschen?"));
    w.sbSpeichernClick();
  });
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Berlin", "bad homburg"}));
  EXPECT_EQ(f.datenbestand().PLZAnzahl, 2) << "loaded again";
}

TEST_F(SuchFenster, AFieldSearchMarksHitsAndSavesEditedCellsInPlace) {
  TfrPLZ f;
  f.Aktivieren();
  imFenster(f, [&](TfrSuchen& w) {
    w.cbSuchen->setCurrentText("Ort");
    dialoge.antworte(Antwort::Ok, QString::fromUtf8("Suchkette eingeben"));
    w.sbSuchen->click();
    w.edSuchen->setText("Homburg");
    EXPECT_EQ(w.suchenHinweis(), "Suchen Zeichenkette \"Homburg\" in Ort");
    dialoge.antworte(Antwort::Ok, QString::fromUtf8("2 Einträge gefunden"));
    w.sbSuchen->click();
    ASSERT_EQ(w.tabelle().zeilen(), 3);
    // A click in the mark column takes the mark away; Ctrl+Insert marks every row again.
    emit w.sg1->geklickt(kSuchSpalteMarke, 2, Qt::LeftButton);
    EXPECT_EQ(w.tabelle().zelle(kSuchSpalteMarke, 2), "");
    w.sg1->setFocus();
    QTest::keyClick(w.sg1, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(w.tabelle().zelle(kSuchSpalteMarke, 2), " X");
    w.tabelle().setZelle(1, 1, "Bad Homburg v. d. H.");
    dialoge.antworte(Antwort::Ja, QString::fromStdString("2 Datensätze in " + (t / "Ord_1/Dat_D.ppp") + " speichern?"));
    w.sbSpeichernClick();
  });
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Bad Homburg v. d. H.", "Berlin", "BadHomburg", "bad homburg"}));
}

TEST_F(SuchFenster, AnEmptyStreetFileDisablesTheSearchUntilThePostalCodesAreBack) {
  TfrPLZ f;
  f.Aktivieren();
  imFenster(f, [&](TfrSuchen& w) {
    dialoge.antworte(Antwort::Ok, QString::fromUtf8("Datei Ord_1/Strassen_D.ppp nicht gefunden"));
    w.rdStrassen->click();
    EXPECT_FALSE(w.sbSuchen->isEnabled());
    EXPECT_EQ(w.cbSuchen->currentText(), "Strasse");
    w.rdPLZ->click();
    EXPECT_TRUE(w.sbSuchen->isEnabled());
    w.sbExit->click();
  });
  EXPECT_EQ(f.frSuchen->Tag, 0);
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST_F(SuchFenster, GermanCodesShowTheirLeadingZeroOnScreenAndInThePrintWithItsTitleOnce) {
  TPLZRecord grobengereuth = test::PLZSatz("Grobengereuth", 7389, 50.73, 11.63);
  grobengereuth.Vorwahl = 36484;
  grobengereuth.Bundesland.setzen("Th\xFCringen");
  plz({PLZSatz("Berlin", 10115), grobengereuth});
  TfrPLZ f;
  f.Aktivieren();
  imFenster(f, [&](TfrSuchen& w) {
    w.cbSuchen->setCurrentText("Postleitzahl");
    w.edSuchen->setText("7389");
    dialoge.antworte(Antwort::Ok, QString::fromUtf8("1 Einträge gefunden"));
    w.sbSuchen->click();
    ASSERT_EQ(w.tabelle().zeilen(), 2);
    EXPECT_EQ(w.tabelle().zelle(6, 1), "07389");
    EXPECT_EQ(w.tabelle().zelle(14, 1), "036484");
    dialoge.druckDatei = QString::fromStdString(t / "suche.pdf");
    dialoge.druckenAntwort(true);
    w.sbPrint->click();
  });
  const std::string text = test::PdfText(t / "suche.pdf");
  ASSERT_FALSE(text.empty()) << "pdftotext is missing or nothing was printed";
  EXPECT_NE(text.find("PLZ-Suche: Postleitzahl „7389“ – 1 Eintrag"), std::string::npos) << text;
  EXPECT_NE(text.find("07389"), std::string::npos);
  EXPECT_EQ(text.find("036484"), std::string::npos) << "the dialling code is not among the printed columns";
  EXPECT_EQ(text.find("Postleitzahl", text.find("Postleitzahl", text.find("Eintrag")) + 1), std::string::npos)
      << "the title row once: " << text;
}

}  // namespace
}  // namespace orvano
