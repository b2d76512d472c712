#include "Schreiber.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "Dateien.h"

namespace orvano {

// In RecordDatei.cpp: write(2) with the injected faults of the tests.
ssize_t Schreiben(int fd, const char* daten, std::size_t n);

namespace {
constexpr std::size_t kPufferGroesse = std::size_t{4} << 20;
constexpr std::size_t kPufferZahl = 3;

std::unique_ptr<char[]> NeuerPuffer() { return std::unique_ptr<char[]>(new char[kPufferGroesse]); }
}  // namespace

Schreiber::Schreiber(int fd, std::string anzeigeName, bool aufDiePlatte, std::int64_t ab)
    : fd_(fd), name_(std::move(anzeigeName)), aufDiePlatte_(aufDiePlatte), versatz_(ab) {
  aktuell_.daten = NeuerPuffer();
}

Schreiber::~Schreiber() {
  if (faden_.joinable()) {
    {
      const std::lock_guard<std::mutex> l(m_);
      ende_ = true;
    }
    cv_.notify_all();
    faden_.join();
  }
}

void Schreiber::fehlerWerfen() {
  throw DateiFehler("Datei " + name_ + " kann nicht geschrieben werden: " + FehlerText(fehler_));
}

// Writes all of P at the file's end; 0 or the errno of the failure.
int Schreiber::direktSchreiben(const char* p, std::size_t n) {
  std::size_t erledigt = 0;
  while (erledigt < n) {
    const ssize_t w = Schreiben(fd_, p + erledigt, n - erledigt);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return w < 0 ? errno : EIO;
    erledigt += static_cast<std::size_t>(w);
  }
  versatz_ += static_cast<std::int64_t>(n);
  return 0;
}

void Schreiber::schreiberSchleife() {
  std::unique_lock<std::mutex> l(m_);
  for (;;) {
    cv_.wait(l, [&] { return ende_ || !voll_.empty(); });
    if (voll_.empty()) return;
    Puffer p = std::move(voll_.front());
    voll_.erase(voll_.begin());
    schreibt_ = true;
    const bool schonFehler = fehler_ != 0;
    l.unlock();
    int fehler = 0;
    if (!schonFehler) {
      const std::int64_t von = versatz_;
      fehler = direktSchreiben(p.daten.get(), p.belegt);
#ifdef SYNC_FILE_RANGE_WRITE
      // Start the disk on this part now; fsync at the end then waits for little.
      if (fehler == 0 && aufDiePlatte_) ::sync_file_range(fd_, von, static_cast<std::int64_t>(p.belegt), SYNC_FILE_RANGE_WRITE);
#endif
    }
    p.belegt = 0;
    l.lock();
    if (fehler != 0 && fehler_ == 0) fehler_ = fehler;
    frei_.push_back(std::move(p));
    schreibt_ = false;
    cv_.notify_all();
  }
}

void Schreiber::abgeben() {
  std::unique_lock<std::mutex> l(m_);
  if (fehler_ != 0) fehlerWerfen();
  if (!faden_.joinable()) {
    for (std::size_t i = 1; i < kPufferZahl; ++i) frei_.push_back(Puffer{NeuerPuffer(), 0});
    faden_ = std::thread([this] { schreiberSchleife(); });
  }
  voll_.push_back(std::move(aktuell_));
  cv_.notify_all();
  cv_.wait(l, [&] { return !frei_.empty() || fehler_ != 0; });
  if (fehler_ != 0) fehlerWerfen();
  aktuell_ = std::move(frei_.back());
  frei_.pop_back();
}

void Schreiber::schreiben(const void* daten, std::size_t n) {
  const auto* p = static_cast<const char*>(daten);
  while (n > 0) {
    const std::size_t teil = std::min(n, kPufferGroesse - aktuell_.belegt);
    std::memcpy(aktuell_.daten.get() + aktuell_.belegt, p, teil);
    aktuell_.belegt += teil;
    p += teil;
    n -= teil;
    if (aktuell_.belegt == kPufferGroesse) abgeben();
  }
}

char* Schreiber::platz(std::size_t n) {
  if (n > kPufferGroesse) throw std::length_error("Schreiber: zu viel Platz verlangt");
  if (kPufferGroesse - aktuell_.belegt < n) abgeben();
  return aktuell_.daten.get() + aktuell_.belegt;
}

void Schreiber::belegen(const char* ende) { aktuell_.belegt = static_cast<std::size_t>(ende - aktuell_.daten.get()); }

void Schreiber::leeren() {
  if (faden_.joinable()) {
    std::unique_lock<std::mutex> l(m_);
    cv_.wait(l, [&] { return (voll_.empty() && !schreibt_) || fehler_ != 0; });
    if (fehler_ != 0) fehlerWerfen();
  }
  // The thread is idle, so this is the only write.
  const int fehler = direktSchreiben(aktuell_.daten.get(), aktuell_.belegt);
  aktuell_.belegt = 0;
  if (fehler != 0) {
    fehler_ = fehler;
    fehlerWerfen();
  }
}

}  // namespace orvano
