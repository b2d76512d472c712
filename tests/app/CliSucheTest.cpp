// orvano-cli umkreis and adressen-pruefen: lines, centre, summaries and wrong calls.
#include <gtest/gtest.h>

#include "app/CliLauf.h"
#include "core/Records.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::CliLauf;

TEST(CliUmkreisUndAdressen, LinesAsTheWindowsShowThemAndWrongCallsFail) {
  test::TempOrdner t;
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp",
                         std::vector<TPLZRecord>{test::PLZSatz("Berlin", 10115, 52.5163, 13.3777), test::PLZSatz("M\xFCnchen", 80331, 48.1374, 11.5755),
                                                 test::PLZSatz("Potsdam", 14467, 52.3906, 13.0645)});
  std::string out, err;
  ASSERT_EQ(CliLauf({"--programmordner", t.pfad(), "umkreis", "--plz", "10115", "--ort", "Berlin", "--km", "30"}, out, err), 0) << err;
  EXPECT_EQ(out, "1;10115;Berlin;0,0\n3;14467;Potsdam;25,4\n");
  ASSERT_EQ(CliLauf({"--programmordner", t.pfad(), "umkreis", "--breite", "52.5163", "--laenge", "13,3777", "--km", "505"}, out, err), 0);
  EXPECT_EQ(out, "1;10115;Berlin;0,0\n3;14467;Potsdam;25,4\n2;80331;München;503,4\n");
  EXPECT_EQ(CliLauf({"--programmordner", t.pfad(), "umkreis", "--plz", "99999", "--km", "5"}, out, err), 1);
  EXPECT_EQ(err, "orvano-cli: Keine Koordinaten für 99999\n");
  EXPECT_EQ(CliLauf({"--programmordner", t.pfad(), "umkreis", "--km", "5"}, out, err), 2);
  EXPECT_EQ(CliLauf({"--programmordner", t.pfad(), "umkreis", "--plz", "10115", "--breite", "1", "--laenge", "2", "--km", "5"}, out, err), 2);

  test::DateiSchreiben(t / "liste.csv", "PLZ;Ort\n10115;Berlin\n10115;Potsdam\n10116;Berlin\n");
  ASSERT_EQ(CliLauf({"--programmordner", t.pfad(), "adressen-pruefen", t / "liste.csv", "--ausgabe", t / "aus.csv"}, out, err), 0) << err;
  EXPECT_EQ(out, "1;OK;\n2;Ort passt nicht;Berlin\n3;PLZ unbekannt;10115\n");
  EXPECT_EQ(err, "PLZ unbekannt: 1\nOrt passt nicht: 1\nStrasse fehlt: 0\nStrassen nicht geprüft: 0\nStrasse unbekannt: 0\n"
                 "Hausnummer ausserhalb: 0\nOK: 1\n");
  EXPECT_EQ(test::DateiLesen(t / "aus.csv"),
            "PLZ;Ort;Status;Vorschlag\r\n10115;Berlin;OK;\r\n10115;Potsdam;Ort passt nicht;Berlin\r\n10116;Berlin;PLZ unbekannt;10115\r\n");
  EXPECT_EQ(CliLauf({"--programmordner", t.pfad(), "adressen-pruefen"}, out, err), 2);
  EXPECT_EQ(CliLauf({"--programmordner", t.pfad(), "adressen-pruefen", t / "fehlt.csv"}, out, err), 1);
}

}  // namespace
}  // namespace orvano
