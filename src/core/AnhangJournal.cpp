#include "AnhangJournal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "Dateien.h"
#include "Pfade.h"

namespace orvano {

namespace {

constexpr char kKennung[8] = {'O', 'R', 'V', 'J', 'N', 'L', '2', '\n'};
constexpr const char* kEndung = ".journal";
constexpr const char* kUngueltig = ".ungueltig";

// Everything the journal says of the file it was written for; the check sum covers the whole
// journal with this field at 0.
struct Kopf {
  char kennung[8];
  std::int64_t alteGroesse;
  std::int64_t anfang;
  std::uint64_t geraet, inode;  // the target the append went to
  std::uint32_t pruefLaenge;    // bytes of the last whole record that follow
  std::uint32_t schwanzLaenge;  // bytes of the torn tail after them
  std::uint64_t pruefsumme;
};

// FNV-1a, 64 bits: enough to tell a journal we wrote from a damaged or hand-made one.
std::uint64_t Pruefsumme(const Kopf& k, const std::string& pruef, const std::string& schwanz) {
  Kopf ohne = k;
  ohne.pruefsumme = 0;
  std::uint64_t h = 1469598103934665603ull;
  auto dazu = [&](const void* d, std::size_t n) {
    const auto* p = static_cast<const unsigned char*>(d);
    for (std::size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 1099511628211ull;
  };
  dazu(&ohne, sizeof ohne);
  dazu(pruef.data(), pruef.size());
  dazu(schwanz.data(), schwanz.size());
  return h;
}

void Schreiben(int fd, const void* daten, std::size_t n, const std::string& name) {
  const char* p = static_cast<const char*>(daten);
  while (n > 0) {
    const ssize_t w = ::write(fd, p, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) throw DateiFehler("Datei " + name + " kann nicht geschrieben werden: " + FehlerText(w < 0 ? errno : EIO));
    p += w;
    n -= static_cast<std::size_t>(w);
  }
}

bool Lesen(int fd, void* daten, std::size_t n, std::int64_t wo) {
  return n == 0 || ::pread(fd, daten, n, wo) == static_cast<ssize_t>(n);
}

struct Zu {
  int fd;
  ~Zu() {
    if (fd >= 0) ::close(fd);
  }
};

// A plain file (no link, FIFO or device) of the folder's owner.
bool EigeneDatei(int fd, const std::string& ordner, struct stat& st) {
  struct stat o {};
  return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::stat(ordner.empty() ? "." : ordner.c_str(), &o) == 0 && st.st_uid == o.st_uid;
}

}  // namespace

std::string JournalName(const std::string& ziel) { return OrdnerTeil(ziel) + ".~" + DateiNameTeil(ziel) + kEndung; }

AnhangJournal::AnhangJournal(const std::string& ziel, int fd, std::int64_t alteGroesse, std::int64_t anfang, std::size_t satzGroesse)
    : name_(JournalName(ziel)) {
  Kopf k{};
  std::memcpy(k.kennung, kKennung, sizeof kKennung);
  k.alteGroesse = alteGroesse;
  k.anfang = anfang;
  std::string pruef(anfang >= static_cast<std::int64_t>(satzGroesse) ? satzGroesse : 0, '\0');
  std::string schwanz(static_cast<std::size_t>(alteGroesse - anfang), '\0');
  if (!Lesen(fd, pruef.data(), pruef.size(), anfang - static_cast<std::int64_t>(pruef.size())) ||
      !Lesen(fd, schwanz.data(), schwanz.size(), anfang)) {
    throw DateiFehler("Datei " + ziel + " kann nicht gelesen werden: " + FehlerText(errno));
  }
  k.pruefLaenge = static_cast<std::uint32_t>(pruef.size());
  k.schwanzLaenge = static_cast<std::uint32_t>(schwanz.size());
  struct stat st {};
  if (::fstat(fd, &st) != 0) throw DateiFehler("Datei " + ziel + " kann nicht gelesen werden: " + FehlerText(errno));
  k.geraet = static_cast<std::uint64_t>(st.st_dev);
  k.inode = static_cast<std::uint64_t>(st.st_ino);
  k.pruefsumme = Pruefsumme(k, pruef, schwanz);
  // A new file of our own: never through a link, never over whatever lies there already.
  fd_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd_ < 0 && errno == EEXIST) {
    throw DateiFehler("Datei " + name_ + " liegt schon da und wird nicht \xC3\xBC" "berschrieben; es wurde nichts geschrieben");
  }
  if (fd_ < 0) throw DateiFehler("Datei " + name_ + " kann nicht geschrieben werden: " + FehlerText(errno));
  // Held while the append runs: a journal nobody holds was left by a killed writer.
  ::flock(fd_, LOCK_EX | LOCK_NB);
  try {
    Schreiben(fd_, &k, sizeof k, name_);
    Schreiben(fd_, pruef.data(), pruef.size(), name_);
    Schreiben(fd_, schwanz.data(), schwanz.size(), name_);
    if (::fsync(fd_) != 0) throw DateiFehler("Datei " + name_ + " kann nicht geschrieben werden: " + FehlerText(errno));
    OrdnerEintragSichern(name_);
  } catch (...) {
    ::close(fd_);
    ::unlink(name_.c_str());
    fd_ = -1;
    throw;
  }
}

void AnhangJournal::entfernen() {
  if (fd_ < 0) return;
  ::unlink(name_.c_str());
  OrdnerEintragSichern(name_);
  ::close(fd_);
  fd_ = -1;
}

AnhangJournal::~AnhangJournal() {
  // Left in place when the append neither finished nor was rolled back: the next opening does it.
  if (fd_ >= 0) ::close(fd_);
}

void JournalVerwerfen(const std::string& ziel) {
  const std::string name = JournalName(ziel);
  const int j = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (j < 0) return;
  struct stat st {};
  if (::fstat(j, &st) == 0 && S_ISREG(st.st_mode) && ::flock(j, LOCK_EX | LOCK_NB) == 0) ::unlink(name.c_str());
  ::close(j);
}

std::optional<std::string> AbgebrochenenAnhangZuruecknehmen(const std::string& ziel) {
  const std::string name = JournalName(ziel);
  struct stat lst {};
  if (::lstat(name.c_str(), &lst) != 0) return std::nullopt;
  // What does not provably describe an unfinished append of ours to this file changes no byte
  // of it: the journal is put aside under another name and the user told.
  auto beiseite = [&](const std::string& grund) -> std::optional<std::string> {
    const std::string neu = name + kUngueltig;
    if (::rename(name.c_str(), neu.c_str()) != 0) {
      return "Das Journal " + name + " wurde nicht angewandt (" + grund + ") und kann nicht umbenannt werden: " + FehlerText(errno);
    }
    OrdnerEintragSichern(neu);
    return "Das Journal " + name + " wurde nicht angewandt (" + grund + "); " + DateiNameTeil(ziel) +
           " ist unver\xC3\xA4ndert, das Journal hei\xC3\x9Ft jetzt " + DateiNameTeil(neu);
  };
  // Only the program's own six database files have journals.
  if (!IstDatenbankName(DateiNameTeil(ziel))) return beiseite("keine Datenbank-Datei");
  const int j = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (j < 0) return beiseite("keine normale Datei");
  const Zu zu{j};
  struct stat jst {};
  if (!EigeneDatei(j, OrdnerTeil(ziel), jst)) return beiseite("keine normale Datei des Ordner-Besitzers");
  // A running writer holds its journal.
  if (::flock(j, LOCK_EX | LOCK_NB) != 0) return std::nullopt;
  // Nobody else may write the file while it is cut back; busy now, it is done at the next opening.
  std::optional<SchreibSperre> sperre;
  try {
    sperre.emplace(ziel, 0);
  } catch (const DateiFehler&) {
    return std::nullopt;
  }
  Kopf k{};
  std::string pruef, schwanz;
  bool gut = jst.st_size >= static_cast<off_t>(sizeof k) && Lesen(j, &k, sizeof k, 0) &&
             std::memcmp(k.kennung, kKennung, sizeof kKennung) == 0 && k.anfang >= 0 && k.alteGroesse >= k.anfang &&
             k.pruefLaenge <= 1024 && k.schwanzLaenge <= 1024 && k.alteGroesse - k.anfang == static_cast<std::int64_t>(k.schwanzLaenge);
  if (gut) {
    pruef.resize(k.pruefLaenge);
    schwanz.resize(k.schwanzLaenge);
    gut = Lesen(j, pruef.data(), pruef.size(), sizeof k) &&
          Lesen(j, schwanz.data(), schwanz.size(), static_cast<std::int64_t>(sizeof k + pruef.size())) &&
          jst.st_size == static_cast<off_t>(sizeof k + pruef.size() + schwanz.size()) && k.pruefsumme == Pruefsumme(k, pruef, schwanz);
  }
  if (!gut) return beiseite("unvollst\xC3\xA4ndig, besch\xC3\xA4" "digt oder nicht von Orvano");
  const int fd = ::open(ziel.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return beiseite("die Datei fehlt oder ist ein Verweis");
  const Zu zu2{fd};
  struct stat st {};
  if (!EigeneDatei(fd, OrdnerTeil(ziel), st)) return beiseite("keine normale Datei des Ordner-Besitzers");
  if (static_cast<std::uint64_t>(st.st_dev) != k.geraet || static_cast<std::uint64_t>(st.st_ino) != k.inode) {
    return beiseite("es geh\xC3\xB6rt zu einer anderen Datei dieses Namens");
  }
  if (st.st_size < k.alteGroesse) return beiseite("die Datei ist kleiner als vor dem Import");
  // The file must still hold the last whole record it had before the append. A file that was
  // empty before has none: what lies there now (copied in later, say) may be anything, so it is
  // not cut.
  if (pruef.empty()) return beiseite("die Datei war vor dem Import leer");
  std::string jetzt(pruef.size(), '\0');
  if (!Lesen(fd, jetzt.data(), jetzt.size(), k.anfang - static_cast<std::int64_t>(pruef.size())) || jetzt != pruef) {
    return beiseite("die Datei h\xC3\xA4lt nicht mehr die Daten von vor dem Import");
  }
  if (::ftruncate(fd, k.alteGroesse) != 0 ||
      (!schwanz.empty() && ::pwrite(fd, schwanz.data(), schwanz.size(), k.anfang) != static_cast<ssize_t>(schwanz.size())) || ::fsync(fd) != 0) {
    throw DateiFehler("Datei " + ziel + " kann nicht zur\xC3\xBC" "ckgesetzt werden: " + FehlerText(errno));
  }
  ::unlink(name.c_str());
  OrdnerEintragSichern(name);
  return "Ein abgebrochener Import wurde zur\xC3\xBC" "ckgenommen: " + ziel;
}

std::vector<std::string> AbgebrocheneAnhaengeZuruecknehmen(const std::string& ordner) {
  std::vector<std::string> meldungen;
  const std::string endung = kEndung;
  for (const std::string& n : VerzeichnisNamen(ordner.empty() ? "." : ordner)) {
    if (n.size() <= 2 + endung.size() || n.rfind(".~", 0) != 0 || n.compare(n.size() - endung.size(), endung.size(), endung) != 0) continue;
    const std::string ziel = ordner + n.substr(2, n.size() - 2 - endung.size());
    if (auto m = AbgebrochenenAnhangZuruecknehmen(ziel)) meldungen.push_back(*m);
  }
  return meldungen;
}

}  // namespace orvano
