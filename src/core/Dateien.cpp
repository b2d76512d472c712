#include "Dateien.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <thread>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace orvano {

namespace {

std::string Str(std::string_view s) { return std::string(s); }

// '*' matches any run, '?' one character; nothing else is special (unlike fnmatch's '[').
bool Passt(std::string_view muster, std::string_view name) {
  std::size_t m = 0, n = 0, stern = std::string_view::npos, merk = 0;
  while (n < name.size()) {
    if (m < muster.size() && (muster[m] == '?' || muster[m] == name[n])) {
      ++m, ++n;
    } else if (m < muster.size() && muster[m] == '*') {
      stern = m++;
      merk = n;
    } else if (stern != std::string_view::npos) {
      m = stern + 1;
      n = ++merk;
    } else {
      return false;
    }
  }
  while (m < muster.size() && muster[m] == '*') ++m;
  return m == muster.size();
}

struct VerzeichnisZu {
  void operator()(DIR* d) const { closedir(d); }
};

}  // namespace

bool DateiVorhanden(std::string_view name) {
  if (name.empty()) return false;
  const auto trenn = name.find_last_of(kTrenner);
  const std::string_view letzter = trenn == std::string_view::npos ? name : name.substr(trenn + 1);
  if (letzter.find_first_of("*?") == std::string_view::npos) {
    struct stat st {};
    return ::lstat(Str(name).c_str(), &st) == 0;
  }
  const std::string ordner = trenn == std::string_view::npos ? std::string(".") : Str(name.substr(0, trenn + 1));
  std::unique_ptr<DIR, VerzeichnisZu> d(::opendir(ordner.c_str()));
  if (!d) return false;
  while (const dirent* e = ::readdir(d.get())) {
    const std::string_view n = e->d_name;
    if (n == "." || n == "..") continue;
    if (Passt(letzter, n)) return true;
  }
  return false;
}

