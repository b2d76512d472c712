#include "maps/Karte.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Start.h"
#include "maps/Route.h"
#include "support/Antworten.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

TEST(Karte, TheCalibrationPointsLandOnTheirPixelsAndNothingLeavesThePicture) {
  const KartenEichung& d = Eichung('D');
  for (double s : {1.0, 2.0}) {
    const int w = Naechste(500 * s), h = Naechste(665 * s);
    const Punkt nw = GradZuPunkt(d, s, 5.91667, 55.0167, w, h);
    const Punkt so = GradZuPunkt(d, s, 14.9833, 47.4, w, h);
    EXPECT_EQ(nw.x, Naechste(11 * s));
    EXPECT_EQ(nw.y, Naechste(10 * s));
    EXPECT_EQ(so.x, Naechste(490 * s));
    EXPECT_EQ(so.y, Naechste(646 * s));
    const Grad g = PunktZuGrad(d, 490, 646);
    EXPECT_NEAR(g.breite, 47.4, 1e-12);
    EXPECT_NEAR(g.laenge, 14.9833, 1e-12);
  }
  const Punkt weit = GradZuPunkt(d, 1, -30, 80, 500, 665);
  EXPECT_EQ(weit.x, 1);
  EXPECT_EQ(weit.y, 1);
  const Punkt fern = GradZuPunkt(d, 1, 40, 20, 500, 665);
  EXPECT_EQ(fern.x, 499);
  EXPECT_EQ(fern.y, 664);
  EXPECT_EQ(Naechste(2.5), 2);
  EXPECT_EQ(Naechste(3.5), 4);
  EXPECT_EQ(KartenLand("\xD6sterreich"), 'A');
  EXPECT_EQ(KartenLand("Schweiz"), 'C');
}

TEST(Karte, TheNearestRecordOfTheCountryFirstOfEqualOnes) {
  test::TempOrdner t;
  ProgrammOrdnerSetzen(t.pfad());
  std::filesystem::create_directories(t / "Ord_1");
  auto satz = [](const char* ort, double breite, double laenge, const char* staat = "DE") {
    TPLZRecord r = test::PLZSatz(ort, 10000, staat);
    r.Breitengrad = breite;
    r.Laengengrad = laenge;
    return r;
  };
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{satz("Wien", 50, 10, "AT"), satz("Nord", 51, 10),
                                                                       satz("Sued", 49, 10), satz("Mitte", 50.5, 10.6)});
  Datenbestand db;
  test::Antworten nein;
  db.PLZLaden(nein);
  EXPECT_EQ(NaechsterSatz(db, 'D', 50, 10), 2) << "Nord and Sued are as far: the earlier; Wien is no German record";
  EXPECT_EQ(NaechsterSatz(db, 'D', 50.4, 10.5), 4);
  EXPECT_EQ(NaechsterSatz(db, 'C', 50, 10), 1) << "no Swiss record: record 1";
  EXPECT_EQ(KartenOrtAdresse(UmlauteFuerURL("K\xF6ln"), "50,9375", "6,9603"),
            DienstBasis("Karte") + "/maps/place/K%C3%B6ln/@50.9375,6.9603,11z");
}

TEST(Strassenansicht, EveryLetterOfPlaceAndStreetReachesTheAddressAsUtf8) {
  EXPECT_EQ(StrassenansichtAdresse("Gen\xE8ve", "Rue du Rh\xF4ne", "Schweiz"),
            DienstBasis("Strassenansicht") + "/Rue du Rh%C3%B4ne%2CGen%C3%A8ve%2CSchweiz");
  EXPECT_EQ(StrassenansichtAdresse("M\xFCnchen", "Stra\xDF" "e", "Deutschland"),
            DienstBasis("Strassenansicht") + "/Stra%C3%9Fe%2CM%C3%BCnchen%2CDeutschland")
      << "umlauts as before";
  EXPECT_EQ(TextFuerURL("\x80 \xD6"), "%E2%82%AC %C3%B6") << "the euro sign is three bytes; capital umlauts as their small ones";
}

}  // namespace
}  // namespace orvano
