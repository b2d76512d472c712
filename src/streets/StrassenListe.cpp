#include "StrassenListe.h"

#include <algorithm>
#include <cstring>

#include "Optimierung.h"

#include "StrassenZaehlen.h"
#include "core/Dateien.h"
#include "core/RecordDatei.h"
#include "core/Records.h"
#include "core/StrassenZuordnung.h"
#include "core/Texte.h"

namespace orvano {

namespace {

constexpr std::int64_t kSchritt = 5000;

bool Leer(std::string_view s) { return LeerzeichenEntfernen(s).empty(); }

// A street belongs to the record when it has the record's code and its place is blank or the
// record's place.
bool GehoertZu(const TStrassenRecord& s, std::int32_t plz, const std::string& ort) {
  if (s.PLZ != plz) return false;
  const std::string p = s.Ort.text();
  return Leer(p) || TexteGleich(ort, p);
}

}  // namespace

TStrassenRecord ZeileZuStrasse(const StrassenZeile& z) {
  TStrassenRecord s{};
  s.Ort.setzen(z.ort);
  s.PLZ = z.plz.empty() ? 0 : TextZuZahl(z.plz);
  s.Strasse.setzen(z.strasse);
  s.AbNr.setzen(z.abNr);
  s.BisNr.setzen(z.bisNr);
  s.HausNrKz = !z.abNr.empty() || !z.bisNr.empty() ? '1' : '0';
  return s;
}

StrassenListe StrassenListeFuellen(Datenbestand& db, std::int32_t satz, bool aktualisieren, char land, Fortschritt& f,
                                   Rueckfragen& r) {
  StrassenListe l;
  TPLZRecord& rec = db.PLZTabelle[static_cast<std::size_t>(satz)];
  const std::string ort = rec.Ort.text();
  const std::string plzText = PLZText(rec.PLZ, land);
  // Only streets of the record's code can belong to it; the index keeps the file order.
  const StrassenBereich bereich = db.StrassenNachPLZ(rec.PLZ);
  f.beginnen(static_cast<std::int64_t>(bereich.size()));
  std::int64_t i = 0;
  for (const std::int32_t s : bereich) {
    if (i % kSchritt == 0) {
      f.position(i);
      f.status(0, "n = " + std::to_string(i));
      if (f.abbrechen()) {
        l.abgebrochen = true;
        break;
      }
    }
    ++i;
    const TStrassenRecord& st = db.StrassenTabelle[static_cast<std::size_t>(s)];
    if (!GehoertZu(st, rec.PLZ, ort)) continue;
    const std::string p = st.Ort.text();
    l.zeilen.push_back({Leer(p) ? ort : p, PLZText(st.PLZ, land), st.Strasse.text(), st.AbNr.text(), st.BisNr.text()});
    l.positionen.push_back(db.StrassenPosition[static_cast<std::size_t>(s)]);
  }
  f.beenden();
  if (l.abgebrochen) return l;
  if (aktualisieren) {
    // The stored count is that of the streets that belong to the record, which may be fewer
    // than the list (a blank place of a code with several records is the first record's).
    const StrassenZuordnung zuordnung(db.PLZTabelle, db.PLZAnzahl, rec.PLZ);
    std::int32_t anzahl = 0, erste = 0;
    for (const std::int32_t s : bereich) {
      if (zuordnung.besitzer(db.StrassenTabelle[static_cast<std::size_t>(s)]) != satz) continue;
      if (anzahl++ == 0) erste = db.StrassenPosition[static_cast<std::size_t>(s)];
    }
    if (rec.Strassen != anzahl || rec.AbBisNr != erste) {
      rec.Strassen = anzahl;
      rec.AbBisNr = erste;
      // Loading again replaces the table: nothing of REC is used after that.
      db.PLZSpeichern(r);
      db.PLZLaden(r);
      l.zahlenGespeichert = true;
    }
  }
  if (l.zeilen.empty()) l.zeilen.push_back({ort, plzText, "", "", ""});
  return l;
}

namespace {

struct Abgebrochen {};

// The recount after a save finishes what the save began: its progress shows, Escape does not
// stop it halfway.
class OhneAbbruch : public Fortschritt {
 public:
  explicit OhneAbbruch(Fortschritt& f) : f_(f) {}
  void beginnen(std::int64_t m) override { f_.beginnen(m); }
  void position(std::int64_t w) override { f_.position(w); }
  void beenden() override { f_.beenden(); }
  void status(int panel, const std::string& text) override { f_.status(panel, text); }

