#include "folders/Sicherung.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST_F(SicherungTest, NamesCarryBaseDateTagNumberAndFolder) {
  EXPECT_EQ(SicherungsName("/p/Ord_1/Dat_D.ppp", "2024-03-05", "_01"), "Dat_D_2024-03-05_01_Ord_1.ppp");
  EXPECT_EQ(SicherungsName("/p/Ord_Test_2/Strassen_CH.ppp", "2024-03-05", "_SO", 3), "Strassen_CH_2024-03-05_SO-3_Ord_Test_2.ppp");
  EXPECT_EQ(SicherungsName("Strassen_CH.ppp", "2024-03-05", "_SO"), "Strassen_CH_2024-03-05_SO.ppp");
  const std::string heute = HeutigesDatum();
  ASSERT_EQ(heute.size(), 10u);
  EXPECT_EQ(heute[4], '-');
  EXPECT_EQ(heute[7], '-');
}

// Manual backups take the lowest free number of the day and folder; past _10 they go on
// counting instead of overwriting the tenth.
TEST_F(SicherungTest, ManualBackupsTakeTheLowestFreeNumberAndNeverOverwrite) {
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", std::string(600, '1'));
  DateiSchreiben(t / "Ord_2/Dat_D.ppp", std::string(900, '2'));
  const std::string erste = SicherungErstellen(t / "Ord_1/Dat_D.ppp", "2024-03-05");
  EXPECT_EQ(erste, t / "SichCopy/Dat_D_2024-03-05_01_Ord_1.ppp");
  EXPECT_EQ(SicherungErstellen(t / "Ord_1/Dat_D.ppp", "2024-03-05"), t / "SichCopy/Dat_D_2024-03-05_02_Ord_1.ppp");
  // Another folder has numbers of its own.
  EXPECT_EQ(SicherungErstellen(t / "Ord_2/Dat_D.ppp", "2024-03-05"), t / "SichCopy/Dat_D_2024-03-05_01_Ord_2.ppp");
  std::filesystem::remove(erste);
  EXPECT_EQ(SicherungErstellen(t / "Ord_1/Dat_D.ppp", "2024-03-05"), erste);
  for (int n = 3; n <= 10; ++n) SicherungErstellen(t / "Ord_1/Dat_D.ppp", "2024-03-05");
  EXPECT_EQ(SicherungErstellen(t / "Ord_1/Dat_D.ppp", "2024-03-05"), t / "SichCopy/Dat_D_2024-03-05_10-2_Ord_1.ppp");
  EXPECT_EQ(DateiLesen(t / "SichCopy/Dat_D_2024-03-05_01_Ord_2.ppp"), std::string(900, '2'));
  EXPECT_EQ(DateiLesen(t / "SichCopy/Dat_D_2024-03-05_10_Ord_1.ppp"), std::string(600, '1'));
  EXPECT_EQ(SicherungenListe().size(), 12u) << "no temporary file is left behind";
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
  EXPECT_EQ(WiederherstellZiel("Dat_CH_2024-03-05_OS-12_Ord_3.ppp"), "Dat_CH.ppp");
  EXPECT_EQ(SicherungsHerkunft("Dat_CH_2024-03-05_OS-12_Ord_3.ppp"), "Ord_3");
  EXPECT_EQ(SicherungsHerkunft("Strassen_D_2024-03-05_10_Ord_Test_1.ppp"), "Ord_Test_1");
  EXPECT_EQ(SicherungsHerkunft("Strassen_CH_2024-03-05_02.ppp"), "") << "an older name names no folder";
  EXPECT_EQ(WiederherstellZiel("Dat_D.ppp"), "");
  EXPECT_EQ(WiederherstellZiel("einstPLZ_2024-03-05_01.ppp"), "");
  EXPECT_EQ(WiederherstellZiel("Dat_D_2024-3-5_01xxx.ppp"), "");
  EXPECT_EQ(WiederherstellZiel("Dat_D_2024-03-05_01-_Ord_1.ppp"), "");
  EXPECT_EQ(WiederherstellZiel("Dat_D_2024-03-05_01_.ppp"), "");
  EXPECT_EQ(WiederherstellZiel("Dat_D_2024-03-05_01.txt"), "");
  EXPECT_EQ(WiederherstellZiel("../Dat_D_2024-03-05_01.ppp"), "");
}

