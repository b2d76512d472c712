#include "Import.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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
  const int fd = ::open(ziel.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) throw DateiFehler("Datei " + ziel + " kann nicht geöffnet werden: " + FehlerText(errno));
  struct Schliessen {
    int fd;
    ~Schliessen() { ::close(fd); }
  } zu{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) throw DateiFehler("Datei " + ziel + " kann nicht gelesen werden: " + FehlerText(errno));
  // By the permission bits, so that root (who could write anyway) respects them too.
  if ((st.st_mode & 0222) == 0) throw DateiFehler("Datei " + ziel + " ist schreibgeschützt und wurde nicht geändert");
  AnhaengenErgebnis e;
  e.anfang = st.st_size;
  const std::size_t groesse = plz ? sizeof(TPLZRecord) : sizeof(TStrassenRecord);
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
  const int zeilen = t.zeilen() - 1;
  fortschritt.beginnen(zeilen);
  for (int r = 1; r <= zeilen; ++r) {
    if (plz) {
      const TPLZRecord d = ImportZeileZuPLZ(t, r);
      if (InBenutzung(d)) puffer.insert(puffer.end(), reinterpret_cast<const char*>(&d), reinterpret_cast<const char*>(&d) + groesse);
    } else {
      const TStrassenRecord s = ImportZeileZuStrasse(t, r);
      if (StrasseGueltig(s)) puffer.insert(puffer.end(), reinterpret_cast<const char*>(&s), reinterpret_cast<const char*>(&s) + groesse);
    }
    if (puffer.size() >= groesse * 8192) leeren();
    if (r % 10 == 0) fortschritt.position(r);
  }
  leeren();
  ::fsync(fd);
  fortschritt.beenden();
  e.geschrieben = (position - e.anfang) / static_cast<std::int64_t>(groesse);
  return e;
}

}  // namespace orvano
