// Scripted answers for the data store's questions, recording every text asked.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "core/Fortschritt.h"

namespace orvano::test {

// Each question takes the next scripted answer; a question without one fails the test and
// is answered No. Messages are only recorded. Answers left over fail the test too.
class Antworten : public Rueckfragen {
 public:
  Antworten() = default;
  Antworten(std::initializer_list<bool> antworten) : antworten_(antworten) {}
  ~Antworten() override {
    EXPECT_TRUE(antworten_.empty()) << antworten_.size() << " vorgesehene Antwort(en) nicht gebraucht";
  }
  void meldung(const std::string& text) override { meldungen.push_back(text); }
  bool frage(const std::string& text) override {
    fragen.push_back(text);
    if (antworten_.empty()) {
      ADD_FAILURE() << "Unerwartete Frage: " << text;
      return false;
    }
    const bool a = antworten_.front();
    antworten_.pop_front();
    return a;
  }

  std::vector<std::string> meldungen;
  std::vector<std::string> fragen;

 private:
  std::deque<bool> antworten_;
};

// Records the positions a routine reports.
class Protokoll : public Fortschritt {
 public:
  void beginnen(std::int64_t maximum) override { maxima.push_back(maximum); }
  void position(std::int64_t wert) override { positionen.push_back(wert); }
  void beenden() override { ++beendet; }
  std::vector<std::int64_t> maxima;
  std::vector<std::int64_t> positionen;
  int beendet = 0;
};

}  // namespace orvano::test
