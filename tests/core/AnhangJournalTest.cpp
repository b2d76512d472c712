#include "core/AnhangJournal.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/Dateien.h"
#include "core/RecordDatei.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;

// A writer that wrote its journal and part of its records, then died (its descriptors closed).
void AbgebrochenerAnhang(const std::string& datei, const std::string& angehaengt) {
  const int fd = ::open(datei.c_str(), O_RDWR);
  const std::int64_t alt = DateiGroesse(datei);
  {
    AnhangJournal j(datei, fd, alt, alt / 10 * 10, 10);
    (void)!::pwrite(fd, angehaengt.data(), angehaengt.size(), alt / 10 * 10);
  }
  ::close(fd);
}

TEST(AnhangJournal, ACutOffAppendIsTakenBackToTheByteWithItsTornTail) {
  test::TempOrdner t;
  const std::string datei = t / "Strassen_D.ppp";
  DateiSchreiben(datei, "0123456789abcdefghijXYZ");  // two records and a torn tail
  AbgebrochenerAnhang(datei, "neu-neu-neu-neu");
  ASSERT_TRUE(std::filesystem::exists(JournalName(datei)));
  EXPECT_EQ(AbgebrocheneAnhaengeZuruecknehmen(t.pfad()),
            std::vector<std::string>{"Ein abgebrochener Import wurde zur\xC3\xBC" "ckgenommen: " + datei});
  EXPECT_EQ(DateiLesen(datei), "0123456789abcdefghijXYZ");
  EXPECT_FALSE(std::filesystem::exists(JournalName(datei)));
  EXPECT_TRUE(AbgebrocheneAnhaengeZuruecknehmen(t.pfad()).empty()) << "said once";
}

TEST(AnhangJournal, ARunningWriterAndAFileReplacedSinceAreLeftAlone) {
  test::TempOrdner t;
  const std::string datei = t / "Dat_D.ppp";
  DateiSchreiben(datei, "0123456789");
  const int fd = ::open(datei.c_str(), O_RDWR);
  {
    AnhangJournal laufend(datei, fd, 10, 10, 10);
    (void)!::pwrite(fd, "halb", 4, 10);
    EXPECT_FALSE(AbgebrochenenAnhangZuruecknehmen(datei)) << "its writer holds the journal";
    EXPECT_EQ(DateiLesen(datei), "0123456789halb");
  }
  ::close(fd);
  // Replaced as a whole afterwards: the journal no longer describes the file and goes.
  AtomarSchreiben(datei, [](Schreiber& w) { w.schreiben("abcdefghij0123", 14); });
  EXPECT_FALSE(std::filesystem::exists(JournalName(datei)));
  EXPECT_EQ(DateiLesen(datei), "abcdefghij0123");
  // A journal whose last whole record is not the file's any more cuts nothing; it is put aside
  // and said.
  AbgebrochenerAnhang(datei, "xxxxxxxxxx");
  const int andere = ::open(datei.c_str(), O_WRONLY);
  (void)!::pwrite(andere, "ANDERSANDERSANDERSANDERS", 24, 0);
  ::close(andere);
  const auto m = AbgebrochenenAnhangZuruecknehmen(datei);
  ASSERT_TRUE(m);
  EXPECT_NE(m->find("nicht angewandt"), std::string::npos) << *m;
  EXPECT_EQ(DateiLesen(datei), "ANDERSANDERSANDERSANDERS");
  EXPECT_TRUE(std::filesystem::exists(JournalName(datei) + ".ungueltig"));
}

// Journals that do not provably describe an unfinished append of ours to that very file: every
// file stays byte for byte as it was, and the user is told.
class FremdesJournal : public ::testing::Test {
 protected:
  void SetUp() override {
    strassen.assign(20000 * 126, 's');
    for (std::size_t i = 0; i < strassen.size(); i += 126) strassen[i] = static_cast<char>('A' + i / 126 % 26);
    DateiSchreiben(datei, strassen);
  }
  // A genuine journal of a killed append of 3 records to DATEI, with the file as it was.
  std::string echtesJournal() {
    AbgebrochenerAnhang(datei, std::string(3 * 126, 'n'));
    const std::string j = DateiLesen(JournalName(datei));
    std::filesystem::remove(JournalName(datei));
    DateiSchreiben(datei, strassen);
    return j;
  }
  void bleibtUnveraendert(const char* fall) {
    const auto meldungen = AbgebrocheneAnhaengeZuruecknehmen(t.pfad());
    ASSERT_EQ(meldungen.size(), 1u) << fall;
    EXPECT_NE(meldungen[0].find("wurde nicht angewandt"), std::string::npos) << meldungen[0];
    EXPECT_TRUE(DateiLesen(datei) == strassen) << fall;
  }
  test::TempOrdner t;
  const std::string datei = t / "Strassen_D.ppp";
  std::string strassen;
};

TEST_F(FremdesJournal, AHandMadeOrAlteredJournalCutsNothing) {
  // 24 bytes: old size 0, no check record.
  DateiSchreiben(JournalName(datei), std::string("ORVJNL2\n", 8) + std::string(16, '\0'));
  bleibtUnveraendert("hand-made");
  EXPECT_TRUE(std::filesystem::exists(JournalName(datei) + ".ungueltig"));
  // A genuine one whose old size was changed to 5e9 (it would grow the file to 5 GB).
  std::string j = echtesJournal();
  const std::int64_t gross = 5'000'000'000;
  std::memcpy(j.data() + 8, &gross, sizeof gross);
  DateiSchreiben(JournalName(datei), j);
  bleibtUnveraendert("old size too large");
  EXPECT_EQ(DateiGroesse(datei), 20000 * 126);
}

TEST_F(FremdesJournal, AJournalOfAnotherNameOrReachedThroughALinkCutsNothing) {
  const std::string j = echtesJournal();
  DateiSchreiben(t / "liesmich.txt", "Bitte lesen\n");
  DateiSchreiben(t / ".~liesmich.txt.journal", j);
  const auto m = AbgebrocheneAnhaengeZuruecknehmen(t.pfad());
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(DateiLesen(t / "liesmich.txt"), "Bitte lesen\n");
  std::filesystem::remove(t / ".~liesmich.txt.journal.ungueltig");
  // The journal a link to a genuine one elsewhere.
  std::filesystem::create_directories(t / "woanders");
  DateiSchreiben(t / "woanders/j", j);
  std::filesystem::create_symlink(t / "woanders/j", JournalName(datei));
  bleibtUnveraendert("journal link");
  EXPECT_EQ(DateiLesen(t / "woanders/j"), j);
}

TEST_F(FremdesJournal, ATargetThatIsALinkOrAnotherFileIsNotCut) {
  const std::string j = echtesJournal();
  // A killed import into a folder without street file; the street file is copied in later.
  std::filesystem::remove(datei);
  DateiSchreiben(datei, "");
  AbgebrochenerAnhang(datei, std::string(2 * 126, 'n'));
  std::filesystem::remove(datei);
  DateiSchreiben(datei, strassen);
  bleibtUnveraendert("copied in later");
  std::filesystem::remove(JournalName(datei) + ".ungueltig");
  // The database name a link to another user's file.
  std::filesystem::rename(datei, t / "privat");
  std::filesystem::create_symlink(t / "privat", datei);
  DateiSchreiben(JournalName(datei), j);
  const auto m = AbgebrocheneAnhaengeZuruecknehmen(t.pfad());
  ASSERT_EQ(m.size(), 1u);
  EXPECT_TRUE(DateiLesen(t / "privat") == strassen);
}


}  // namespace
}  // namespace orvano
