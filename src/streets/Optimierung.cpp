#include "Optimierung.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <numeric>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/Dateien.h"
#include "core/HashVerzeichnis.h"
#include "core/RecordDatei.h"
#include "core/StrassenZuordnung.h"
#include "core/Texte.h"
#include "folders/Sicherung.h"

namespace orvano {

namespace {

constexpr std::int32_t kKeineStrasse = 99999999;
constexpr char kCR = '\r';

std::string Nr(std::int64_t n) { return std::to_string(n); }

// The file's name as the questions show it: "Ord_1/Dat_D.ppp".
std::string KurzName(const Datenbestand& db, const std::string& datei) { return db.OrdnerName() + "/" + DateiNameTeil(datei); }

// Whatever happens, the tables end up loaded again from their files.
template <class Aktion, class Danach>
auto MitNachlauf(Aktion aktion, Danach danach) {
  try {
    auto ergebnis = aktion();
    danach();
    return ergebnis;
  } catch (...) {
    try {
      danach();
    } catch (...) {
    }
    throw;
  }
}

// An operation reads both files and may replace them: they are locked for its whole run, and
// what another program wrote since they were loaded is loaded first (this window holds no
// edits of its own here: the owner saved or dropped them before).
SchreibSperren LadenUndSperren(Datenbestand& db, Rueckfragen& r) {
  SchreibSperren sperren({db.PLZDateiName(), db.StrassenDateiName()});
  if (db.PLZDateiVeraendert()) db.PLZLaden(r);
  if (db.StrassenDateiVeraendert()) db.StrassenLaden(KeinFortschritt(), r);
  return sperren;
}

// The duplicate test's key of a street: code, the record's place as compared, the normalised
// name and both house numbers, built in one reused buffer.
void DoppelSchluessel(std::string& k, const TStrassenRecord& s, const std::string& vergleichsOrt) {
  const std::int32_t plz = s.PLZ;
  k.assign(reinterpret_cast<const char*>(&plz), sizeof plz);
  k += vergleichsOrt;
  k += '\0';
  StrassenNameAnhaengen(k, {s.Strasse.zeichen, std::min<std::size_t>(s.Strasse.laenge, 65)});
  k += '\0';
  k.append(s.AbNr.zeichen, std::min<std::size_t>(s.AbNr.laenge, 6));
  k += '\0';
  k.append(s.BisNr.zeichen, std::min<std::size_t>(s.BisNr.laenge, 6));
}

// The keys of the kept streets, one after the other in one block; whole keys are compared on
// a hash hit, so a collision never drops a street.
class BehalteneStrassen {
 public:
  explicit BehalteneStrassen(std::size_t erwartet) {
    verzeichnis_.reservieren(erwartet);
    anfang_.reserve(erwartet + 1);
    anfang_.push_back(0);
    strassen_.reserve(erwartet);
    // A key is code, place, name and numbers: about 32 bytes. Growing by doubling would copy
    // the keys of millions of streets again and again, each time into fresh memory.
    daten_.reserve(erwartet * 32);
  }

  // Keeps STRASSE under SCHLUESSEL unless a kept street has that key already.
  bool hinzuWennNeu(std::string_view schluessel, std::int32_t strasse) {
    const auto [nummer, neu] = verzeichnis_.finden(
        std::hash<std::string_view>{}(schluessel), [&](std::int32_t n) { return schluesselVon(n) == schluessel; },
        static_cast<std::int32_t>(strassen_.size()));
    if (!neu) return false;
    daten_ += schluessel;
    anfang_.push_back(daten_.size());
    strassen_.push_back(strasse);
    return true;
  }

  const std::vector<std::int32_t>& strassen() const { return strassen_; }

 private:
  std::string_view schluesselVon(std::int32_t nummer) const {
    const auto n = static_cast<std::size_t>(nummer);
    return std::string_view(daten_).substr(anfang_[n], anfang_[n + 1] - anfang_[n]);
  }

