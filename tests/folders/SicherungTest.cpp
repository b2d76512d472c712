#include "folders/Sicherung.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "core/Dateien.h"
#include "core/RecordDatei.h"
#include "core/Start.h"
#include "folders/Ordner.h"
#include "support/Abschuss.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;

class SicherungTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgrammOrdnerSetzen(t.pfad());
    std::filesystem::create_directories(t / "SichCopy");
    testhaken::SchreibFehlerNach(-1);
  }
  void TearDown() override { testhaken::SchreibFehlerNach(-1); }
  test::TempOrdner t;
};

TEST_F(SicherungTest, NamesCarryBaseDateAndTag) {
  EXPECT_EQ(SicherungsName("/p/Ord_1/Dat_D.ppp", "2024-03-05", "_01"), "Dat_D_2024-03-05_01.ppp");
  EXPECT_EQ(SicherungsName("Strassen_CH.ppp", "2024-03-05", "_SO"), "Strassen_CH_2024-03-05_SO.ppp");
  const std::string heute = HeutigesDatum();
  ASSERT_EQ(heute.size(), 10u);
  EXPECT_EQ(heute[4], '-');
  EXPECT_EQ(heute[7], '-');
}

TEST_F(SicherungTest, TheLowestFreeTagOfTheDayIsTaken) {
  const std::string db = "/p/Ord_1/Dat_D.ppp";
  auto frei = FreieSicherungSuchen(db, "2024-03-05");
  EXPECT_EQ(frei.pfad, t / "SichCopy/Dat_D_2024-03-05_01.ppp");
  DateiSchreiben(frei.pfad, "x");
  EXPECT_EQ(FreieSicherungSuchen(db, "2024-03-05").pfad, t / "SichCopy/Dat_D_2024-03-05_02.ppp");
  DateiSchreiben(t / "SichCopy/Dat_D_2024-03-05_02.ppp", "x");
  std::filesystem::remove(frei.pfad);
  EXPECT_EQ(FreieSicherungSuchen(db, "2024-03-05").pfad, t / "SichCopy/Dat_D_2024-03-05_01.ppp");
  EXPECT_EQ(FreieSicherungSuchen(db, "2024-03-06").pfad, t / "SichCopy/Dat_D_2024-03-06_01.ppp");
}

TEST_F(SicherungTest, AfterTenCopiesTheTenthIsReusedAfterAsking) {
  for (const char* tag : {"_01", "_02", "_03", "_04", "_05", "_06", "_07", "_08", "_09", "_10"}) {
    DateiSchreiben(t / ("SichCopy/Dat_A_2024-03-05" + std::string(tag) + ".ppp"), "");
  }
  const auto frei = FreieSicherungSuchen("Dat_A.ppp", "2024-03-05");
  EXPECT_TRUE(frei.ueberschreiben);
  EXPECT_EQ(frei.pfad, t / "SichCopy/Dat_A_2024-03-05_10.ppp");
}

TEST_F(SicherungTest, RecordCountsFollowTheKindOfTheBackup) {
  EXPECT_EQ(SicherungsAnzahl("Strassen_D_2024-03-05_01.ppp", 1260), 10);
  EXPECT_EQ(SicherungsAnzahl("Dat_D_2024-03-05_01.ppp", 1260), 4);
  EXPECT_EQ(SicherungsAnzahl("Dat_A_2024-03-05_PO.ppp", 900), 3);
  DateiSchreiben(t / "SichCopy/Strassen_D_2024-03-05_01.ppp", std::string(1260, 'x'));
  DateiSchreiben(t / "SichCopy/Dat_D_2024-03-05_01.ppp", std::string(1260, 'x'));
  DateiSchreiben(t / "SichCopy/notiz.txt", "x");
  const auto liste = SicherungenListe();
  ASSERT_EQ(liste.size(), 2u);
  EXPECT_EQ(liste[0].name, "Dat_D_2024-03-05_01.ppp");
  EXPECT_EQ(liste[0].anzahl, 4);
  EXPECT_EQ(liste[1].anzahl, 10);
}

