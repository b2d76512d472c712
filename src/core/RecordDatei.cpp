#include "RecordDatei.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

#include "AnhangJournal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <utility>

#include "Dateien.h"

namespace orvano {

namespace {

std::atomic<std::int64_t> g_schreibGrenze{-1};
std::atomic<std::int64_t> g_geschrieben{0};

mode_t AktuelleUmask() {
  const mode_t m = ::umask(0);
  ::umask(m);
  return m;
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int freigeben() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

}  // namespace

int LesendOeffnen(const std::string& name) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw DateiFehler("Datei " + name + " kann nicht geöffnet werden: " + FehlerText(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    if (S_ISDIR(st.st_mode)) throw DateiFehler("Datei " + name + " kann nicht gelesen werden: " + FehlerText(EISDIR));
    throw DateiFehler("Datei " + name + " ist keine normale Datei und wird nicht gelesen");
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

// write(2), with the faults a test injected.
ssize_t Schreiben(int fd, const char* daten, std::size_t n) {
  const std::int64_t grenze = g_schreibGrenze.load();
  if (grenze >= 0) {
    const std::int64_t frei = grenze - g_geschrieben.load();
    if (frei <= 0) {
      errno = ENOSPC;
      return -1;
    }
    if (static_cast<std::int64_t>(n) > frei) n = static_cast<std::size_t>(frei);
  }
  const ssize_t w = ::write(fd, daten, n);
  if (w > 0) g_geschrieben += w;
  return w;
}

namespace {

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

// Fresh memory is cleared by the kernel on its first touch, which for a national street table
// costs as much as the copy from the file. A second thread has the pages made ahead of the
// reader (content untouched, so it may as well fall behind); a kernel without that request
// leaves it all to the reader's own page faults.
class VorausBelegen {
 public:
  VorausBelegen(char* anfang, std::size_t laenge) {
    if (laenge < kGrosserSpeicher) return;
    faden_ = std::thread([this, anfang, laenge] {
      constexpr std::size_t kSchritt = std::size_t{2} << 20;
      const auto adresse = reinterpret_cast<std::uintptr_t>(anfang);
      // madvise wants a page-aligned start.
      const std::uintptr_t start = adresse & ~static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE) - 1);
      const std::uintptr_t ende = adresse + laenge;
      for (std::uintptr_t a = start; a < ende && !halt_.load(std::memory_order_relaxed); a += kSchritt) {
        if (::madvise(reinterpret_cast<void*>(a), std::min<std::uintptr_t>(kSchritt, ende - a), MADV_POPULATE_WRITE) != 0) break;
      }
    });
  }
  ~VorausBelegen() {
    halt_ = true;
    if (faden_.joinable()) faden_.join();
  }
  VorausBelegen(const VorausBelegen&) = delete;
  VorausBelegen& operator=(const VorausBelegen&) = delete;

 private:
  std::atomic<bool> halt_{false};
  std::thread faden_;
};

}  // namespace

std::int64_t RecordsEinlesen(std::string_view dateiName, void* ziel, std::int64_t anzahl, std::size_t satzGroesse,
                             const NachDemBlock& nachDemBlock) {
  // With a filter a quarter megabyte at a time: it stays in the core's cache until the filter's
  // pass over it (larger blocks were measured slower, smaller ones no faster).
  const std::size_t kBlock = (std::size_t{256} << 10) / satzGroesse * satzGroesse;
  const std::string name(dateiName);
  Fd fd(LesendOeffnen(name));
  auto* p = static_cast<char*>(ziel);
  const std::size_t gesamt = static_cast<std::size_t>(anzahl) * satzGroesse;
  std::size_t gelesen = 0;  // bytes of the file read
  std::size_t behalten = 0;  // bytes of kept records at ZIEL
  std::size_t offen = 0;  // bytes read after those, not yet handed to the filter
  std::int64_t erster = 0;  // file number of the first record in OFFEN
  VorausBelegen voraus(p, gesamt);
  while (gelesen < gesamt) {
    const std::size_t block = nachDemBlock ? std::min(kBlock, gesamt - gelesen) : gesamt - gelesen;
    const ssize_t r = ::read(fd.get(), p + behalten + offen, block);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) throw DateiFehler("Datei " + name + " kann nicht gelesen werden: " + FehlerText(errno));
    if (r == 0) break;  // the file shrank meanwhile: keep the whole records we have
    gelesen += static_cast<std::size_t>(r);
    offen += static_cast<std::size_t>(r);
    if (!nachDemBlock) continue;
    const auto ganze = static_cast<std::int64_t>(offen / satzGroesse);
    if (ganze == 0) continue;
    const auto bleiben = static_cast<std::size_t>(nachDemBlock(p + behalten, erster, ganze));
    // The piece of a record read last goes right behind the kept ones.
    const std::size_t rest = offen - static_cast<std::size_t>(ganze) * satzGroesse;
    std::memmove(p + behalten + bleiben * satzGroesse, p + behalten + offen - rest, rest);
    behalten += bleiben * satzGroesse;
    offen = rest;
    erster += ganze;
  }
  return static_cast<std::int64_t>((nachDemBlock ? behalten : offen) / satzGroesse);
}

std::int64_t RecordsBlockweise(std::string_view dateiName, std::size_t satzGroesse, std::size_t block,
                               const std::function<void(const char* daten, std::size_t anzahl)>& verarbeiten) {
  const std::string name(dateiName);
  Fd fd(LesendOeffnen(name));
  std::vector<char> puffer(satzGroesse * block);
  std::size_t belegt = 0;
  std::int64_t gesamt = 0;
  for (;;) {
    const ssize_t r = ::read(fd.get(), puffer.data() + belegt, puffer.size() - belegt);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) throw DateiFehler("Datei " + name + " kann nicht gelesen werden: " + FehlerText(errno));
    belegt += static_cast<std::size_t>(r);
    const std::size_t ganze = belegt / satzGroesse;
    if (r == 0 || belegt == puffer.size()) {
      if (ganze > 0) verarbeiten(puffer.data(), ganze);
      gesamt += static_cast<std::int64_t>(ganze);
      const std::size_t rest = belegt - ganze * satzGroesse;
      std::memmove(puffer.data(), puffer.data() + ganze * satzGroesse, rest);
      belegt = rest;
      if (r == 0) break;
    }
  }
  return gesamt;
}

