// Journals beside a database file: whatever they hold, the file is cut back only to a state it
// had, never grown, and a journal that does not fit is put aside.
#include <cstdlib>

#include "FuzzDatei.h"
#include "core/AnhangJournal.h"
#include "core/Dateien.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  using namespace orvano;
  const auto [kopf, journal] = fuzz::Teile(d, n);
  const std::string datei = fuzz::Datei("Strassen_D.ppp", kopf);
  fuzz::Datei(".~Strassen_D.ppp.journal", journal);
  ::unlink((fuzz::Ordner() + ".~Strassen_D.ppp.journal.ungueltig").c_str());
  const std::int64_t vorher = DateiGroesse(datei);
  try {
    AbgebrochenenAnhangZuruecknehmen(datei);
  } catch (const DateiFehler&) {
  }
  if (DateiGroesse(datei) > vorher) std::abort();
  return 0;
}