void OrdnerEintragSichern(const std::string& datei) {
  const std::string ordner = OrdnerTeil(datei);
  const int fd = ::open(ordner.empty() ? "." : ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

DateiKennung KennungLesen(const std::string& datei) {
  DateiKennung k;
  struct stat st {};
  if (datei.empty() || ::stat(datei.c_str(), &st) != 0) return k;
  k.vorhanden = true;
  k.geraet = static_cast<std::uint64_t>(st.st_dev);
  k.inode = static_cast<std::uint64_t>(st.st_ino);
  k.groesse = static_cast<std::int64_t>(st.st_size);
  k.zeitNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return k;
}

bool VerzeichnisVorhanden(std::string_view pfad) {
  struct stat st {};
  return !pfad.empty() && ::stat(Str(pfad).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool VerzeichnisLeer(std::string_view pfad) {
  std::unique_ptr<DIR, VerzeichnisZu> d(::opendir(Str(pfad).c_str()));
  if (!d) return false;
  while (const dirent* e = ::readdir(d.get())) {
    const std::string_view n = e->d_name;
    if (n != "." && n != "..") return false;
  }
  return true;
}

namespace {

// Takes this process's exclusive flock on FD (kept until FD is closed) and tells whether another
// process holds the file: by its flock, or by a POSIX record lock as other programs take.
bool AndererHaeltSperre(int fd) {
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return errno == EWOULDBLOCK;
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  return ::fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
}

}  // namespace

// This process's lock on one file: the descriptor that holds the flock, and how many
// SchreibSperre objects share it.
struct SchreibSperre::Halter {
  int fd = -1;
  std::pair<std::uint64_t, std::uint64_t> datei;
  int anzahl = 0;
};

namespace {

using Schluessel = std::pair<std::uint64_t, std::uint64_t>;

// The files this process holds locked, by device and inode.
std::map<Schluessel, std::shared_ptr<SchreibSperre::Halter>>& GehalteneSperren() {
  static std::map<Schluessel, std::shared_ptr<SchreibSperre::Halter>> sperren;
  // A forked child holds none of its parent's locks as its own.
  static pid_t besitzer = ::getpid();
  if (besitzer != ::getpid()) {
    sperren.clear();
    besitzer = ::getpid();
  }
  return sperren;
}

Schluessel SchluesselVon(const struct stat& st) { return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)}; }

}  // namespace

// This process holds the file locked itself.
bool SelbstGesperrtPfad(const struct stat& st) { return GehalteneSperren().count(SchluesselVon(st)) > 0; }

bool DateiGesperrt(std::string_view name) {
  const std::string pfad = Str(name);
  struct stat st {};
  if (::stat(pfad.c_str(), &st) != 0) return false;
  // Nonblocking, so that a FIFO is not waited on; a file we cannot open is unreadable, which
  // its reading says, not locked.
  if (SelbstGesperrtPfad(st)) return false;
  const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  const bool gesperrt = AndererHaeltSperre(fd);
  ::close(fd);
  return gesperrt;
}

std::string GesperrtText(const std::string& datei) { return "Datei " + datei + " ist schon von anderem Progamm ge\xC3\xB6" "ffnet"; }

SchreibSperre::SchreibSperre(const std::string& datei, int wartenMs) {
  const auto ende = std::chrono::steady_clock::now() + std::chrono::milliseconds(wartenMs);
  // The name may be replaced by a rename between open and lock: the lock must be on the file
  // the name leads to afterwards.
  for (int umbenannt = 0; umbenannt < 5;) {
    // Nonblocking: a FIFO under a database name must not hang the lock.
    const int fd = ::open(datei.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return;  // missing: nothing to guard; unreadable: the write reports it
    struct stat offen {};
    if (::fstat(fd, &offen) != 0) {
      ::close(fd);
      break;
    }
    auto& sperren = GehalteneSperren();
    const auto eigene = sperren.find(SchluesselVon(offen));
    if (eigene != sperren.end()) {
      // Already ours: shared, a second flock would clash with the first.
      ::close(fd);
      halter_ = eigene->second;
      ++halter_->anzahl;
      return;
    }
    if (AndererHaeltSperre(fd)) {
      ::close(fd);
      if (std::chrono::steady_clock::now() >= ende) throw DateiFehler(GesperrtText(datei));
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
      continue;
    }
    struct stat jetzt {};
    if (::stat(datei.c_str(), &jetzt) == 0 && offen.st_ino == jetzt.st_ino && offen.st_dev == jetzt.st_dev) {
      halter_ = std::make_shared<Halter>();
      halter_->fd = fd;
      halter_->datei = SchluesselVon(offen);
      halter_->anzahl = 1;
      sperren[halter_->datei] = halter_;
      return;
    }
    ::close(fd);
    ++umbenannt;
  }
  throw DateiFehler(GesperrtText(datei));
}

SchreibSperre::~SchreibSperre() {
  if (!halter_ || --halter_->anzahl > 0) return;
  auto& sperren = GehalteneSperren();
  const auto it = sperren.find(halter_->datei);
  if (it != sperren.end() && it->second == halter_) sperren.erase(it);
  if (halter_->fd >= 0) ::close(halter_->fd);
  halter_->fd = -1;
}

bool SperreUebertragen(std::uint64_t altGeraet, std::uint64_t altInode, int neuFd) {
  auto& sperren = GehalteneSperren();
  const auto it = sperren.find({altGeraet, altInode});
  struct stat neu {};
  if (it == sperren.end() || ::fstat(neuFd, &neu) != 0) return false;
  const std::shared_ptr<SchreibSperre::Halter> halter = it->second;
  sperren.erase(it);
  // The old file is gone from its name; its lock guards nothing any more.
  if (halter->fd >= 0) ::close(halter->fd);
  halter->fd = neuFd;
  halter->datei = SchluesselVon(neu);
  sperren[halter->datei] = halter;
  return true;
}

SchreibSperren::SchreibSperren(const std::vector<std::string>& dateien) {
  for (const std::string& d : dateien) {
    if (!d.empty()) sperren_.push_back(std::make_unique<SchreibSperre>(d));
  }
}

void MussNormaleDateiSein(const std::string& datei) {
  struct stat st {};
  if (::stat(datei.c_str(), &st) != 0) return;
  if (S_ISDIR(st.st_mode)) throw DateiFehler("Datei " + datei + " kann nicht gelesen werden: " + FehlerText(EISDIR));
  if (!S_ISREG(st.st_mode)) throw DateiFehler("Datei " + datei + " ist keine normale Datei und wird nicht gelesen");
}

void DateiLoeschen(std::string_view name) {
  const std::string pfad = Str(name);
  struct stat st {};
  if (::lstat(pfad.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) ::unlink(pfad.c_str());
}

std::string DateiNameTeil(std::string_view pfad) {
  const auto trenn = pfad.find_last_of(kTrenner);
  return Str(trenn == std::string_view::npos ? pfad : pfad.substr(trenn + 1));
}

std::string OrdnerTeil(std::string_view pfad) {
  const auto trenn = pfad.find_last_of(kTrenner);
  return trenn == std::string_view::npos ? std::string() : Str(pfad.substr(0, trenn + 1));
}

std::string DateiNameOhneEndung(std::string_view pfad) {
  const std::string name = DateiNameTeil(pfad);
  return name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();
}

std::vector<std::string> VerzeichnisNamen(std::string_view pfad) {
  std::vector<std::string> namen;
  std::unique_ptr<DIR, VerzeichnisZu> d(::opendir(Str(pfad).c_str()));
  if (!d) return namen;
  while (const dirent* e = ::readdir(d.get())) {
    const std::string_view n = e->d_name;
    if (n != "." && n != "..") namen.emplace_back(n);
  }
  std::sort(namen.begin(), namen.end());
  return namen;
}

std::int64_t DateiGroesse(std::string_view name) {
  struct stat st {};
  if (::stat(Str(name).c_str(), &st) != 0) return -1;
  return st.st_size;
}

void StreamBereichEntfernen(int fd, std::int64_t start, std::int64_t anzahl) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) throw DateiFehler("Datei kann nicht gelesen werden: " + FehlerText(errno));
  const std::int64_t groesse = st.st_size;
  if (start < 0 || anzahl <= 0 || start >= groesse) return;
  const std::int64_t quelle = start + anzahl;
  const std::int64_t zuVerschieben = quelle < groesse ? groesse - quelle : 0;
  constexpr std::int64_t kBlock = 16 * 1024 * 1024;
  if (zuVerschieben > 0) {
    std::vector<char> puffer(static_cast<std::size_t>(std::min(kBlock, zuVerschieben)));
    std::int64_t erledigt = 0;
    while (erledigt < zuVerschieben) {
      const auto stueck = static_cast<std::size_t>(std::min<std::int64_t>(puffer.size(), zuVerschieben - erledigt));
      std::size_t gelesen = 0;
      while (gelesen < stueck) {
        const ssize_t r = ::pread(fd, puffer.data() + gelesen, stueck - gelesen, quelle + erledigt + gelesen);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) throw DateiFehler("Datei kann nicht gelesen werden: " + FehlerText(r < 0 ? errno : EIO));
        gelesen += static_cast<std::size_t>(r);
      }
      std::size_t geschrieben = 0;
      while (geschrieben < stueck) {
        const ssize_t w = ::pwrite(fd, puffer.data() + geschrieben, stueck - geschrieben, start + erledigt + geschrieben);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) throw DateiFehler("Datei kann nicht geschrieben werden: " + FehlerText(w < 0 ? errno : EIO));
        geschrieben += static_cast<std::size_t>(w);
      }
      erledigt += static_cast<std::int64_t>(stueck);
    }
  }
  if (::ftruncate(fd, start + zuVerschieben) != 0) {
    throw DateiFehler("Datei kann nicht gekürzt werden: " + FehlerText(errno));
  }
}

