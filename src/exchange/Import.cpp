#include "Import.h"

#include "core/AnhangJournal.h"

#include <sys/file.h>

#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "core/Dateien.h"
#include "core/Felder.h"
#include "core/Texte.h"

namespace orvano {

namespace {

bool Gueltig(const Tabelle& t, int r, bool plz) {
  if (plz) return InBenutzung(ImportZeileZuPLZ(t, r));
  return StrasseGueltig(ImportZeileZuStrasse(t, r));
}

}  // namespace

TPLZRecord ImportZeileZuPLZ(const Tabelle& t, int r) { return PLZAusZeile(t, r, false); }

TStrassenRecord ImportZeileZuStrasse(const Tabelle& t, int r) {
  TStrassenRecord s = StrasseAusZeile(t, r, kImportStrassenSpalten);
  s.HausNrKz = '1';
  return s;
}

std::int64_t ImportGueltigeZeilen(const Tabelle& t, bool plz) {
  std::int64_t n = 0;
  for (int r = 1; r < t.zeilen(); ++r) n += Gueltig(t, r, plz) ? 1 : 0;
  return n;
}

AnhaengenErgebnis ImportAnhaengen(const std::string& ziel, bool plz, const Tabelle& t, Fortschritt& fortschritt) {
  return SaetzeAnhaengen(ziel, plz ? sizeof(TPLZRecord) : sizeof(TStrassenRecord), t.zeilen() - 1,
                         [&](std::int64_t i, void* satz) {
                           const int r = static_cast<int>(i);
                           if (plz) {
                             const TPLZRecord d = ImportZeileZuPLZ(t, r);
                             std::memcpy(satz, &d, sizeof d);
                             return InBenutzung(d);
                           }
                           const TStrassenRecord s = ImportZeileZuStrasse(t, r);
                           std::memcpy(satz, &s, sizeof s);
                           return StrasseGueltig(s);
                         },
                         fortschritt);
}

AnhaengenErgebnis SaetzeAnhaengen(const std::string& ziel, std::size_t groesse, std::int64_t anzahl,
                                  const std::function<bool(std::int64_t, void*)>& satz, Fortschritt& fortschritt) {
  // No other writer meanwhile; the lock is taken before the file may be created.
  std::optional<SchreibSperre> sperre;
  if (DateiVorhanden(ziel)) sperre.emplace(ziel);
  AnhaengenErgebnis e;
  // An earlier import of this file that was killed is taken back first.
  if (auto m = AbgebrochenenAnhangZuruecknehmen(ziel)) e.zurueckgenommen = *m;
  const int fd = ::open(ziel.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) throw DateiFehler("Datei " + ziel + " kann nicht geöffnet werden: " + FehlerText(errno));
  struct Schliessen {
    int fd;
    ~Schliessen() { ::close(fd); }
  } zu{fd};
  if (!sperre && ::flock(fd, LOCK_EX | LOCK_NB) != 0) throw DateiFehler(GesperrtText(ziel));
  struct stat st {};
  if (::fstat(fd, &st) != 0) throw DateiFehler("Datei " + ziel + " kann nicht gelesen werden: " + FehlerText(errno));
  // By the permission bits, so that root (who could write anyway) respects them too.
  if ((st.st_mode & 0222) == 0) throw DateiFehler("Datei " + ziel + " ist schreibgeschützt und wurde nicht geändert");
  // The new records follow the last whole one: a torn tail (a cut-off append) is never read,
  // and records behind it would all be out of line.
  const std::int64_t alteGroesse = st.st_size;
  e.anfang = alteGroesse / static_cast<std::int64_t>(groesse) * static_cast<std::int64_t>(groesse);
  // The torn tail's bytes, to put back when the append fails.
  std::string schwanz(static_cast<std::size_t>(alteGroesse - e.anfang), '\0');
  if (!schwanz.empty() && ::pread(fd, schwanz.data(), schwanz.size(), e.anfang) != static_cast<ssize_t>(schwanz.size())) schwanz.clear();
  std::vector<char> puffer;
  puffer.reserve(groesse * 8192);
  std::int64_t position = e.anfang;
  auto leeren = [&] {
    std::size_t erledigt = 0;
    while (erledigt < puffer.size()) {
      const ssize_t w = ::pwrite(fd, puffer.data() + erledigt, puffer.size() - erledigt, position + static_cast<std::int64_t>(erledigt));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) throw DateiFehler("Datei " + ziel + " kann nicht geschrieben werden: " + FehlerText(w < 0 ? errno : EIO));
      erledigt += static_cast<std::size_t>(w);
    }
    position += static_cast<std::int64_t>(puffer.size());
    puffer.clear();
  };
  fortschritt.beginnen(anzahl);
  // A kill from here on is taken back at the next opening of the folder.
  AnhangJournal journal(ziel, fd, alteGroesse, e.anfang, groesse);
  try {
    std::vector<char> neu(groesse);
    for (std::int64_t r = 1; r <= anzahl; ++r) {
      if (satz(r, neu.data())) puffer.insert(puffer.end(), neu.begin(), neu.end());
      if (puffer.size() >= groesse * 8192) leeren();
      if (r % 10 == 0) fortschritt.position(r);
    }
    leeren();
    if (::fsync(fd) != 0) throw DateiFehler("Datei " + ziel + " kann nicht geschrieben werden: " + FehlerText(errno));
    journal.entfernen();
  } catch (...) {
    // A full disk or a write error leaves the file as it was before.
    if (::ftruncate(fd, alteGroesse) == 0 && (schwanz.empty() || ::pwrite(fd, schwanz.data(), schwanz.size(), e.anfang) >= 0) && ::fsync(fd) == 0) {
      journal.entfernen();
    }
    fortschritt.beenden();
    throw;
  }
  fortschritt.beenden();
  e.geschrieben = (position - e.anfang) / static_cast<std::int64_t>(groesse);
  return e;
}

}  // namespace orvano
