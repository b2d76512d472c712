#include "core/AnhangJournal.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

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
  // A journal whose last whole record is not the file's any more cuts nothing.
  AbgebrochenerAnhang(datei, "xxxxxxxxxx");
  DateiSchreiben(datei, "ANDERSANDERSANDERSANDERS");
  EXPECT_FALSE(AbgebrochenenAnhangZuruecknehmen(datei));
  EXPECT_EQ(DateiLesen(datei), "ANDERSANDERSANDERSANDERS");
}

}  // namespace
}  // namespace orvano
