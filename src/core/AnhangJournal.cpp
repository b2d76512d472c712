#include "AnhangJournal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "Dateien.h"

namespace orvano {

namespace {

constexpr char kKennung[8] = {'O', 'R', 'V', 'J', 'N', 'L', '1', '\n'};
constexpr const char* kEndung = ".journal";

struct Kopf {
  char kennung[8];
  std::int64_t alteGroesse;
  std::int64_t anfang;
  std::uint32_t pruefLaenge;  // bytes of the last whole record that follow
  std::uint32_t schwanzLaenge;  // bytes of the torn tail after them
};

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
  fd_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
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
  const int j = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (j < 0) return;
  if (::flock(j, LOCK_EX | LOCK_NB) == 0) ::unlink(name.c_str());
  ::close(j);
}

std::optional<std::string> AbgebrochenenAnhangZuruecknehmen(const std::string& ziel) {
  const std::string name = JournalName(ziel);
  const int j = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (j < 0) return std::nullopt;
  struct Zu {
    int fd;
    ~Zu() { ::close(fd); }
  } zu{j};
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
  bool gut = Lesen(j, &k, sizeof k, 0) && std::memcmp(k.kennung, kKennung, sizeof kKennung) == 0 && k.anfang >= 0 &&
             k.alteGroesse >= k.anfang && k.pruefLaenge <= 1024 && k.schwanzLaenge <= 1024;
  if (gut) {
    pruef.resize(k.pruefLaenge);
    schwanz.resize(k.schwanzLaenge);
    gut = Lesen(j, pruef.data(), pruef.size(), sizeof k) && Lesen(j, schwanz.data(), schwanz.size(), static_cast<std::int64_t>(sizeof k + pruef.size()));
  }
  if (!gut) {
    // Killed while the journal itself was written: nothing was appended yet.
    ::unlink(name.c_str());
    return std::nullopt;
  }
  const int fd = ::open(ziel.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    ::unlink(name.c_str());
    return std::nullopt;
  }
  struct Zu2 {
    int fd;
    ~Zu2() { ::close(fd); }
  } zu2{fd};
  struct stat st {};
  std::string jetzt(pruef.size(), '\0');
  // Only the file that was appended to is cut: it still holds the old records' last one.
  if (::fstat(fd, &st) != 0 || st.st_size < k.anfang || !Lesen(fd, jetzt.data(), jetzt.size(), k.anfang - static_cast<std::int64_t>(pruef.size())) ||
      jetzt != pruef) {
    ::unlink(name.c_str());
    return std::nullopt;
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
