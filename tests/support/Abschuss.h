// Kill tests of whole-file rewrites: a child process rewrites, the test kills it mid-write.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "core/RecordDatei.h"
#include "support/TempOrdner.h"

namespace orvano::test {

// RUNDEN times: DATEI is set back to ALT, a child runs SCHREIBEN and is killed at a random
// moment while the temporary file beside DATEI (or beside BEOBACHTET, a file the rewrite
// writes first) exists. After each kill DATEI must be ALT or NEU and the temporary files are
// cleared away. Returns how many kills came while writing.
inline int MittenImSchreibenAbschiessen(const std::string& datei, const std::string& alt, const std::string& neu, int runden,
                                        const std::function<void()>& schreiben, const std::string& beobachtet = {}) {
  const std::filesystem::path ordner = std::filesystem::path(datei).parent_path();
  const std::string praefix = TempDateiPraefix(beobachtet.empty() ? datei : beobachtet);
  auto temporaer = [&](const std::filesystem::path& p) {
    return p.string().rfind(praefix, 0) == 0 || p.string().rfind(TempDateiPraefix(datei), 0) == 0;
  };
  std::uint64_t zufall = 99;
  int mittenDrin = 0;
  for (int runde = 0; runde < runden; ++runde) {
    DateiSchreiben(datei, alt);
    const pid_t kind = ::fork();
    if (kind < 0) {
      ADD_FAILURE() << "fork";
      return mittenDrin;
    }
    if (kind == 0) {
      schreiben();
      ::_exit(0);
    }
    const auto bis = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool gesehen = false;
    while (!gesehen && ::waitpid(kind, nullptr, WNOHANG) == 0 && std::chrono::steady_clock::now() < bis) {
      for (const auto& e : std::filesystem::directory_iterator(ordner)) gesehen = gesehen || temporaer(e.path());
      if (!gesehen) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    zufall = zufall * 6364136223846793005ULL + 1442695040888963407ULL;
    if (gesehen) {
      std::this_thread::sleep_for(std::chrono::microseconds((zufall >> 33) % 20000));
      ++mittenDrin;
    }
    ::kill(kind, SIGKILL);
    ::waitpid(kind, nullptr, 0);
    const std::string jetzt = DateiLesen(datei);
    EXPECT_TRUE(jetzt == alt || jetzt == neu) << "Runde " << runde << ": " << jetzt.size() << " Bytes";
    for (const auto& e : std::filesystem::directory_iterator(ordner)) {
      if (temporaer(e.path())) std::filesystem::remove(e.path());
    }
  }
  return mittenDrin;
}

}  // namespace orvano::test
