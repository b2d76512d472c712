#include "Vergleich.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/Dateien.h"
#include "core/Pfade.h"
#include "core/RecordDatei.h"
#include "core/SeitenDatei.h"

namespace orvano {

namespace {

template <std::size_t N>
std::size_t Laenge(const KurzText<N>& t) {
  return t.laenge <= N ? t.laenge : N;
}

template <std::size_t N>
bool Gleich(const KurzText<N>& a, const KurzText<N>& b) {
  const std::size_t n = Laenge(a);
  return n == Laenge(b) && std::memcmp(a.zeichen, b.zeichen, n) == 0;
}

// The compared fields as bytes: equal keys for equal records and only for them. A NaN
// coordinate equals nothing, so such a record has no key.
class Schluessel {
 public:
  template <std::size_t N>
  void text(const KurzText<N>& t) {
    const std::size_t n = Laenge(t);
    k_.push_back(static_cast<char>(n));
    k_.append(t.zeichen, n);
  }
  void zahl(std::int32_t v) { k_.append(reinterpret_cast<const char*>(&v), sizeof v); }
  void real(double d) {
    if (std::isnan(d)) gueltig_ = false;
    if (d == 0) d = 0.0;  // -0 equals 0
    k_.append(reinterpret_cast<const char*>(&d), sizeof d);
  }
  std::string_view von(const TPLZRecord& r) {
    anfangen();
    text(r.Ort), zahl(r.PLZ), text(r.Staat), text(r.Bundesland), text(r.Regierungsbezirk), text(r.Landkreis);
    text(r.Verwaltungszusammenschluss), text(r.Ortsteil), text(r.Gemeindeteil), real(r.Breitengrad), real(r.Laengengrad);
    text(r.Autokennzeichen), zahl(r.Vorwahl);
    return ergebnis();
  }
  std::string_view von(const TStrassenRecord& s) {
    anfangen();
    zahl(s.PLZ), text(s.Ort), text(s.Strasse), text(s.AbNr), text(s.BisNr);
    return ergebnis();
  }

 private:
  void anfangen() {
    k_.clear();
    gueltig_ = true;
  }
  std::string_view ergebnis() const { return gueltig_ ? std::string_view(k_) : std::string_view(); }
  std::string k_;
  bool gueltig_ = true;
};

// The distinct keys of a file's records: one block of bytes and an open-addressing table of
// their numbers, so that 1.5 million keys cost neither a node nor a string each.
class SchluesselMenge {
 public:
  void reservieren(std::size_t n) {
    std::size_t groesse = 16;
    while (groesse < 2 * n) groesse *= 2;
    plaetze_.assign(groesse, 0);
    anfaenge_.reserve(n + 1);
    anfaenge_.assign(1, 0);
  }
  void hinzu(std::string_view k) {
    if (k.empty()) return;
    if (2 * (anfaenge_.size() + 1) > plaetze_.size()) wachsen();
    const std::size_t p = platz(k);
    if (plaetze_[p] != 0) return;
    bytes_.append(k);
    anfaenge_.push_back(bytes_.size());
    plaetze_[p] = static_cast<std::uint32_t>(anfaenge_.size() - 1);
  }
  bool enthaelt(std::string_view k) const { return !k.empty() && plaetze_[platz(k)] != 0; }