std::string ProgrammOrdnerDerExe() {
  std::error_code fehler;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", fehler);
  if (fehler) exe = std::filesystem::current_path(fehler) / "orvano";
  std::string ordner = exe.parent_path().string();
  if (ordner.empty() || ordner.back() != kTrenner) ordner += kTrenner;
  return ordner;
}

bool VerzeichnisAnlegen(std::string_view pfad) {
  std::error_code fehler;
  std::filesystem::create_directories(std::filesystem::path(Str(pfad)), fehler);
  return !fehler && VerzeichnisVorhanden(pfad);
}

std::string FehlerText(int fehler) {
  switch (fehler) {
    case ENOSPC: return "Kein Platz mehr auf dem Datentr\xC3\xA4ger";
    case EDQUOT: return "Speicherkontingent ersch\xC3\xB6pft";
    case EACCES:
    case EPERM: return "Zugriff verweigert";
    case ENOENT: return "Datei oder Ordner nicht gefunden";
    case EROFS: return "Das Dateisystem ist schreibgesch\xC3\xBCtzt";
    case EFBIG: return "Datei zu gro\xC3\x9F";
    case EISDIR: return "Es ist ein Ordner";
    case ENOTDIR: return "Ein Teil des Pfads ist kein Ordner";
    case EIO: return "Ein-/Ausgabefehler";
    case EMFILE:
    case ENFILE: return "Zu viele offene Dateien";
    case ENAMETOOLONG: return "Dateiname zu lang";
    case ETIMEDOUT: return "Zeit\xC3\xBC" "berschreitung";
    case ECONNREFUSED: return "Verbindung abgelehnt";
    default: return "Systemfehler " + std::to_string(fehler) + " (" + std::strerror(fehler) + ")";
  }
}

}  // namespace orvano
