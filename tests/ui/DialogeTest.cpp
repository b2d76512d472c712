#include "ui/Dialoge.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>

#include "support/TestDialoge.h"

namespace orvano::ui {
namespace {

using test::TestDialoge;

// The import window stays on top: its messages belong to it and open in front of it, and the
// main window, hidden while the import is open, is back for them.
TEST(Dialoge, AMessageOpensInFrontOfTheModalWindowThatStaysOnTop) {
  QMainWindow haupt;
  haupt.setObjectName("frPLZ");
  HauptfensterSetzen(&haupt);
  QDialog import(&haupt, Qt::Dialog | Qt::WindowStaysOnTopHint);
  import.setModal(true);
  import.show();
  EXPECT_EQ(MeldungsEltern(), &import);
  dialogeSetzen(nullptr);
  QWidget* eltern = nullptr;
  bool oben = false, hauptDa = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    eltern = box->parentWidget();
    oben = box->windowFlags() & Qt::WindowStaysOnTopHint;
    hauptDa = haupt.isVisible();
    box->done(0);
  });
  Meldung("Datei /tmp/liste.csv nicht gefunden");
  HauptfensterSetzen(nullptr);
  EXPECT_EQ(eltern, &import);
  EXPECT_TRUE(oben);
  EXPECT_TRUE(hauptDa);
}

TEST(Dialoge, EachKindOfBoxHasItsSymbolAndButtons) {
  TestDialoge d;
  d.antworte(Antwort::Ok).antworte(Antwort::Ok).antworte(Antwort::Ja).antworte(Antwort::Ja).antworte(Antwort::Abbrechen);
  Meldung("a");
  Hinweis("b");
  EXPECT_TRUE(FrageJaNein("c"));
  EXPECT_TRUE(HinweisJaNein("Programm beenden?"));
  EXPECT_EQ(FrageJaNeinAbbrechen("Wirklich abbrechen?"), Antwort::Abbrechen);
  ASSERT_EQ(d.boxen.size(), 5u);
  EXPECT_EQ(d.boxen[0].symbol, Symbol::Warnung);
  EXPECT_EQ(d.boxen[0].knoepfe, Knoepfe::Ok);
  EXPECT_EQ(d.boxen[1].symbol, Symbol::Information);
  EXPECT_EQ(d.boxen[2].symbol, Symbol::Warnung);
  EXPECT_EQ(d.boxen[2].knoepfe, Knoepfe::JaNein);
  EXPECT_EQ(d.boxen[3].symbol, Symbol::Information);
  EXPECT_EQ(d.boxen[3].knoepfe, Knoepfe::JaNein);
  EXPECT_EQ(d.boxen[4].symbol, Symbol::Bestaetigung);
  EXPECT_EQ(d.boxen[4].knoepfe, Knoepfe::JaNeinAbbrechen);
}

TEST(Dialoge, OnlyYesProceeds) {
  TestDialoge d;
  d.antworte(Antwort::Nein).antworte(Antwort::Abbrechen).antworte(Antwort::Nein);
  EXPECT_FALSE(FrageJaNein("x"));
  EXPECT_FALSE(FrageJaNein("x"));
  EXPECT_FALSE(HinweisJaNein("x"));
}

TEST(Dialoge, TextsKeepTheirCarriageReturns) {
  TestDialoge d;
  d.antworte(Antwort::Ok, QString("Ord_2 ist nicht leer.\rL\u00F6schen nicht m\u00F6glich."));
  Meldung(QString("Ord_2 ist nicht leer.") + QChar(13) + QString("L\u00F6schen nicht m\u00F6glich."));
}

TEST(Dialoge, TheDataStoresQuestionsGoThroughTheFacade) {
  TestDialoge d;
  d.antworte(Antwort::Ja, QString::fromUtf8("Leere Einträge in Strassen-DB löschen?")).antworte(Antwort::Ok);
  FensterRueckfragen r;
  EXPECT_TRUE(r.frage("Leere Einträge in Strassen-DB löschen?"));
  r.meldung("Datei /x/Dat_A.ppp nicht gefunden");
  EXPECT_EQ(d.boxen[1].text, QString("Datei /x/Dat_A.ppp nicht gefunden"));
  EXPECT_EQ(d.boxen[1].symbol, Symbol::Warnung);
}

