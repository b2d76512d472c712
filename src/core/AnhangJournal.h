// Rollback journal of an append: a killed append is taken back at the next opening of the folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvano {

// Beside ZIEL: ".~" + file name + ".journal".
std::string JournalName(const std::string& ziel);

// Written and on disk before the first appended byte; removed once the appended data are on
// disk (or the append was rolled back). It holds the old size, the bytes of the last whole
// record (to know the file is still the one appended to) and a torn tail that the append
// overwrote. While it exists, its writer holds it locked.
class AnhangJournal {
 public:
  // ALTEGROESSE: the file's size before; ANFANG: where the new records begin (the end of the
  // last whole record); SATZGROESSE: the record size; FD: the open target.
  AnhangJournal(const std::string& ziel, int fd, std::int64_t alteGroesse, std::int64_t anfang, std::size_t satzGroesse);
  ~AnhangJournal();
  AnhangJournal(const AnhangJournal&) = delete;
  AnhangJournal& operator=(const AnhangJournal&) = delete;
  // The append is complete or rolled back: the journal goes.
  void entfernen();

 private:
  std::string name_;
  int fd_ = -1;
};

// Takes back the append of ZIEL when its journal was left by a writer that is gone: the file
// is cut to its old size and its torn tail put back. The message
// "Ein abgebrochener Import wurde zurückgenommen: " + ZIEL, or nothing.
std::optional<std::string> AbgebrochenenAnhangZuruecknehmen(const std::string& ziel);

// After ZIEL was replaced as a whole, a journal of an earlier append no longer describes it.
void JournalVerwerfen(const std::string& ziel);

// The same for every journal in ORDNER (with its separator).
std::vector<std::string> AbgebrocheneAnhaengeZuruecknehmen(const std::string& ordner);

}  // namespace orvano
