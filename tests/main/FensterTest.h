// A program folder of its own and scripted dialogs for tests of the main window.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <filesystem>
#include <cstring>
#include <string>
#include <vector>

#include "core/Start.h"
#include "main/ut_PLZ.h"
#include "support/Datenordner.h"
#include "support/TestDialoge.h"

namespace orvano::test {

class FensterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgrammOrdnerSetzen(t.pfad());
    std::filesystem::create_directories(t / "Ord_1");
  }
  void plz(const std::vector<TPLZRecord>& r, const char* datei = "Ord_1/Dat_D.ppp") { RecordsSchreiben(t / datei, r); }
  void strassen(const std::vector<TStrassenRecord>& s, const char* datei = "Ord_1/Strassen_D.ppp") {
    RecordsSchreiben(t / datei, s);
  }
  std::vector<TPLZRecord> drei() { return {PLZSatz("Dresden", 1067), PLZSatz("Berlin", 10115), PLZSatz("Bonn", 53111)}; }
  static std::string zelle(TfrPLZ& f, int spalte, int zeile) { return std::string(f.gridDaten().zelle(spalte, zeile)); }
  // The Ort fields of the postal-code file, in file order.
  std::vector<std::string> orteDerDatei(const char* datei = "Ord_1/Dat_D.ppp") { return PLZOrte(t / datei); }

  // Shows W as the active window, so that keys reach the focused widget.
  static void aktiv(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  }

  // Types TEXT into the grid as a user would: the first key opens the cell editor, which
  // then has the focus and gets the rest.
  static void tippen(QWidget* grid, const QString& text) {
    QTest::keyClicks(grid, text.left(1));
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, grid) << "no cell editor opened";
    QTest::keyClicks(editor, text.mid(1));
  }

  TempOrdner t;
  TestDialoge dialoge;
};

}  // namespace orvano::test
