#include "search/Umkreis.h"

#include <gtest/gtest.h>

#include "support/Datenordner.h"

namespace orvano {
namespace {

Datenbestand Tabelle(const std::vector<TPLZRecord>& saetze) {
  Datenbestand db;
  db.PLZTabelle.resize(1, TPLZRecord{});
  for (const TPLZRecord& r : saetze) db.PLZTabelle.push_back(r);
  db.PLZAnzahl = static_cast<std::int32_t>(saetze.size());
  return db;
}

TEST(Umkreis, DistancesOfKnownPairs) {
  // Berlin (Brandenburger Tor) to München (Marienplatz): about 504 km.
  EXPECT_NEAR(EntfernungKm(52.5163, 13.3777, 48.1374, 11.5755), 504.0, 1.5);
  EXPECT_DOUBLE_EQ(EntfernungKm(50.94, 6.96, 50.94, 6.96), 0.0);
  // A quarter of the equator: a quarter of the circumference of the 6371-km sphere.
  EXPECT_NEAR(EntfernungKm(0, 0, 0, 90), 6371.0 * 3.14159265358979 / 2, 1e-6);
  EXPECT_EQ(KmText(504.04), "504,0");
  EXPECT_EQ(KmText(0), "0,0");
  EXPECT_EQ(KmText(12.35), "12,3");
}

TEST(Umkreis, NearestFirstTiesInFileOrderTheBoundaryInsideRecordsWithoutCoordinatesNever) {
  const double einGradKm = EntfernungKm(50, 10, 51, 10);
  const Datenbestand db = Tabelle({test::PLZSatz("Nord", 10002, 51, 10), test::PLZSatz("Mitte", 10001, 50, 10), test::PLZSatz("Ohne", 10003, 0, 0),
                                   test::PLZSatz("Sued", 10004, 49, 10), test::PLZSatz("Weit", 10005, 53, 10), test::PLZSatz("Mitte", 10006, 50, 10)});
  const auto t = Umkreis(db, 50, 10, einGradKm);
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0].position, 2);
  EXPECT_EQ(t[1].position, 6);
  EXPECT_EQ(t[2].position, 1);  // north and south equally far: file order
  EXPECT_EQ(t[3].position, 4);
  EXPECT_DOUBLE_EQ(t[0].km, 0.0);
  // A centre at 0,0 still finds nothing there: such records have no coordinates.
  EXPECT_TRUE(Umkreis(db, 0, 0, 10).empty());
}

TEST(Umkreis, TheCentreIsTheFirstRecordOfCodeAndPlaceWithCoordinates) {
  const Datenbestand db = Tabelle({test::PLZSatz("Frankfurt (Oder)", 15230, 0, 0), test::PLZSatz("Frankfurt am Main", 15230, 50.1, 8.7),
                                   test::PLZSatz("Frankfurt/Oder", 15230, 52.34, 14.55)});
  EXPECT_EQ(UmkreisMitte(db, 15230, ""), 2);
  EXPECT_EQ(UmkreisMitte(db, 15230, "FRANKFURT ODER"), 3);
  EXPECT_FALSE(UmkreisMitte(db, 15231, ""));
  EXPECT_FALSE(UmkreisMitte(db, 15230, "Berlin"));
}

}  // namespace
}  // namespace orvano
