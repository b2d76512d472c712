#include "search/SuchMaske.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Start.h"
#include "support/Antworten.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::PLZSatz;
using test::StrassenSatz;

class Maske : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgrammOrdnerSetzen(t.pfad());
    std::filesystem::create_directories(t / "Ord_1");
    test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp",
                           std::vector<TPLZRecord>{PLZSatz("Hamburg", 22605), PLZSatz("Kiel", 24103), PLZSatz("Magdeburg", 39104),
                                                   PLZSatz("Duisburg", 47051)});
    test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp",
                           std::vector<TStrassenRecord>{StrassenSatz(22605, "Elbchaussee", "Hamburg"), StrassenSatz(39104, "Elbuferweg", "Magdeburg"),
                                                        StrassenSatz(22605, "Bahnhofstr.", "Hamburg"), StrassenSatz(22605, "Alte Elbchaussee", "Hamburg")});
    laden();
  }
  void laden() {
    test::Antworten nein;
    db.PLZLaden(nein);
    db.StrassenLaden(KeinFortschritt(), nein);
  }
  SuchMaske::Treffer klick(const char* ort, const char* strasse) {
    return maske.weiter(ort, strasse, KeinFortschritt(), antworten, [&](std::int32_t k) { besucht.push_back(k); });
  }
  test::TempOrdner t;
  Datenbestand db;
  SuchMaske maske{db};
  test::Antworten antworten;
  std::vector<std::int32_t> besucht;
};

TEST_F(Maske, APlaceStepsThroughEveryMatchAndStartsAgainAfterTheLast) {
  EXPECT_EQ(klick("burg", "").satz, 1);
  EXPECT_EQ(klick("burg", "").satz, 3);
  EXPECT_EQ(klick("BURG", "").satz, 4) << "ASCII letters without case";
  EXPECT_EQ(klick("burg", "").satz, 0);
  EXPECT_EQ(antworten.meldungen, std::vector<std::string>{"Nicht gefunden"});
  EXPECT_EQ(klick("burg", "").satz, 1);
}

TEST_F(Maske, FurtherStreetsOfARecordComeBeforeFurtherRecords) {
  auto a = klick("", "elbchaussee");
  EXPECT_EQ(a.satz, 1);
  EXPECT_EQ(a.strasse, 0);
  EXPECT_EQ(a.strassenIndex, 1);
  a = klick("burg", "elbchaussee");
  EXPECT_EQ(a.satz, 1);
  maske.zuruecksetzen();
  a = klick("burg", "elbchaussee");
  EXPECT_EQ(a.strassenNr, 1);
  a = klick("burg", "elbchaussee");
  EXPECT_EQ(a.satz, 1) << "the same record again, its next street";
  EXPECT_EQ(a.strassenNr, 3);
  EXPECT_EQ(db.StrassenTabelle[static_cast<std::size_t>(a.strassenIndex)].Strasse.text(), "Alte Elbchaussee");
  besucht.clear();
  a = klick("burg", "elb");
  EXPECT_EQ(a.satz, 3) << "Magdeburg, after Hamburg has no further match";
  EXPECT_EQ(besucht, (std::vector<std::int32_t>{1, 3}));
}

TEST_F(Maske, WithoutAPlaceEveryStreetOfEveryRecordIsVisitedInTurn) {
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{PLZSatz("A", 10001), PLZSatz("B", 10002), PLZSatz("C", 10003)});
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp",
                         std::vector<TStrassenRecord>{StrassenSatz(10001, "Aweg", "A"), StrassenSatz(10001, "Bweg", "A"),
                                                      StrassenSatz(10002, "Cweg", "B"), StrassenSatz(10003, "Dweg", "C")});
  laden();
  maske.zuruecksetzen();
  std::vector<std::string> gefunden;
  for (int i = 0; i < 4; ++i) {
    const auto a = klick("", "weg");
    ASSERT_GT(a.satz, 0);
    gefunden.push_back(db.PLZTabelle[static_cast<std::size_t>(a.satz)].Ort.text() + ":" +
                       db.StrassenTabelle[static_cast<std::size_t>(a.strassenIndex)].Strasse.text());
  }
  EXPECT_EQ(gefunden, (std::vector<std::string>{"A:Aweg", "A:Bweg", "B:Cweg", "C:Dweg"}));
  EXPECT_EQ(klick("", "weg").satz, 0) << "past the last record";
  EXPECT_EQ(antworten.meldungen, std::vector<std::string>{"Nicht gefunden"});
}

TEST_F(Maske, AStreetNoRecordHasEndsTheWalkAfterTheLastRecord) {
  EXPECT_EQ(klick("", "Nirgendwostrasse").satz, 0);
  EXPECT_EQ(besucht, (std::vector<std::int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(antworten.meldungen, std::vector<std::string>{"Nicht gefunden"});
}

}  // namespace
}  // namespace orvano