TEST(Dialoge, AnUnexpectedBoxFailsTheTestAndIsNotConfirmed) {
  bool ja = true;
  EXPECT_NONFATAL_FAILURE(
      {
        TestDialoge d;
        ja = FrageJaNein("Datei überschreiben?");
      },
      "Unerwartete Meldung: Datei überschreiben?");
  EXPECT_FALSE(ja);
}

TEST(Dialoge, AnAnswerLeftOverFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        TestDialoge d;
        d.antworte(Antwort::Ja, QString("Programm beenden?"));
      },
      "Antwort nicht gebraucht");
}

TEST(Dialoge, AWrongTextFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        TestDialoge d;
        d.antworte(Antwort::Ok, QString("erwartet"));
        Meldung("anders");
      },
      "erwartet");
}

TEST(Dialoge, FileDialogsAndOpenRequestsAreScriptedToo) {
  TestDialoge d;
  d.datei("/tmp/dat.csv").datei("");
  const DateiDialog dlg{"Speichern", "CSV-Dateien (*.csv)", "csv", "/prog/", "dat.csv"};
  EXPECT_EQ(dialoge().dateiSpeichern(dlg), "/tmp/dat.csv");
  EXPECT_EQ(dialoge().dateiOeffnen(dlg), "");
  ASSERT_EQ(d.dateiDialoge.size(), 2u);
  EXPECT_EQ(d.dateiDialoge[0].standardEndung, "csv");
  WebseiteOeffnen("https://www.example.org/?ort=K%C3%B6ln");
  DokumentOeffnen("/prog/liste.csv");
  ASSERT_EQ(d.geoeffnet.size(), 2u);
  EXPECT_EQ(d.geoeffnet[1], QUrl::fromLocalFile("/prog/liste.csv"));
}

TEST(Dialoge, OnlyWebAddressesAreOpenedAndAMissingBrowserIsSaid) {
  TestDialoge d;
  // A Dienste.ini line may name anything: only http and https reach the system.
  d.antworte(Antwort::Ok, QStringLiteral("Adresse file:///etc/passwd wird nicht geöffnet: nur http- und https-Adressen"));
  EXPECT_FALSE(WebseiteOeffnen("file:///etc/passwd"));
  d.antworte(Antwort::Ok);
  EXPECT_FALSE(WebseiteOeffnen("javascript:alert(1)"));
  EXPECT_TRUE(d.geoeffnet.empty());
  EXPECT_TRUE(WebseiteOeffnen("HTTPS://www.example.org/"));
  d.browserDa = false;
  d.antworte(Antwort::Ok, QStringLiteral("Kein Webbrowser gefunden\rhttp://www.example.org/weg\r(Die Adresse ist in der Zwischenablage.)"));
  EXPECT_FALSE(WebseiteOeffnen("http://www.example.org/weg"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "http://www.example.org/weg");
  d.antworte(Antwort::Ok, QStringLiteral("Kein Programm zum Öffnen von /prog/liste.csv gefunden"));
  DokumentOeffnen("/prog/liste.csv");
}

}  // namespace
}  // namespace orvano::ui

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/Tastatur.h"

namespace orvano::ui {
namespace {

TEST(AltTasten, EveryButtonGetsTheFirstFreeLetterAndKeepsItsOwn) {
  QDialog d;
  auto* filter = new QLabel("&Filter:", &d);
  filter->setBuddy(new QLineEdit(&d));
  auto* speichern = new QPushButton("Speichern", &d);
  auto* suchen = new QPushButton("Suchen", &d);
  auto* exit = new QPushButton("E&xit", &d);
  auto* refresh = new QPushButton("Refresh", &d);
  auto* fremd = new QPushButton("Feld", &d);
  AltTastenVergeben(&d);
  EXPECT_EQ(speichern->text(), "&Speichern");
  EXPECT_EQ(suchen->text(), "S&uchen");
  EXPECT_EQ(exit->text(), "E&xit") << "its own key stays";
  EXPECT_EQ(refresh->text(), "&Refresh");
  EXPECT_EQ(fremd->text(), "F&eld") << "F belongs to the label, E is free";
  AltTastenVergeben(&d);
  EXPECT_EQ(suchen->text(), "S&uchen") << "a second run changes nothing";
}

}  // namespace
}  // namespace orvano::ui