void* GrossenSpeicherHolen(std::size_t bytes) {
  constexpr std::size_t kSeite = std::size_t{2} << 20;
  const std::size_t groesse = (bytes + kSeite - 1) / kSeite * kSeite;
  void* p = std::aligned_alloc(kSeite, groesse);
  if (!p) throw std::bad_alloc();
  // Only a request; without transparent huge pages nothing changes.
  ::madvise(p, groesse, MADV_HUGEPAGE);
  return p;
}

void GrossenSpeicherFreigeben(void* p, std::size_t) { std::free(p); }

std::string TempDateiPraefix(const std::string& ziel) {
  return OrdnerTeil(ziel) + ".~" + DateiNameTeil(ziel) + ".orvano-";
}

namespace {
std::string Aufgeloest(const std::string& pfad) {
  char* echt = ::realpath(pfad.c_str(), nullptr);
  if (echt == nullptr) return {};
  std::string ergebnis(echt);
  std::free(echt);
  return ergebnis;
}
}  // namespace

std::string EchterPfad(const std::string& pfad) {
  // A link to a data file stays a link: what is replaced is the file it points to.
  if (std::string echt = Aufgeloest(pfad); !echt.empty()) return echt;
  // A file still to be made: its folder decides.
  const std::string name = DateiNameTeil(pfad);
  std::string ordner = OrdnerTeil(pfad);
  if (ordner.empty()) ordner = ".";
  if (std::string echt = Aufgeloest(ordner); !echt.empty() && !name.empty()) return echt + kTrenner + name;
  return pfad;
}

