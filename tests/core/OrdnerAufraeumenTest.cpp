// What a killed run leaves in a data folder is set right at its next opening.
#include "core/SicherungsAblage.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Dateien.h"
#include "core/Start.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;

class Aufraeumen : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgrammOrdnerSetzen(t.pfad());
    DateiSchreiben(t / "Ord_1/Strassen_D.ppp", std::string(126 * 40, 's'));
    DateiSchreiben(t / "Ord_1/Dat_D.ppp", std::string(300 * 4, 'p'));
  }
  static void schreiben(Schreiber& w, const std::string& text) { w.schreiben(text.data(), text.size()); }
  test::TempOrdner t;
};

// Killed between the two replaces: the street file is new, the postal codes not yet. The next
// opening puts the finished postal-code file in place, with its backup, and says so.
TEST_F(Aufraeumen, AKillBetweenTwoReplacesIsFinishedAtTheNextOpening) {
  const std::string neueStrassen(126 * 30, 'S'), neuePLZ(300 * 5, 'P');
  const pid_t kind = ::fork();
  if (kind == 0) {
    testhaken::ZwischenDenErsetzungen = [] { ::_exit(0); };
    SichernUndBeideErsetzen({t / "Ord_1/Strassen_D.ppp", "_OS", [&](Schreiber& w) { schreiben(w, neueStrassen); }},
                            {t / "Ord_1/Dat_D.ppp", "_OS", [&](Schreiber& w) { schreiben(w, neuePLZ); }}, "2026-12-09");
    ::_exit(1);
  }
  int status = 0;
  ::waitpid(kind, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(DateiLesen(t / "Ord_1/Strassen_D.ppp"), neueStrassen);
  EXPECT_EQ(DateiLesen(t / "Ord_1/Dat_D.ppp"), std::string(300 * 4, 'p')) << "the second file is still the old one";
  const auto m = OrdnerAufraeumen(t / "Ord_1/");
  ASSERT_EQ(m.size(), 1u);
  EXPECT_NE(m[0].find("abgeschlossen"), std::string::npos) << m[0];
  EXPECT_EQ(DateiLesen(t / "Ord_1/Dat_D.ppp"), neuePLZ);
  EXPECT_EQ(DateiLesen(t / "SichCopy/Dat_D_2026-12-09_OS_Ord_1.ppp"), std::string(300 * 4, 'p'));
  EXPECT_EQ(DateiLesen(t / "SichCopy/Strassen_D_2026-12-09_OS_Ord_1.ppp"), std::string(126 * 40, 's'));
  std::size_t eintraege = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(t / "Ord_1")) ++eintraege;
  EXPECT_EQ(eintraege, 2u) << "neither journal nor temporary file is left";
  EXPECT_TRUE(OrdnerAufraeumen(t / "Ord_1/").empty()) << "said once";
}

// A backup that is a second name of the live file (a kill right after the link) becomes a copy
// of its own, so that the next append no longer grows it; a killed writer's temporary file goes.
TEST_F(Aufraeumen, ASharedBackupBecomesACopyAndOrphanedTemporaryFilesGo) {
  std::filesystem::create_directories(t / "SichCopy");
  const std::string kopie = t / "SichCopy/Strassen_D_2026-12-09_SO_Ord_1.ppp";
  ASSERT_EQ(::link((t / "Ord_1/Strassen_D.ppp").c_str(), kopie.c_str()), 0);
  const std::string waise = t / "Ord_1/.~Dat_D.ppp.orvano-Ab12Cd";
  DateiSchreiben(waise, std::string(16 * 1024 * 1024 / 64, 'x'));
  const utimbuf alt{::time(nullptr) - 60, ::time(nullptr) - 60};
  ::utime(waise.c_str(), &alt);
  const auto m = OrdnerAufraeumen(t / "Ord_1/");
  ASSERT_EQ(m.size(), 1u);
  EXPECT_NE(m[0].find("eigene Kopie"), std::string::npos) << m[0];
  struct stat st {};
  ASSERT_EQ(::stat(kopie.c_str(), &st), 0);
  EXPECT_EQ(st.st_nlink, 1u);
  EXPECT_FALSE(std::filesystem::exists(waise));
  DateiSchreiben(t / "Ord_1/Strassen_D.ppp", std::string(126 * 41, 'n'));
  EXPECT_EQ(DateiLesen(kopie), std::string(126 * 40, 's'));
}

}  // namespace
}  // namespace orvano
