#include "ui/Drucken.h"

#include "support/PdfText.h"

#include <gtest/gtest.h>

#include <QPrinter>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "support/TempOrdner.h"

namespace orvano::ui {
namespace {

using test::PdfText;

// 200 rows on several pages: every page starts with the title row, the first and the last row
// are printed, a hidden column is not.
TEST(TabelleDrucken, ARowsTablePrintsToPdfPageByPage) {
  test::TempOrdner t;
  Tabelle tab(4, 201);
  tab.setFesteZeilen(1);
  tab.setFesteSpalten(1);
  tab.setZeile(0, {"LNr", "Ort", "Versteckt", "Postleitzahl"});
  for (int r = 1; r <= 200; ++r) tab.setZeile(r, {std::to_string(r), "Ort" + std::to_string(r), "geheim", std::to_string(10000 + r)});
  tab.setBreite(0, 45);
  tab.setBreite(1, 170);
  tab.setBreite(2, Tabelle::kVerborgen);
  tab.setBreite(3, 75);
  QPrinter drucker(QPrinter::HighResolution);
  drucker.setOutputFormat(QPrinter::PdfFormat);
  drucker.setOutputFileName(QString::fromStdString(t / "druck.pdf"));
  DruckOptionen o;
  o.titel = QStringLiteral("Liste");
  QFont schrift;
  schrift.setPointSize(8);
  const int seiten = TabelleDrucken(drucker, tab, schrift, QColor(255, 255, 0), o);
  EXPECT_GT(seiten, 1);
  const std::string text = PdfText(t / "druck.pdf");
  ASSERT_FALSE(text.empty()) << "pdftotext is missing or the file is empty";
  EXPECT_NE(text.find("Ort1 "), std::string::npos);
  EXPECT_NE(text.find("Ort200"), std::string::npos);
  EXPECT_NE(text.find("10200"), std::string::npos);
  EXPECT_EQ(text.find("geheim"), std::string::npos);
  // Every page starts with the title row, and it is printed once a page, whichever row the
  // print starts at (the search window starts at 1, the radius search at 0).
  auto titelZeilen = [](const std::string& s) {
    int n = 0;
    for (std::size_t p = s.find("Postleitzahl"); p != std::string::npos; p = s.find("Postleitzahl", p + 1)) ++n;
    return n;
  };
  EXPECT_EQ(titelZeilen(text), seiten);
  o.ersteZeile = 1;
  o.seitenBreite = true;
  const int breit = TabelleDrucken(drucker, tab, schrift, QColor(255, 255, 0), o);
  const std::string breitText = PdfText(t / "druck.pdf");
  EXPECT_EQ(titelZeilen(breitText), breit);
  EXPECT_GT(breit, seiten) << "three narrow columns filling the width are larger: fewer rows fit a page";
  DruckOptionen ohne;
  ohne.massstab = 0;
  EXPECT_EQ(TabelleDrucken(drucker, tab, schrift, QColor(), ohne), 0);
}

}  // namespace
}  // namespace orvano::ui
