#include "ui/Warten.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>

namespace orvano::ui {
namespace {

TEST(Warten, WaitsAtLeastTheTimeAndKeepsProcessingEvents) {
  bool zeitgeber = false;
  QTimer::singleShot(5, [&] { zeitgeber = true; });
  QElapsedTimer uhr;
  uhr.start();
  Warten(40);
  EXPECT_GE(uhr.elapsed(), 40);
  EXPECT_TRUE(zeitgeber);
  Warten(0);
}

TEST(Escape, APressIsReportedOnceAndAnEarlierPressCanBeDiscarded) {
  EscapeBeobachten();
  QWidget w;
  w.show();
  EscapeGedrueckt();
  EXPECT_FALSE(EscapeGedrueckt());
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&w, &esc);
  EXPECT_TRUE(EscapeGedrueckt());
  EXPECT_FALSE(EscapeGedrueckt());
  QApplication::sendEvent(&w, &esc);
  EscapeVerwerfen();
  EXPECT_FALSE(EscapeGedrueckt());
  QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QApplication::sendEvent(&w, &a);
  EXPECT_FALSE(EscapeGedrueckt());
}

TEST(Fortschritt, TheBarShowsForTheWorkAndEscapeCancelsWhenAllowed) {
  EscapeBeobachten();
  QWidget w;
  auto* balken = new QProgressBar(&w);
  balken->hide();
  w.show();
  BalkenFortschritt f(balken, true);
  f.beginnen(2500);
  EXPECT_TRUE(balken->isVisible());
  EXPECT_EQ(balken->maximum(), 2500);
  f.position(1000);
  EXPECT_EQ(balken->value(), 1000);
  EXPECT_FALSE(f.abbrechen());
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&w, &esc);
  EXPECT_TRUE(f.abbrechen());
  f.beenden();
  EXPECT_FALSE(balken->isVisible());
  BalkenFortschritt ohne(balken);
  QApplication::sendEvent(&w, &esc);
  EXPECT_FALSE(ohne.abbrechen());
  EscapeVerwerfen();
}

TEST(Fortschritt, HugeMaximaStillFitTheBar) {
  QProgressBar balken;
  BalkenFortschritt f(&balken);
  f.beginnen(4000000000LL);
  f.position(4000000000LL);
  EXPECT_EQ(balken.value(), balken.maximum());
  EXPECT_GT(balken.maximum(), 0);
}

TEST(StatusLeiste, PanelsAreAddressedByNumber) {
  QStatusBar leiste;
  StatusLeiste s(&leiste, 2);
  s.setText(0, "8234 PLZ in CSV-Datei speichern");
  s.setText(1, "Mit ESC-Taste abbrechen");
  s.setText(5, "ignoriert");
  EXPECT_EQ(s.text(0), "8234 PLZ in CSV-Datei speichern");
  EXPECT_EQ(s.text(1), "Mit ESC-Taste abbrechen");
  EXPECT_EQ(s.text(5), "");
}

}  // namespace
}  // namespace orvano::ui

namespace orvano::ui {
namespace {

// During a run the windows that were open take no input but repaint; a question opened by
// the run answers as usual; Escape is noted; the frame cannot close a window.
TEST(EingabeSperre, OldWindowsTakeNoInputNewOnesDoAndEscapeIsNoted) {
  EscapeBeobachten();
  QWidget fenster;
  auto* knopf = new QPushButton("Speichern", &fenster);
  int klicks = 0;
  QObject::connect(knopf, &QPushButton::clicked, [&] { ++klicks; });
  fenster.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster));
  {
    EingabeSperre sperre;
    EscapeVerwerfen();
    QTest::mouseClick(knopf, Qt::LeftButton);
    QTest::keyClick(knopf, Qt::Key_Space);
    EXPECT_EQ(klicks, 0);
    QTest::keyClick(knopf, Qt::Key_Escape);
    EXPECT_TRUE(EscapeGedrueckt());
    EXPECT_FALSE(fenster.close()) << "the frame's close button waits for the run";
    QWidget frage;
    auto* ja = new QPushButton("Ja", &frage);
    int jaKlicks = 0;
    QObject::connect(ja, &QPushButton::clicked, [&] { ++jaKlicks; });
    frage.show();
    QTest::mouseClick(ja, Qt::LeftButton);
    EXPECT_EQ(jaKlicks, 1);
  }
  QTest::mouseClick(knopf, Qt::LeftButton);
  EXPECT_EQ(klicks, 1);
}

TEST(EingabeSperre, EscapeStopsARunWithoutClosingTheWindowAndClosesItWhenNothingRuns) {
  EscapeBeobachten();
  QDialog d;
  EscapeSchliesstNicht(&d);
  d.show();
  {
    Lauf lauf(nullptr, nullptr, Lauf::Escape::Sofort);
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(lauf.abbrechen());
  }
  QTest::keyClick(&d, Qt::Key_Escape);
  EXPECT_TRUE(d.isVisible()) << "a press right after the run still belongs to it";
  QTest::qWait(450);
  QTest::keyClick(&d, Qt::Key_Escape);
  EXPECT_FALSE(d.isVisible());
}

}  // namespace
}  // namespace orvano::ui
