// The desktop program as a real process: the single-instance guard between two processes.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "core/EinzelInstanz.h"
#include "main/Einzelstart.h"
#include "support/TempOrdner.h"
#include "support/TestDialoge.h"

namespace orvano {
namespace {

// Starts a copy of Orvano in its own program folder, without a screen.
pid_t OrvanoStarten(const std::string& progOrdner, const std::string& laufzeit) {
  const std::string programm = progOrdner + "Orvano";
  std::filesystem::copy_file(ORVANO_PROGRAMM, programm);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_RUNTIME_DIR", laufzeit.c_str(), 1);
    ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    ::execl(programm.c_str(), programm.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return pid;
}

TEST(Einzelstart, ASecondCopyIsRefusedWhileTheFirstRuns) {
  test::TempOrdner prog, laufzeit;
  test::DateiSchreiben(prog / "Ord_1/Dat_D.ppp", "");
  const pid_t erste = OrvanoStarten(prog.pfad(), laufzeit.pfad());
  ASSERT_GT(erste, 0);
  const std::string sperre = laufzeit / "orvano.exe.lock";
  bool gesperrt = false;
  for (int i = 0; i < 300 && !gesperrt; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    gesperrt = std::filesystem::exists(sperre) && !EinzelInstanz(sperre).erste();
  }
  ASSERT_TRUE(gesperrt) << "Orvano did not take the lock";
  {
    test::TestDialoge dialoge;
    dialoge.antworte(ui::Antwort::Ok, QString::fromUtf8("Anwendung Orvano läuft bereits !"));
    EinzelInstanz zweite(sperre);
    EXPECT_TRUE(ZweitenStartAbweisen(zweite));
  }
  EXPECT_EQ(::waitpid(erste, nullptr, WNOHANG), 0) << "the first copy must keep running";
  ::kill(erste, SIGKILL);
  ::waitpid(erste, nullptr, 0);
  EXPECT_FALSE(std::filesystem::exists(prog / "einstPLZ.frb"));
  EinzelInstanz danach(sperre);
  EXPECT_TRUE(danach.erste());
  EXPECT_FALSE(ZweitenStartAbweisen(danach));
}

}  // namespace
}  // namespace orvano