void VerwaisteTempDateienEntfernen(const std::string& ziel) {
  const std::string praefix = TempDateiPraefix(ziel);
  const std::string ordner = OrdnerTeil(praefix);
  const std::string name = DateiNameTeil(praefix);
  const auto jetzt = ::time(nullptr);
  for (const std::string& n : VerzeichnisNamen(ordner.empty() ? "." : ordner)) {
    if (n.rfind(name, 0) != 0) continue;
    const std::string pfad = ordner + n;
    Fd fd(::open(pfad.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    // A writer holds its file locked; a file only just made may not be locked yet.
    if (jetzt - st.st_mtime < 5 || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
    ::unlink(pfad.c_str());
  }
}

namespace {

// The mode of the file ZIEL to be replaced, if there is one; a file without any write bit is
// refused (by the bits, so that root, who may write anything, respects them too).
bool ZielModus(const std::string& ziel, const std::string& zielName, mode_t& modus) {
  struct stat st {};
  if (::stat(ziel.c_str(), &st) != 0) return false;
  // A device, a FIFO, a socket or a folder is never replaced by a file of ours.
  if (!S_ISREG(st.st_mode)) {
    throw DateiFehler("Datei " + zielName + " ist keine normale Datei (ein Ger\xC3\xA4t, eine FIFO, ein Socket oder ein Ordner) und wird nicht \xC3\xBC" "berschrieben");
  }
  modus = st.st_mode & 07777;
  if ((modus & 0222) == 0) throw DateiFehler("Datei " + zielName + " ist schreibgeschützt und wurde nicht geändert");
  return true;
}

}  // namespace

namespace {

void Ersetzen(const std::string& zielName, const std::function<void(Schreiber&)>& inhalt,
              const std::function<void()>& vorDemErsetzen, bool aufDiePlatte) {
  NeueDatei neu(zielName, inhalt, aufDiePlatte);
  if (vorDemErsetzen) vorDemErsetzen();
  neu.einsetzen();
}

}  // namespace

NeueDatei::NeueDatei(const std::string& zielName, const std::function<void(Schreiber&)>& inhalt, bool aufDiePlatte)
    : zielName_(zielName), ziel_(EchterPfad(zielName)) {
  mode_t modus = 0666;
  const bool vorhanden = ZielModus(ziel_, zielName, modus);
  // One writer at a time; what a killed writer left beside the file goes first.
  sperre_ = std::make_unique<SchreibSperre>(ziel_);
  VerwaisteTempDateienEntfernen(ziel_);
  // A name no user file has; O_EXCL through mkstemp, so two writers never share one.
  temp_ = TempDateiPraefix(ziel_) + "XXXXXX";
  fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
  if (fd_ < 0) throw DateiFehler("Datei " + zielName + " kann nicht geschrieben werden: " + FehlerText(errno));
  // Held until the file is renamed or the process ends: a temporary file nobody holds is an orphan.
  ::flock(fd_, LOCK_EX | LOCK_NB);
  try {
    ::fchmod(fd_, vorhanden ? modus : (0666 & ~AktuelleUmask()));
    Schreiber schreiber(fd_, zielName, aufDiePlatte);
    inhalt(schreiber);
    schreiber.leeren();
    if (aufDiePlatte && ::fsync(fd_) != 0) throw DateiFehler("Datei " + zielName + " kann nicht geschrieben werden: " + FehlerText(errno));
  } catch (...) {
    ::unlink(temp_.c_str());
    ::close(fd_);
    fd_ = -1;
    throw;
  }
}

NeueDatei::~NeueDatei() {
  if (fd_ < 0) return;
  ::unlink(temp_.c_str());
  ::close(fd_);
}

void NeueDatei::einsetzen() {
  // Still open, so still locked: no other run takes the finished file for an orphan.
  struct stat alt {};
  const bool altDa = ::stat(ziel_.c_str(), &alt) == 0;
  if (::rename(temp_.c_str(), ziel_.c_str()) != 0) {
    throw DateiFehler("Datei " + zielName_ + " kann nicht ersetzt werden: " + FehlerText(errno));
  }
  // A read-modify-write around this write keeps the new file locked until it ends.
  const int neu = std::exchange(fd_, -1);
  if (!altDa || !SperreUebertragen(static_cast<std::uint64_t>(alt.st_dev), static_cast<std::uint64_t>(alt.st_ino), neu)) ::close(neu);
  JournalVerwerfen(ziel_);
}

void AtomarSchreiben(const std::string& ziel, const std::function<void(Schreiber&)>& inhalt,
                     const std::function<void()>& vorDemErsetzen) {
  Ersetzen(ziel, inhalt, vorDemErsetzen, true);
}

void AusgabeSchreiben(const std::string& ziel, const std::function<void(Schreiber&)>& inhalt) { Ersetzen(ziel, inhalt, {}, false); }

void FertigeDateiEinsetzen(const std::string& fertig, const std::string& zielName) {
  const std::string ziel = EchterPfad(zielName);
  if (OrdnerTeil(EchterPfad(fertig)) != OrdnerTeil(ziel)) {
    AtomarSchreiben(zielName, [&](Schreiber& w) {
      RecordsBlockweise(fertig, 1, 1 << 22, [&](const char* d, std::size_t n) { w.schreiben(d, n); });
    });
    ::unlink(fertig.c_str());
    return;
  }
  const SchreibSperre sperre(ziel);
  mode_t modus = 0;
  if (ZielModus(ziel, zielName, modus)) ::chmod(fertig.c_str(), modus);
  Fd fd(::open(fertig.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0 || ::fsync(fd.get()) != 0) throw DateiFehler("Datei " + fertig + " kann nicht gelesen werden: " + FehlerText(errno));
  // Locked before it takes the name, so that the lock can go over to it.
  ::flock(fd.get(), LOCK_EX | LOCK_NB);
  struct stat alt {};
  const bool altDa = ::stat(ziel.c_str(), &alt) == 0;
  if (::rename(fertig.c_str(), ziel.c_str()) != 0) {
    throw DateiFehler("Datei " + zielName + " kann nicht ersetzt werden: " + FehlerText(errno));
  }
  if (altDa && SperreUebertragen(static_cast<std::uint64_t>(alt.st_dev), static_cast<std::uint64_t>(alt.st_ino), fd.get())) fd.freigeben();
  OrdnerEintragSichern(ziel);
  JournalVerwerfen(ziel);
}

namespace testhaken {
void SchreibFehlerNach(std::int64_t bytes) {
  g_geschrieben = 0;
  g_schreibGrenze = bytes;
}
}  // namespace testhaken

}  // namespace orvano
