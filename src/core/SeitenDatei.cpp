#include "SeitenDatei.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "Dateien.h"
#include "RecordDatei.h"

#include <algorithm>

namespace orvano {

namespace {

// An open file for reading, closed on every way out.
class Lesen {
 public:
  explicit Lesen(const std::string& datei) : name_(datei), fd_(LesendOeffnen(datei)) {}
  ~Lesen() { ::close(fd_); }
  Lesen(const Lesen&) = delete;
  Lesen& operator=(const Lesen&) = delete;

  // Whole records at record AB (0-based).
  std::int64_t records(std::int64_t ab, void* ziel, std::int64_t anzahl, std::size_t groesse) {
    auto* p = static_cast<char*>(ziel);
    const std::size_t gesamt = static_cast<std::size_t>(anzahl) * groesse;
    const auto start = static_cast<off_t>(ab) * static_cast<off_t>(groesse);
    std::size_t gelesen = 0;
    while (gelesen < gesamt) {
      const ssize_t r = ::pread(fd_, p + gelesen, gesamt - gelesen, start + static_cast<off_t>(gelesen));
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) throw DateiFehler("Datei " + name_ + " kann nicht gelesen werden: " + FehlerText(errno));
      if (r == 0) break;
      gelesen += static_cast<std::size_t>(r);
    }
    return static_cast<std::int64_t>(gelesen / groesse);
  }

 private:
  std::string name_;
  int fd_;
};

}  // namespace

std::int64_t RecordsLesenAb(const std::string& datei, std::int64_t ab, void* ziel, std::int64_t anzahl, std::size_t satzGroesse) {
  if (anzahl <= 0) return 0;
  Lesen l(datei);
  return l.records(ab, ziel, anzahl, satzGroesse);
}

std::int64_t RecordAnzahl(const std::string& datei, std::size_t satzGroesse) {
  const std::int64_t groesse = DateiGroesse(datei);
  return groesse < 0 ? 0 : groesse / static_cast<std::int64_t>(satzGroesse);
}

std::int64_t RecordSuchen(const std::string& datei, std::size_t satzGroesse, std::int64_t start, bool rueckwaerts, int schritt,
                          const std::function<bool(std::int64_t k, const char* satz)>& treffer, Fortschritt& f) {
  const std::int64_t n = RecordAnzahl(datei, satzGroesse);
  if (n == 0 || start < 1 || start > n) return 0;
  Lesen l(datei);
  constexpr std::int64_t kBlock = 4096;
  std::vector<char> puffer(static_cast<std::size_t>(kBlock) * satzGroesse);
  f.beginnen(n);
  std::int64_t k = start;
  while (rueckwaerts ? k >= 1 : k <= n) {
    // The block that holds K, reaching towards the direction of the walk.
    const std::int64_t von = rueckwaerts ? std::max<std::int64_t>(1, k - kBlock + 1) : k;
    const std::int64_t bis = rueckwaerts ? k : std::min(n, k + kBlock - 1);
    const std::int64_t da = l.records(von - 1, puffer.data(), bis - von + 1, satzGroesse);
    if (da < bis - von + 1) break;  // the file shrank meanwhile
    for (; rueckwaerts ? k >= von : k <= bis; k += rueckwaerts ? -1 : 1) {
      if (schritt > 0 && k % schritt == 0) {
        f.position(rueckwaerts ? n - k : k);
        if (f.abbrechen()) {
          f.beenden();
          return -1;
        }
      }
      if (treffer(k, puffer.data() + static_cast<std::size_t>(k - von) * satzGroesse)) {
        f.beenden();
        return k;
      }
    }
  }
  f.beenden();
  return 0;
}

std::int64_t SeiteErsetzen(const std::string& datei, std::size_t satzGroesse, std::int64_t start, std::int64_t zeilen,
                           const std::function<const void*(std::int64_t zeile)>& satz) {
  const std::int64_t n = RecordAnzahl(datei, satzGroesse);
  start = std::max<std::int64_t>(1, start);
  Lesen l(datei);
  std::int64_t neu = 0;
  constexpr std::int64_t kBlock = 8192;
  std::vector<char> puffer(static_cast<std::size_t>(kBlock) * satzGroesse);
  // Records VON..BIS of the old file, copied block by block.
  auto kopieren = [&](Schreiber& w, std::int64_t von, std::int64_t bis) {
    for (std::int64_t k = von; k <= bis; k += kBlock) {
      const std::int64_t m = std::min(kBlock, bis - k + 1);
      if (l.records(k - 1, puffer.data(), m, satzGroesse) != m) throw DateiFehler("Datei " + datei + " ist beim Lesen k\xC3\xBCrzer geworden");
      w.schreiben(puffer.data(), static_cast<std::size_t>(m) * satzGroesse);
      neu += m;
    }
  };
  AtomarSchreiben(datei, [&](Schreiber& w) {
    kopieren(w, 1, std::min(n, start - 1));
    for (std::int64_t i = 0; i < zeilen; ++i) {
      if (const void* s = satz(i)) {
        w.schreiben(s, satzGroesse);
        ++neu;
      }
    }
    kopieren(w, start + zeilen, n);
  });
  return neu;
}

}  // namespace orvano