TEST_F(SicherungTest, OnlyNamesOfTheBackupPatternRestore) {
  EXPECT_EQ(WiederherstellZiel("Strassen_CH_2024-03-05_02.ppp"), "Strassen_CH.ppp");
  EXPECT_EQ(WiederherstellZiel("Dat_A_2024-03-05_PO.ppp"), "Dat_A.ppp");
  EXPECT_EQ(WiederherstellZiel("Dat_D.ppp"), "");
  EXPECT_EQ(WiederherstellZiel("einstPLZ_2024-03-05_01.ppp"), "");
  EXPECT_EQ(WiederherstellZiel("Dat_D_2024-3-5_01xxx.ppp"), "");
  EXPECT_EQ(WiederherstellZiel("Dat_D_2024-03-05_01.txt"), "");
  EXPECT_EQ(WiederherstellZiel("../Dat_D_2024-03-05_01.ppp"), "");
}

TEST_F(SicherungTest, CopiesAreWholeOrNotMadeAtAll) {
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", std::string(3000, 'd'));
  DateiKopieren(t / "Ord_1/Dat_D.ppp", t / "SichCopy/Dat_D_2024-03-05_01.ppp");
  EXPECT_EQ(DateiLesen(t / "SichCopy/Dat_D_2024-03-05_01.ppp"), std::string(3000, 'd'));
  EXPECT_THROW(DateiKopieren(t / "Ord_1/Dat_D.ppp", t / "Ord_9/Dat_D.ppp"), DateiFehler);
  EXPECT_THROW(DateiKopieren(t / "Ord_1/fehlt.ppp", t / "SichCopy/x.ppp"), DateiFehler);
  // A full disk after 1000 bytes: the old target stays as it was.
  DateiSchreiben(t / "Ord_2/Dat_D.ppp", "alt");
  testhaken::SchreibFehlerNach(1000);
  EXPECT_THROW(DateiKopieren(t / "Ord_1/Dat_D.ppp", t / "Ord_2/Dat_D.ppp"), DateiFehler);
  EXPECT_EQ(DateiLesen(t / "Ord_2/Dat_D.ppp"), "alt");
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST_F(SicherungTest, AKilledRestoreLeavesTheOldOrTheNewFile) {
  std::filesystem::create_directories(t / "Ord_1");
  const std::string neu(4'000'000, 'n');
  DateiSchreiben(t / "SichCopy/Dat_D_2024-03-05_01.ppp", neu);
  const int mittenDrin = test::MittenImSchreibenAbschiessen(t / "Ord_1/Dat_D.ppp", std::string(3000, 'a'), neu, 6, [&] {
    DateiKopieren(t / "SichCopy/Dat_D_2024-03-05_01.ppp", t / "Ord_1/Dat_D.ppp");
  });
  EXPECT_GE(mittenDrin, 3);
}

TEST_F(SicherungTest, AReplaceComesOnlyAfterItsBackup) {
  std::filesystem::remove_all(t / "SichCopy");
  std::filesystem::create_directories(t / "Ord_1");
  DateiSchreiben(t / "Ord_1/Strassen_D.ppp", "alt");
  const std::string kopie = SichernUndErsetzen(t / "Ord_1/Strassen_D.ppp", "2024-03-05", "_SO",
                                               [](Schreiber& s) { s.schreiben("neu", 3); });
  EXPECT_EQ(kopie, t / "SichCopy/Strassen_D_2024-03-05_SO.ppp");
  EXPECT_EQ(DateiLesen(kopie), "alt");
  EXPECT_EQ(DateiLesen(t / "Ord_1/Strassen_D.ppp"), "neu");
  // No backup, no replace: SichCopy is a plain file here.
  std::filesystem::remove_all(t / "SichCopy");
  DateiSchreiben(t / "SichCopy", "kein Ordner");
  try {
    SichernUndErsetzen(t / "Ord_1/Strassen_D.ppp", "2024-03-05", "_SO", [](Schreiber& s) { s.schreiben("x", 1); });
    ADD_FAILURE() << "no error";
  } catch (const DateiFehler& f) {
    EXPECT_EQ(std::string(f.what()).rfind("Die Sicherheitskopie wurde nicht erstellt: ", 0), 0u) << f.what();
  }
  EXPECT_EQ(DateiLesen(t / "Ord_1/Strassen_D.ppp"), "neu");
}

// The backup keeps the old bytes whatever later happens to the live file, a failed write
// leaves neither a new file nor a backup, and an existing backup of the name is replaced.
TEST_F(SicherungTest, TheBackupKeepsTheOldBytesOfItsOwn) {
  std::filesystem::create_directories(t / "Ord_1");
  const std::string datei = t / "Ord_1/Strassen_D.ppp";
  DateiSchreiben(datei, "alt");
  const std::string kopie = SichernUndErsetzen(datei, "2024-03-05", "_SO", [](Schreiber& s) { s.schreiben("neu", 3); });
  {
    std::FILE* f = std::fopen(datei.c_str(), "ab");
    std::fputs("+angehaengt", f);
    std::fclose(f);
  }
  EXPECT_EQ(DateiLesen(kopie), "alt");
  EXPECT_EQ(DateiLesen(datei), "neu+angehaengt");
  // Again on the same day and tag: the backup of that name now holds the newer old file.
  SichernUndErsetzen(datei, "2024-03-05", "_SO", [](Schreiber& s) { s.schreiben("dritte", 6); });
  EXPECT_EQ(DateiLesen(kopie), "neu+angehaengt");
  EXPECT_EQ(DateiLesen(datei), "dritte");
  // A full disk while writing the new file: old file, old backup, no new backup.
  testhaken::SchreibFehlerNach(2);
  EXPECT_THROW(SichernUndErsetzen(datei, "2024-03-06", "_SO", [](Schreiber& s) { s.schreiben("vierte", 6); }), DateiFehler);
  testhaken::SchreibFehlerNach(-1);
  EXPECT_EQ(DateiLesen(datei), "dritte");
  EXPECT_FALSE(DateiVorhanden(t / "SichCopy/Strassen_D_2024-03-06_SO.ppp"));
  std::vector<std::string> namen;
  for (const auto& e : std::filesystem::directory_iterator(t / "SichCopy")) namen.push_back(e.path().filename().string());
  EXPECT_EQ(namen, std::vector<std::string>{"Strassen_D_2024-03-05_SO.ppp"});
}

// Killed anywhere in a backup-then-replace: the old file or the new one, and beside the new
// one always its backup with the old bytes.
TEST_F(SicherungTest, AKilledBackupThenReplaceNeverLeavesANewFileWithoutItsBackup) {
  std::filesystem::create_directories(t / "Ord_1");
  const std::string datei = t / "Ord_1/Strassen_D.ppp";
  const std::string alt(3'000'000, 'a'), neu(6'000'000, 'n');
  const std::string kopie = t / "SichCopy/Strassen_D_2024-03-05_SO.ppp";
  for (int runde = 0; runde < 4; ++runde) {
    std::filesystem::remove(kopie);
    const int mittenDrin = test::MittenImSchreibenAbschiessen(datei, alt, neu, 1, [&] {
      SichernUndErsetzen(datei, "2024-03-05", "_SO", [&](Schreiber& s) { s.schreiben(neu.data(), neu.size()); });
    });
    if (DateiLesen(datei) == neu) {
      EXPECT_EQ(DateiLesen(kopie), alt) << runde;
    } else if (DateiVorhanden(kopie)) {
      EXPECT_EQ(DateiLesen(kopie), alt) << runde;
    }
    EXPECT_LE(mittenDrin, 1);
  }
}

TEST_F(SicherungTest, TheNextFreeFolderAndOnlyEmptyFoldersGo) {
  std::filesystem::create_directories(t / "Ord_1");
  DateiSchreiben(t / "Ord_2", "eine Datei dieses Namens");
  std::filesystem::create_directories(t / "Ord_4");
  EXPECT_EQ(NaechsterFreierOrdner(), "Ord_3");
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", "x");
  EXPECT_EQ(LeerenOrdnerLoeschen("Ord_1"), OrdnerLoeschen::NichtLeer);
  EXPECT_EQ(LeerenOrdnerLoeschen("Ord_2"), OrdnerLoeschen::NichtLeer) << "a file is no empty folder";
  EXPECT_EQ(LeerenOrdnerLoeschen("Ord_4"), OrdnerLoeschen::Geloescht);
  EXPECT_FALSE(std::filesystem::exists(t / "Ord_4"));
  EXPECT_TRUE(std::filesystem::exists(t / "Ord_1/Dat_D.ppp"));
}

}  // namespace
}  // namespace orvano