 private:
  Fortschritt& f_;
};

}  // namespace

ListenSpeicherung StrassenListeSpeichern(Datenbestand& db, std::int32_t satz, const std::vector<StrassenZeile>& zeilen,
                                         const std::string& ordnerText, Fortschritt& f, Rueckfragen& r) {
  ListenSpeicherung e;
  if (!r.frage("\xC3\x84nderung in Tempor\xC3\xA4re Datei speichern?")) return e;
  e.angenommen = true;
  // Both files are read and rewritten here: nobody else writes them until they are in place.
  const SchreibSperren sperren({db.PLZDateiName(), db.StrassenDateiName()});
  if (db.PLZDateiVeraendert() || db.StrassenDateiVeraendert()) {
    // Another program wrote them since they were loaded: the list no longer fits the file.
    const std::string datei = db.StrassenDateiVeraendert() ? db.strassenDatei() : db.plzDatei();
    if (r.frage(Datenbestand::VeraendertText(datei) + "\rNeu laden? Ihre \xC3\x84nderungen gehen dabei verloren.")) {
      db.PLZLaden(r);
      db.StrassenLaden(f, r);
      e.neuGeladen = true;
    }
    return e;
  }
  const TPLZRecord& rec = db.PLZTabelle[static_cast<std::size_t>(satz)];
  const std::string ort = rec.Ort.text();
  std::vector<TStrassenRecord> neu;
  for (const StrassenZeile& z : zeilen) {
    if (!Leer(z.strasse)) neu.push_back(ZeileZuStrasse(z));
  }
  // Exactly the entries the fill lists are replaced: file position and table index of each.
  std::vector<std::pair<std::int32_t, std::int32_t>> weg;
  for (const std::int32_t s : db.StrassenNachPLZ(rec.PLZ)) {
    if (GehoertZu(db.StrassenTabelle[static_cast<std::size_t>(s)], rec.PLZ, ort)) {
      weg.emplace_back(db.StrassenPosition[static_cast<std::size_t>(s)], s);
    }
  }
  const std::int32_t erste = weg.empty() ? 0 : weg.front().first;
  const std::string datei = db.StrassenDateiName();
  if (!r.frage("Strassen-Datenbank " + ordnerText + "/" + DateiNameTeil(datei) + " speichern?")) return e;
  f.status(1, "Strassen-Datenbank");
  f.status(2, "Mit ESC-Taste abbrechen");
  const std::int64_t groesse = DateiVorhanden(datei) ? DateiGroesse(datei) : 0;
  f.beginnen(groesse / static_cast<std::int64_t>(sizeof(TStrassenRecord)));
  // Written as a whole beside the file and renamed over it: a crash leaves the old list or the
  // new. Every entry not replaced is copied from the file as it is, invalid ones included.
  try {
    AtomarSchreiben(datei, [&](Schreiber& w) {
      std::int32_t p = 0;
      std::size_t j = 0;
      auto zeilenSchreiben = [&] {
        for (const TStrassenRecord& s : neu) w.schreiben(&s, sizeof s);
      };
      if (groesse > 0) {
        RecordsBlockweise(datei, sizeof(TStrassenRecord), 4096, [&](const char* d, std::size_t n) {
          for (std::size_t k = 0; k < n; ++k) {
            const char* satzDaten = d + k * sizeof(TStrassenRecord);
            ++p;
            if (p % kSchritt == 0) {
              f.position(p);
              f.status(0, "n = " + std::to_string(p));
              if (f.abbrechen()) throw Abgebrochen{};
            }
            if (p == erste) zeilenSchreiben();
            if (j < weg.size() && weg[j].first == p) {
              // The entry must still be the one that was listed, or another program wrote the file.
              if (std::memcmp(satzDaten, &db.StrassenTabelle[static_cast<std::size_t>(weg[j].second)], sizeof(TStrassenRecord)) != 0) {
                throw DateiFehler(Datenbestand::VeraendertText(datei));
              }
              ++j;
              continue;
            }
            w.schreiben(satzDaten, sizeof(TStrassenRecord));
          }
        });
      }
      if (j != weg.size()) throw DateiFehler(Datenbestand::VeraendertText(datei));
      if (erste == 0) zeilenSchreiben();
    });
  } catch (const Abgebrochen&) {
    f.beenden();
    e.abgebrochen = true;
    return e;
  }
  f.beenden();
  e.gespeichert = true;
  e.strassen = static_cast<std::int32_t>(neu.size());
  e.entfernt = static_cast<std::int32_t>(weg.size());
  ArbeitLaeuft = true;
  struct Ende {
    ~Ende() { ArbeitLaeuft = false; }
  } ende;
  // Invalid entries the user chose to keep are still there: no second question about them.
  db.StrassenLaden(f, r, false);
  // Entries moved: every record's count and first position are made true again.
  OhneAbbruch ohne(f);
  StrassenNeuZaehlen(db, ohne);
  e.plzAusgelassen = db.PLZSpeichern(r);
  return e;
}

std::int32_t SprungZiel(const Datenbestand& db, std::string_view text, char land) {
  if (text.empty()) return 0;
  const bool buchstaben = (text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z');
  auto klein = [](std::string s) {
    for (char& c : s) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
  };
  const std::string gesucht = klein(std::string(text));
  for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) {
    const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
    if (buchstaben ? klein(r.Ort.text()).find(gesucht) != std::string::npos : PLZText(r.PLZ, land).rfind(gesucht, 0) == 0) return k;
  }
  return 0;
}

void ZeilenSortieren(std::vector<StrassenZeile>& zeilen, int spalte, bool absteigend) {
  auto zelle = [spalte](const StrassenZeile& z) -> const std::string& {
    switch (spalte) {
      case 1: return z.ort;
      case 2: return z.plz;
      case 3: return z.strasse;
      case 4: return z.abNr;
      default: return z.bisNr;
    }
  };
  std::stable_sort(zeilen.begin(), zeilen.end(), [&](const StrassenZeile& a, const StrassenZeile& b) {
    const std::string x = SortierName(zelle(a)), y = SortierName(zelle(b));
    return absteigend ? y < x : x < y;
  });
}

}  // namespace orvano