  HashVerzeichnis verzeichnis_;
  std::string daten_;
  std::vector<std::size_t> anfang_;     // key n is daten_[anfang_[n], anfang_[n + 1])
  std::vector<std::int32_t> strassen_;  // street-table indexes in the order kept
};

}  // namespace

std::string SortierName(std::string_view name) {
  std::string s(name);
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

std::int64_t FreierSpeicherKiB() {
  std::ifstream f("/proc/meminfo");
  std::string name;
  std::int64_t wert = 0;
  std::string einheit;
  while (f >> name >> wert >> einheit) {
    if (name == "MemAvailable:") return wert;
  }
  return 0;
}

PLZOptErgebnis PLZOptimieren(Datenbestand& db, const OptimierungsOptionen& o, Fortschritt& f, Rueckfragen& r) {
  const SchreibSperren sperren = LadenUndSperren(db, r);
  return MitNachlauf(
      [&] {
        PLZOptErgebnis e;
        const std::int32_t n = db.PLZAnzahl;
        f.status(1, "PLZ-Datenbank.  Mit ESC-Taste abbrechen");
        f.status(2, "Datenbank Optimierung");
        f.beginnen(n);
        // PLZ and the counted bytes of Ort, length included.
        std::unordered_set<std::string> gesehen;
        gesehen.reserve(static_cast<std::size_t>(n));
        std::vector<std::int32_t> behalten;
        behalten.reserve(static_cast<std::size_t>(n));
        for (std::int32_t b = 1; b <= n; ++b) {
          TPLZRecord& satz = db.PLZTabelle[static_cast<std::size_t>(b)];
          satz.Strassen = 0;
          satz.AbBisNr = kKeineStrasse;
          const std::int32_t plz = satz.PLZ;
          std::string schluessel(reinterpret_cast<const char*>(&plz), sizeof plz);
          schluessel += static_cast<char>(satz.Ort.text().size());
          schluessel += satz.Ort.text();
          if (gesehen.insert(std::move(schluessel)).second) {
            behalten.push_back(b);
          } else {
            ++e.doppelte;
          }
          if (b % 100 == 0) {
            f.position(b);
            f.status(0, "Nr = " + Nr(b) + " von " + Nr(n));
          }
          if (f.abbrechen()) {
            e.abgebrochen = true;
            break;
          }
        }
        f.beenden();
        f.status(2, "PLZ-Datenbank Optimierung");
        if (e.doppelte == 0 || e.abgebrochen) return e;
        const std::string frage = Nr(e.doppelte) + " Doppelte PLZ-Eintr\xC3\xA4ge werden gel\xC3\xB6scht" + kCR +
                                  "PLZ-Datenbank in " + KurzName(db, db.plzDatei()) + " speichern?";
        if (o.plzFragen && !r.frage(frage)) return e;
        SichernUndErsetzen(db.plzDatei(), o.datum, "_PO", [&](Schreiber& s) {
          for (const std::int32_t b : behalten) s.schreiben(&db.PLZTabelle[static_cast<std::size_t>(b)], sizeof(TPLZRecord));
        });
        e.gespeichert = true;
        return e;
      },
      [&] { db.PLZLaden(r); });
}

StrassenOptErgebnis StrassenOptimieren(Datenbestand& db, const OptimierungsOptionen& o, Fortschritt& f, Rueckfragen& r) {
  const SchreibSperren sperren = LadenUndSperren(db, r);
  bool plzNeuLaden = true;
  return MitNachlauf(
      [&] {
        StrassenOptErgebnis e;
        const std::int32_t n = db.PLZAnzahl;
        e.alt = db.StrassenZahl;
        f.status(1, "Strassen-Datenbank Optimierung.  Mit ESC-Taste abbrechen");
        f.status(2, "Datenbank Optimierung");
        f.status(0, "Nr = 1 von " + Nr(n));
        f.beginnen(n);
        std::int64_t frei = FreierSpeicherKiB();
        BehalteneStrassen behalten(static_cast<std::size_t>(db.StrassenZahl));
        // Each street is examined only under the one record it belongs to.
        const StrassenVerzeichnis besitz = StrassenNachBesitzer(db.PLZTabelle, n, db.StrassenTabelle, db.StrassenZahl);
        std::string ort, schluessel;
        for (std::int32_t k = 1; k <= n; ++k) db.PLZTabelle[static_cast<std::size_t>(k)].Strassen = 0;
        // Without a record the loop never runs: that counts as cancelled.
        e.abgebrochen = n == 0;
        for (std::int32_t k = 1; k <= n; ++k) {
          TPLZRecord& satz = db.PLZTabelle[static_cast<std::size_t>(k)];
          satz.AbBisNr = kKeineStrasse;
          satz.Strassen = 0;
          ort.clear();
          VergleichsTextAnhaengen(ort, satz.Ort.text());
          for (const std::int32_t s : besitz.bereich(k)) {
            DoppelSchluessel(schluessel, db.StrassenTabelle[static_cast<std::size_t>(s)], ort);
            if (!behalten.hinzuWennNeu(schluessel, s)) continue;
            const auto j = static_cast<std::int32_t>(behalten.strassen().size());
            if (j < satz.AbBisNr) satz.AbBisNr = j;
            satz.Strassen = satz.Strassen + 1;
          }
          if (k % 100 == 0) frei = FreierSpeicherKiB();
          if (k % 10 == 0) {
            f.position(k);
            f.status(0, "Nr = " + Nr(k) + " von " + Nr(n) + "  Memory:" + Nr(frei));
          }
          if (f.abbrechen()) {
            e.abgebrochen = true;
            break;
          }
        }
        f.beenden();
        e.neu = static_cast<std::int32_t>(behalten.strassen().size());
        const std::string zahlen = "Altedatei: n = " + Nr(db.StrassenZahl) + kCR + "Neuedatei: n = " + Nr(e.neu);
        if (e.abgebrochen) {
          r.hinweis(zahlen);
          return e;
        }
        const std::string frage = zahlen + kCR + "Strassen-Datenbank in " + KurzName(db, db.strassenDatei()) + " speichern?";
        if (o.strassenFragen && !r.frage(frage)) return e;
        // The street file and the counts and first positions that describe it, as one step.
        SichernUndBeideErsetzen(
            {db.strassenDatei(), "_SO",
             [&](Schreiber& w) {
               for (const std::int32_t s : behalten.strassen()) {
                 w.schreiben(&db.StrassenTabelle[static_cast<std::size_t>(s)], sizeof(TStrassenRecord));
               }
             }},
            {db.plzDatei(), "", [&](Schreiber& w) { db.PLZSchreiben(w, false); }},
            o.datum);
        e.gespeichert = true;
        db.SelbstGeschrieben(true);
        db.Geaendert = false;
        plzNeuLaden = false;
        return e;
      },
      [&] {
        // A cancelled or declined run leaves no count that describes an unsaved file.
        if (plzNeuLaden) db.PLZLaden(r);
        db.StrassenLaden(KeinFortschritt(), r);
      });
}

BlockSortErgebnis StrassenBloeckeSortieren(const RecordFeld<TPLZRecord>& plz, std::int32_t n, RecordFeld<TStrassenRecord>& datei,
                                           Fortschritt& f) {
  BlockSortErgebnis e;
  const auto m = static_cast<std::int64_t>(datei.size()) - 1;
  f.beginnen(n);
  std::vector<std::string> namen;
  std::vector<std::int32_t> ordnung;
  RecordFeld<TStrassenRecord> block;
  for (std::int32_t k = 1; k <= n; ++k) {
    if (k % 10 == 0) {
      f.position(k);
      f.status(0, "n = " + Nr(k));
    }
    const TPLZRecord& satz = plz[static_cast<std::size_t>(k)];
    const std::int64_t c = satz.Strassen;
    const std::int64_t anfang = satz.AbBisNr;
    if (c == 0 || c == kKeineStrasse || anfang < 1) continue;
    const std::int64_t ende = std::min(anfang + c - 1, m);
    if (ende >= anfang) {
      const auto laenge = static_cast<std::size_t>(ende - anfang + 1);
      namen.resize(laenge);
      ordnung.resize(laenge);
      block = RecordFeld<TStrassenRecord>(laenge);
      for (std::size_t i = 0; i < laenge; ++i) {
        block[i] = datei[static_cast<std::size_t>(anfang) + i];
        namen[i] = SortierName(block[i].Strasse.text());
      }
      std::iota(ordnung.begin(), ordnung.end(), 0);
      std::stable_sort(ordnung.begin(), ordnung.end(),
                       [&](std::int32_t a, std::int32_t b) { return namen[static_cast<std::size_t>(a)] < namen[static_cast<std::size_t>(b)]; });
      for (std::size_t i = 0; i < laenge; ++i) {
        if (ordnung[i] == static_cast<std::int32_t>(i)) continue;
        datei[static_cast<std::size_t>(anfang) + i] = block[static_cast<std::size_t>(ordnung[i])];
        ++e.bewegt;
      }
    }
    if (f.abbrechen()) {
      e.abgebrochen = true;
      break;
    }
  }
  f.beenden();
  return e;
}

SortErgebnis StrassenSortieren(Datenbestand& db, const OptimierungsOptionen& o, Fortschritt& f, Rueckfragen& r) {
  const SchreibSperren sperren = LadenUndSperren(db, r);
  SortErgebnis e;
  if (!DateiVorhanden(db.plzDatei()) || !DateiVorhanden(db.strassenDatei())) return e;
  return MitNachlauf(
      [&] {
        e.ausgefuehrt = true;
        const std::int32_t alt = db.StrassenZahl;
        // The file is sorted, not the table: the table is loaded again afterwards anyway.
        db.StrassenLeeren();
        RecordFeld<TStrassenRecord> datei = TabelleLesen<TStrassenRecord>(db.strassenDatei());
        const auto m = static_cast<std::int64_t>(datei.size()) - 1;
        f.status(1, "Strassen-Datenbank Sortierung.  Mit ESC-Taste abbrechen");
        const BlockSortErgebnis b = StrassenBloeckeSortieren(db.PLZTabelle, db.PLZAnzahl, datei, f);
        e.bewegt = b.bewegt;
        e.abgebrochen = b.abgebrochen;
        f.beenden();
        if (e.abgebrochen) return e;
        const std::string frage = "Altedatei: n = " + Nr(alt) + kCR + "Neuedatei: n = " + Nr(StrassenAnzahl(db.strassenDatei())) +
                                  kCR + "Strassen-Datenbank in " + KurzName(db, db.strassenDatei()) + " speichern?";
        if (o.sortierenFragen && !r.frage(frage)) return e;
        SichernUndErsetzen(db.strassenDatei(), o.datum, "_SS", [&](Schreiber& w) {
          if (m > 0) w.schreiben(datei.data() + 1, static_cast<std::size_t>(m) * sizeof(TStrassenRecord));
        });
        e.gespeichert = true;
        return e;
      },
      [&] { db.StrassenLaden(KeinFortschritt(), r); });
}

}  // namespace orvano
