#include "StrassenListe.h"

#include <algorithm>

#include "Optimierung.h"

#include "StrassenZaehlen.h"
#include "core/Dateien.h"
#include "core/RecordDatei.h"
#include "core/Records.h"
#include "core/Texte.h"

namespace orvano {

namespace {

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

StrassenListe StrassenListeFuellen(Datenbestand& db, std::int32_t satz, bool aktualisieren, char land, Rueckfragen& r) {
  StrassenListe l;
  TPLZRecord& rec = db.PLZTabelle[static_cast<std::size_t>(satz)];
  const std::string ort = rec.Ort.text();
  const std::int32_t erwartet = aktualisieren ? kKeineStrassen : static_cast<std::int32_t>(rec.Strassen);
  std::int32_t start = rec.AbBisNr;
  if (aktualisieren || start < 1 || start > kKeineStrassen - 1) start = 1;
  std::int32_t erste = 0;
  // Only streets of the record's code can belong to it; the index keeps the file order, and the
  // stored first position is a file position, so skipped invalid entries shift nothing.
  for (const std::int32_t s : db.StrassenNachPLZ(rec.PLZ)) {
    if (static_cast<std::int32_t>(l.zeilen.size()) >= erwartet) break;
    const std::int32_t position = db.StrassenPosition[static_cast<std::size_t>(s)];
    if (position < start) continue;
    const TStrassenRecord& st = db.StrassenTabelle[static_cast<std::size_t>(s)];
    std::string p = st.Ort.text();
    if (Leer(p)) p = ort;
    if (!TexteGleich(ort, p)) continue;
    if (erste == 0) erste = position;
    l.zeilen.push_back({p, PLZText(st.PLZ, land), st.Strasse.text(), st.AbNr.text(), st.BisNr.text()});
  }
  // Loading again replaces the table: nothing of REC is used after that.
  const std::string plzText = PLZText(rec.PLZ, land);
  if (static_cast<std::int32_t>(l.zeilen.size()) != erwartet) {
    rec.Strassen = static_cast<std::int32_t>(l.zeilen.size());
    rec.AbBisNr = erste;
    db.PLZSpeichern();
    db.PLZLaden(r);
    l.zahlenGespeichert = true;
  }
  if (l.zeilen.empty()) l.zeilen.push_back({ort, plzText, "", "", ""});
  return l;
}

ListenSpeicherung StrassenListeSpeichern(Datenbestand& db, std::int32_t satz, const std::vector<StrassenZeile>& zeilen,
                                         const std::string& ordnerText, bool neuZaehlen, Fortschritt& f, Rueckfragen& r) {
  ListenSpeicherung e;
  if (!r.frage("\xC3\x84nderung in Tempor\xC3\xA4re Datei speichern?")) return e;
  e.angenommen = true;
  TPLZRecord& rec = db.PLZTabelle[static_cast<std::size_t>(satz)];
  const std::string ort = rec.Ort.text();
  std::vector<TStrassenRecord> neu;
  for (const StrassenZeile& z : zeilen) {
    if (!Leer(z.strasse)) neu.push_back(ZeileZuStrasse(z));
  }
  // The code of the first row decides which entries the rows replace.
  const std::int32_t plz0 = zeilen.empty() || zeilen.front().plz.empty() ? 0 : TextZuZahl(zeilen.front().plz);
  std::int32_t erste = 0;
  for (const std::int32_t s : db.StrassenNachPLZ(plz0)) {
    if (GehoertZu(db.StrassenTabelle[static_cast<std::size_t>(s)], plz0, ort)) {
      erste = s;
      break;
    }
  }
  const std::string datei = db.StrassenDateiName();
  if (!r.frage("Strassen-Datenbank " + ordnerText + "/" + DateiNameTeil(datei) + " speichern?")) return e;
  f.status(1, "Strassen-Datenbank");
  f.status(2, "Mit ESC-Taste abbrechen");
  std::int32_t abBisNr = kKeineStrassen;
  // Written as a whole beside the file and renamed over it: a crash leaves the old list or the new.
  AtomarSchreiben(datei, [&](Schreiber& w) {
    std::int32_t position = 0;
    auto zeilenSchreiben = [&] {
      if (!neu.empty()) abBisNr = position + 1;
      for (const TStrassenRecord& s : neu) w.schreiben(&s, sizeof s);
      position += static_cast<std::int32_t>(neu.size());
    };
    for (std::int32_t s = 1; s <= db.StrassenZahl; ++s) {
      const TStrassenRecord& st = db.StrassenTabelle[static_cast<std::size_t>(s)];
      if (s == erste) zeilenSchreiben();
      if (erste != 0 && s >= erste && GehoertZu(st, plz0, ort)) continue;
      w.schreiben(&st, sizeof st);
      ++position;
    }
    if (erste == 0) zeilenSchreiben();
  });
  e.gespeichert = true;
  e.strassen = static_cast<std::int32_t>(neu.size());
  rec.Strassen = e.strassen;
  rec.AbBisNr = abBisNr;
  ArbeitLaeuft = true;
  struct Ende {
    ~Ende() { ArbeitLaeuft = false; }
  } ende;
  db.PLZSpeichern();
  db.StrassenLaden(f, r);
  if (neuZaehlen) {
    db.PLZLaden(r);
    StrassenZaehlen(db, f, r);
  }
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