 private:
  static std::uint64_t Streuwert(std::string_view k) {
    std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ k.size();
    std::size_t i = 0;
    for (; i + 8 <= k.size(); i += 8) {
      std::uint64_t w;
      std::memcpy(&w, k.data() + i, 8);
      h = (h ^ w) * 0xFF51AFD7ED558CCDULL;
      h ^= h >> 32;
    }
    std::uint64_t rest = 0;
    std::memcpy(&rest, k.data() + i, k.size() - i);
    h = (h ^ rest) * 0xC4CEB9FE1A85EC53ULL;
    return h ^ (h >> 29);
  }
  std::string_view eintrag(std::uint32_t nr) const {
    return std::string_view(bytes_).substr(anfaenge_[nr - 1], anfaenge_[nr] - anfaenge_[nr - 1]);
  }
  // The place holding K, or the empty place where it belongs.
  std::size_t platz(std::string_view k) const {
    const std::size_t maske = plaetze_.size() - 1;
    for (std::size_t p = Streuwert(k) & maske;; p = (p + 1) & maske) {
      if (plaetze_[p] == 0 || eintrag(plaetze_[p]) == k) return p;
    }
  }
  void wachsen() {
    std::vector<std::uint32_t> alt(plaetze_.size() * 2, 0);
    alt.swap(plaetze_);
    for (std::uint32_t nr : alt) {
      if (nr != 0) plaetze_[platz(eintrag(nr))] = nr;
    }
  }
  std::string bytes_;
  std::vector<std::size_t> anfaenge_{0};
  std::vector<std::uint32_t> plaetze_ = std::vector<std::uint32_t>(16, 0);
};

struct Abbruch {};

}  // namespace

bool PLZGleich(const TPLZRecord& a, const TPLZRecord& b) {
  return Gleich(a.Ort, b.Ort) && a.PLZ == b.PLZ && Gleich(a.Staat, b.Staat) && Gleich(a.Bundesland, b.Bundesland) &&
         Gleich(a.Regierungsbezirk, b.Regierungsbezirk) && Gleich(a.Landkreis, b.Landkreis) &&
         Gleich(a.Verwaltungszusammenschluss, b.Verwaltungszusammenschluss) && Gleich(a.Ortsteil, b.Ortsteil) &&
         Gleich(a.Gemeindeteil, b.Gemeindeteil) && static_cast<double>(a.Breitengrad) == static_cast<double>(b.Breitengrad) &&
         static_cast<double>(a.Laengengrad) == static_cast<double>(b.Laengengrad) &&
         Gleich(a.Autokennzeichen, b.Autokennzeichen) && a.Vorwahl == b.Vorwahl;
}

bool StrassenGleich(const TStrassenRecord& a, const TStrassenRecord& b) {
  return a.PLZ == b.PLZ && Gleich(a.Ort, b.Ort) && Gleich(a.Strasse, b.Strasse) && Gleich(a.AbNr, b.AbNr) &&
         Gleich(a.BisNr, b.BisNr);
}

VergleichsPruefung VergleichPruefen(const VergleichsSeite& eins, const VergleichsSeite& zwei) {
  if (eins.art != zwei.art) return VergleichsPruefung::ArtVerschieden;
  if (eins.ordner.empty()) return VergleichsPruefung::Ordner1Leer;
  if (zwei.ordner.empty()) return VergleichsPruefung::Ordner2Leer;
  const bool plzGleich = PLZDateiCode(eins.land) == PLZDateiCode(zwei.land);
  const bool strassenGleich = StrassenDateiCode(eins.land) == StrassenDateiCode(zwei.land);
  if (eins.ordner == zwei.ordner && (plzGleich || strassenGleich)) return VergleichsPruefung::GleicheDatei;
  return VergleichsPruefung::Ok;
}

std::string VergleichsMeldung(VergleichsPruefung p) {
  switch (p) {
    case VergleichsPruefung::ArtVerschieden: return "PLZ oder Strassen Datenbank in beiden Ordner ausw\xC3\xA4hlen";
    case VergleichsPruefung::Ordner1Leer: return "Ordner 1 ausw\xC3\xA4hlen";
    case VergleichsPruefung::Ordner2Leer: return "Ordner 2 ausw\xC3\xA4hlen";
    case VergleichsPruefung::GleicheDatei: return "Datei 1 = Datei 2";
    case VergleichsPruefung::Ok: break;
  }
  return {};
}

std::int64_t Vergleichen(const std::string& datei1, const std::string& datei2, EditorArt art, std::int64_t& position,
                         bool rueckwaerts, Fortschritt& f) {
  const std::size_t groesse = EditorSatzGroesse(art);
  const std::int64_t m = std::min(RecordAnzahl(datei1, groesse), RecordAnzahl(datei2, groesse));
  // Backward from beyond the shorter file begins at the last record both files have.
  position = rueckwaerts ? std::max<std::int64_t>(std::min(position, m + 1) - 1, 1) : std::min(position + 1, m);
  f.beginnen(m);
  f.position(1);
  constexpr std::int64_t kBlock = 4096;
  std::vector<char> a(static_cast<std::size_t>(kBlock) * groesse), b(a.size());
  auto verschieden = [&](const char* x, const char* y) {
    if (art == EditorArt::PLZ) {
      TPLZRecord r1, r2;
      std::memcpy(&r1, x, sizeof r1), std::memcpy(&r2, y, sizeof r2);
      return !PLZGleich(r1, r2);
    }
    TStrassenRecord s1, s2;
    std::memcpy(&s1, x, sizeof s1), std::memcpy(&s2, y, sizeof s2);
    return !StrassenGleich(s1, s2);
  };
  std::int64_t k = position;
  while (k >= 1 && k <= m) {
    const std::int64_t von = rueckwaerts ? std::max<std::int64_t>(1, k - kBlock + 1) : k;
    const std::int64_t bis = rueckwaerts ? k : std::min(m, k + kBlock - 1);
    const std::int64_t n = bis - von + 1;
    if (RecordsLesenAb(datei1, von - 1, a.data(), n, groesse) < n || RecordsLesenAb(datei2, von - 1, b.data(), n, groesse) < n) break;
    for (; rueckwaerts ? k >= von : k <= bis; k += rueckwaerts ? -1 : 1) {
      if (k % 1000 == 0) {
        f.position(rueckwaerts ? m - k : k);
        if (f.abbrechen()) {
          f.beenden();
          return -1;
        }
      }
      const std::size_t i = static_cast<std::size_t>(k - von) * groesse;
      if (verschieden(a.data() + i, b.data() + i)) {
        position = k;
        f.beenden();
        return k;
      }
    }
  }
  f.beenden();
  return 0;
}

NeueDaten NeueDatenSuchen(const std::string& datei1, const std::string& datei2, EditorArt art, const std::string& ausgabe,
                          Fortschritt& f) {
  const std::size_t groesse = EditorSatzGroesse(art);
  Schluessel schluessel;
  auto von = [&](const char* satz) {
    if (art == EditorArt::PLZ) {
      TPLZRecord r;
      std::memcpy(&r, satz, sizeof r);
      return schluessel.von(r);
    }
    TStrassenRecord s;
    std::memcpy(&s, satz, sizeof s);
    return schluessel.von(s);
  };
  // File 2 once into a set of keys instead of once per record of file 1.
  SchluesselMenge menge;
  if (DateiVorhanden(datei2)) {
    menge.reservieren(static_cast<std::size_t>(RecordAnzahl(datei2, groesse)));
    RecordsBlockweise(datei2, groesse, 4096, [&](const char* d, std::size_t n) {
      for (std::size_t j = 0; j < n; ++j) menge.hinzu(von(d + j * groesse));
    });
  }
  NeueDaten ergebnis;
  const std::int64_t n1 = RecordAnzahl(datei1, groesse);
  f.beginnen(n1);
  AtomarSchreiben(ausgabe, [&](Schreiber& w) {
    std::int64_t i = 0;
    try {
      RecordsBlockweise(datei1, groesse, 4096, [&](const char* d, std::size_t n) {
        for (std::size_t j = 0; j < n; ++j) {
          if (++i % 100 == 0) {
            f.position(i);
            if (f.abbrechen()) throw Abbruch{};
          }
          const char* satz = d + j * groesse;
          if (!menge.enthaelt(von(satz))) {
            w.schreiben(satz, groesse);
            ++ergebnis.gefunden;
          }
        }
      });
    } catch (const Abbruch&) {
      ergebnis.abgebrochen = true;
    }
  });
  f.beenden();
  return ergebnis;
}

std::int64_t RecordsAnhaengen(const std::string& quelle, const std::string& ziel, EditorArt art, Fortschritt& f) {
  const std::size_t groesse = EditorSatzGroesse(art);
  const std::int64_t neu = RecordAnzahl(quelle, groesse);
  f.beginnen(neu);
  std::int64_t geschrieben = 0;
  auto kopieren = [&](Schreiber& w, const std::string& datei, bool zaehlen) {
    RecordsBlockweise(datei, groesse, 4096, [&](const char* d, std::size_t n) {
      w.schreiben(d, n * groesse);
      if (zaehlen) f.position(geschrieben += static_cast<std::int64_t>(n));
    });
  };
  // The old records (whole ones: a torn tail is never read) and the new ones behind them.
  AtomarSchreiben(ziel, [&](Schreiber& w) {
    if (DateiVorhanden(ziel)) kopieren(w, ziel, false);
    kopieren(w, quelle, true);
  });
  f.beenden();
  return geschrieben;
}

}  // namespace orvano
