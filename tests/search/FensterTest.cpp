// The radius-search and address-check windows: what they list, colour, filter and hand on.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "search/ut_AdressPruefung.h"
#include "search/ut_Umkreis.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"
#include "support/TestDialoge.h"
#include "ui/StringGrid.h"

namespace orvano {
namespace {

TPLZRecord Satz(const char* ort, std::int32_t plz, double breite, double laenge) {
  TPLZRecord r = test::PLZSatz(ort, plz, breite, laenge);
  r.Bundesland.setzen("Berlin");
  return r;
}

Datenbestand Daten() {
  Datenbestand db;
  db.PLZTabelle.resize(1, TPLZRecord{});
  for (const TPLZRecord& r : {Satz("Berlin", 10115, 52.5163, 13.3777), Satz("Ohne", 10117, 0, 0), Satz("Potsdam", 14467, 52.3906, 13.0645)}) {
    db.PLZTabelle.push_back(r);
  }
  db.PLZAnzahl = 3;
  return db;
}

TEST(UmkreisFenster, ListsAroundTheCentreDrawsTheCircleAndHandsOnADoubleClickedRecord) {
  const Datenbestand db = Daten();
  test::TestDialoge dialoge;
  TfrUmkreis f(db);
  double kreisKm = -1;
  std::int32_t gezeigt = 0;
  f.kreisZeichnen = [&](double, double, double km) { kreisKm = km; };
  f.satzZeigen = [&](std::int32_t k) { gezeigt = k; };
  f.edKm->setText(QStringLiteral("30"));
  f.mitteSetzen(1);
  ASSERT_EQ(f.tabelle().zeilen(), 3);
  EXPECT_EQ(f.tabelle().zelle(1, 1), "Berlin");
  EXPECT_EQ(f.tabelle().zelle(2, 1), "Berlin");
  EXPECT_EQ(f.tabelle().zelle(3, 2), "25,4");
  EXPECT_EQ(kreisKm, 30.0);
  emit f.StringGrid1->doubleClicked(f.StringGrid1->model()->index(1, 1));
  EXPECT_EQ(gezeigt, 3);
  // A record without coordinates says so; a radius that is no number is refused.
  f.mitteSetzen(2);
  EXPECT_EQ(f.lbMitte->text(), QStringLiteral("Keine Koordinaten für 10117 Ohne"));
  f.edKm->setText(QStringLiteral("zehn"));
  dialoge.antworte(ui::Antwort::Ok, QStringLiteral("Der Umkreis \"zehn\" ist keine Zahl von Kilometern"));
  f.mitteSetzen(1);
}

TEST(AdressFenster, ShowsTheColumnsFoundColoursAndFiltersByStatus) {
  const Datenbestand db = Daten();
  test::TempOrdner t;
  test::DateiSchreiben(t / "liste.csv", "Kunde;PLZ;Ort\nA;10115;Berlin\nB;10115;Potsdam\nC;10116;Berlin\n");
  test::TestDialoge dialoge;
  TfrAdressPruefung f(db);
  std::int32_t gezeigt = 0;
  f.satzZeigen = [&](std::int32_t k) { gezeigt = k; };
  ASSERT_TRUE(f.pruefen(QString::fromStdString(t / "liste.csv")));
  EXPECT_EQ(f.lbSpalten->text(), QStringLiteral("Spalten: PLZ PLZ (2), Ort Ort (3), Straße –, Hausnummer –"));
  ASSERT_EQ(f.tabelle().zeilen(), 4);
  EXPECT_EQ(f.tabelle().zelle(3, 2), "Ort passt nicht");
  EXPECT_EQ(f.tabelle().zelle(4, 2), "Berlin");
  EXPECT_NE(f.StringGrid1->zellFarbe(0, 1), f.StringGrid1->zellFarbe(0, 2));
  f.cbFilter->setCurrentText(QStringLiteral("PLZ unbekannt"));
  ASSERT_EQ(f.tabelle().zeilen(), 2);
  EXPECT_EQ(f.tabelle().zelle(0, 1), "C");
  emit f.StringGrid1->doubleClicked(f.StringGrid1->model()->index(0, 0));
  EXPECT_EQ(gezeigt, 0);  // 10116 has no record
  f.cbFilter->setCurrentIndex(0);
  emit f.StringGrid1->doubleClicked(f.StringGrid1->model()->index(1, 0));
  EXPECT_EQ(gezeigt, 1);  // Potsdam is not at 10115: its code's first record
  dialoge.datei(QString::fromStdString(t / "aus.csv"));
  f.sbSpeichernClick();
  EXPECT_EQ(test::DateiLesen(t / "aus.csv"),
            "Kunde;PLZ;Ort;Status;Vorschlag\r\nA;10115;Berlin;OK;\r\nB;10115;Potsdam;Ort passt nicht;Berlin\r\nC;10116;Berlin;PLZ unbekannt;10115\r\n");
}

}  // namespace
}  // namespace orvano