// A restore backs up the file it replaces, so restoring that backup takes it back; it says
// when the other file of the pair is there and the street counts may be stale.
TEST_F(SicherungTest, ARestoreIsUndoneByRestoringItsOwnBackup) {
  DateiSchreiben(t / "Ord_2/Strassen_A.ppp", std::string(252, 'a'));
  DateiSchreiben(t / "SichCopy/Strassen_A_2024-03-01_SO_Ord_1.ppp", std::string(378, 'b'));
  const Wiederherstellung w = SicherungWiederherstellen("Strassen_A_2024-03-01_SO_Ord_1.ppp", t / "Ord_2/", "2024-03-05");
  EXPECT_EQ(w.ziel, t / "Ord_2/Strassen_A.ppp");
  EXPECT_EQ(DateiLesen(w.ziel), std::string(378, 'b'));
  EXPECT_EQ(w.sicherung, t / "SichCopy/Strassen_A_2024-03-05_WH_Ord_2.ppp");
  EXPECT_EQ(DateiLesen(w.sicherung), std::string(252, 'a'));
  EXPECT_FALSE(w.zahlenVeraltet) << "Ord_2 has no Dat_A.ppp";
  DateiSchreiben(t / "Ord_2/Dat_A.ppp", std::string(300, 'p'));
  const Wiederherstellung zurueck = SicherungWiederherstellen("Strassen_A_2024-03-05_WH_Ord_2.ppp", t / "Ord_2", "2024-03-05");
  EXPECT_EQ(DateiLesen(t / "Ord_2/Strassen_A.ppp"), std::string(252, 'a'));
  EXPECT_EQ(zurueck.sicherung, t / "SichCopy/Strassen_A_2024-03-05_WH-2_Ord_2.ppp");
  EXPECT_TRUE(zurueck.zahlenVeraltet);
  EXPECT_THROW(SicherungWiederherstellen("Strassen_A_2024-03-05_WH_Ord_2.ppp", t / "Ord_9", "2024-03-05"), DateiFehler);
  EXPECT_THROW(SicherungWiederherstellen("liesmich.ppp", t / "Ord_2", "2024-03-05"), DateiFehler);
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
  EXPECT_EQ(kopie, t / "SichCopy/Strassen_D_2024-03-05_SO_Ord_1.ppp");
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
// leaves neither a new file nor a backup, and a second backup of the day never replaces the first.
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
  // Again on the same day and tag: a second backup beside the first, which stays as it was.
  const std::string zweite = SichernUndErsetzen(datei, "2024-03-05", "_SO", [](Schreiber& s) { s.schreiben("dritte", 6); });
  EXPECT_EQ(zweite, t / "SichCopy/Strassen_D_2024-03-05_SO-2_Ord_1.ppp");
  EXPECT_EQ(DateiLesen(kopie), "alt");
  EXPECT_EQ(DateiLesen(zweite), "neu+angehaengt");
  EXPECT_EQ(DateiLesen(datei), "dritte");
  // A full disk while writing the new file: old file, old backup, no new backup.
  testhaken::SchreibFehlerNach(2);
  EXPECT_THROW(SichernUndErsetzen(datei, "2024-03-06", "_SO", [](Schreiber& s) { s.schreiben("vierte", 6); }), DateiFehler);
  testhaken::SchreibFehlerNach(-1);
  EXPECT_EQ(DateiLesen(datei), "dritte");
  EXPECT_FALSE(DateiVorhanden(t / "SichCopy/Strassen_D_2024-03-06_SO_Ord_1.ppp"));
  std::vector<std::string> namen;
  for (const auto& e : std::filesystem::directory_iterator(t / "SichCopy")) namen.push_back(e.path().filename().string());
  std::sort(namen.begin(), namen.end());
  EXPECT_EQ(namen, (std::vector<std::string>{"Strassen_D_2024-03-05_SO-2_Ord_1.ppp", "Strassen_D_2024-03-05_SO_Ord_1.ppp"}));
}

// Killed anywhere in a backup-then-replace: the old file or the new one, and beside the new
// one always its backup with the old bytes.
TEST_F(SicherungTest, AKilledBackupThenReplaceNeverLeavesANewFileWithoutItsBackup) {
  std::filesystem::create_directories(t / "Ord_1");
  const std::string datei = t / "Ord_1/Strassen_D.ppp";
  const std::string alt(3'000'000, 'a'), neu(6'000'000, 'n');
  const std::string kopie = t / "SichCopy/Strassen_D_2024-03-05_SO_Ord_1.ppp";
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
