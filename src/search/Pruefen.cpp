#include "Pruefen.h"

#include "core/Dateien.h"

#include <algorithm>
#include <functional>

#include "core/RecordDatei.h"
#include "core/SicherungsAblage.h"
#include "core/StrassenZuordnung.h"
#include "core/Texte.h"
#include "Suchen.h"

namespace orvano {

namespace {

// Entries S..N whose key came again later in S..N, ascending: grouped by the hash of the key,
// and within a hash by the key itself, so that two keys never count as equal by their hash.
template <class Schluessel>
PruefErgebnis Doppelte(std::int32_t start, std::int32_t n, Fortschritt& f, Schluessel schluessel) {
  PruefErgebnis e;
  start = std::max(start, 1);
  f.beginnen(n);
  f.position(start);
  f.status(0, " n = " + std::to_string(start));
  struct Eintrag {
    std::size_t hash;
    std::int32_t pos;
  };
  std::vector<Eintrag> eintraege;
  eintraege.reserve(static_cast<std::size_t>(std::max(0, n - start + 1)));
  // Escape ends the looking at entries; those looked at are still compared with all later ones.
  std::int32_t letzte = n;
  for (std::int32_t b = start; b <= n; ++b) {
    eintraege.push_back({std::hash<std::string>{}(schluessel(b)), b});
    if (b % 1000 == 0 && !e.abgebrochen) {
      f.position(b);
      f.status(0, " n = " + std::to_string(b));
      if (f.abbrechen()) {
        e.abgebrochen = true;
        letzte = b;
      }
    }
  }
  std::sort(eintraege.begin(), eintraege.end(),
            [](const Eintrag& a, const Eintrag& b) { return a.hash != b.hash ? a.hash < b.hash : a.pos < b.pos; });
  std::vector<std::pair<std::string, std::int32_t>> gruppe;
  for (std::size_t i = 0; i < eintraege.size();) {
    std::size_t j = i + 1;
    while (j < eintraege.size() && eintraege[j].hash == eintraege[i].hash) ++j;
    if (j - i > 1) {
      gruppe.clear();
      for (std::size_t k = i; k < j; ++k) gruppe.emplace_back(schluessel(eintraege[k].pos), eintraege[k].pos);
      std::stable_sort(gruppe.begin(), gruppe.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
      for (std::size_t k = 0; k + 1 < gruppe.size(); ++k) {
        if (gruppe[k].first == gruppe[k + 1].first && gruppe[k].second <= letzte) e.positionen.push_back(gruppe[k].second);
      }
    }
    i = j;
  }
  std::sort(e.positionen.begin(), e.positionen.end());
  f.beenden();
  return e;
}

std::string Zahl32(std::int32_t z) { return std::string(reinterpret_cast<const char*>(&z), sizeof z); }

std::string Zaehltext(const std::string& t) { return static_cast<char>(t.size()) + t; }

}  // namespace

PruefErgebnis PLZDoppelte(const Datenbestand& db, std::int32_t start, Fortschritt& f) {
  return Doppelte(start, db.PLZAnzahl, f, [&](std::int32_t b) {
    const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(b)];
    return Zahl32(r.PLZ) + Zaehltext(VergleichsText(r.Ort.text())) + VergleichsText(r.Ortsteil.text());
  });
}

PruefErgebnis StrassenDoppelte(const Datenbestand& db, std::int32_t start, Fortschritt& f) {
  return Doppelte(start, db.StrassenZahl, f, [&](std::int32_t a) {
    const TStrassenRecord& s = db.StrassenTabelle[static_cast<std::size_t>(a)];
    return Zahl32(s.PLZ) + Zaehltext(s.AbNr.text()) + Zaehltext(s.BisNr.text()) + VergleichsText(s.Strasse.text());
  });
}

// The search window's rows without its mark column; the check shows no house-number code.
std::vector<std::string> PLZPruefZeile(const TPLZRecord& r, std::int32_t k) {
  std::vector<std::string> z = PLZSuchZeile(r, k);
  z.resize(18);
  return z;
}

std::vector<std::string> StrassenPruefZeile(const TStrassenRecord& s, std::int32_t k, char land) {
  std::vector<std::string> z = StrassenSuchZeile(s, k, land);
  z.resize(18);
  z[2].clear();
  return z;
}

std::string PruefMeldung(std::size_t anzahl) {
  return anzahl == 0 ? "Keine Doppelte Eintr\xC3\xA4ge gefunden" : std::to_string(anzahl) + " Doppelte Eintr\xC3\xA4ge gefunden";
}

namespace {

template <class Record>
void OhneSchreiben(const std::string& datei, const RecordFeld<Record>& tabelle, std::int32_t n,
                   const std::vector<std::int32_t>& positionen, Fortschritt& f) {
  std::vector<char> weg(static_cast<std::size_t>(n) + 1, 0);
  for (const std::int32_t p : positionen) {
    if (p >= 1 && p <= n) weg[static_cast<std::size_t>(p)] = 1;
  }
  f.beginnen(n);
  AtomarSchreiben(datei, [&](Schreiber& s) {
    for (std::int32_t k = 1; k <= n; ++k) {
      const Record& r = tabelle[static_cast<std::size_t>(k)];
      if (!weg[static_cast<std::size_t>(k)]) s.schreiben(&r, sizeof r);
      if (k % 1000 == 0) f.position(k);
    }
  });
  f.beenden();
}

}  // namespace

void PLZDoppelteLoeschen(Datenbestand& db, const std::vector<std::int32_t>& positionen, Fortschritt& f, Rueckfragen& r) {
  // The positions are the loaded table's: held from the check to the replace, and refused when
  // another program wrote the file since.
  const SchreibSperre sperre(db.plzDatei());
  db.MussUnveraendertSein(true);
  OhneSchreiben(db.plzDatei(), db.PLZTabelle, db.PLZAnzahl, positionen, f);
  db.PLZLaden(r);
}

void StrassenDoppelteLoeschen(Datenbestand& db, const std::vector<std::int32_t>& positionen, Fortschritt& f, Rueckfragen& r) {
  const std::string plzDatei = db.PLZDateiName();
  const SchreibSperren sperren({db.strassenDatei(), plzDatei});
  db.MussUnveraendertSein(false);
  if (plzDatei.empty() || !DateiVorhanden(plzDatei) || db.PLZDateiVeraendert()) {
    OhneSchreiben(db.strassenDatei(), db.StrassenTabelle, db.StrassenZahl, positionen, f);
    db.StrassenLaden(KeinFortschritt(), r);
    return;
  }
  // The streets move up: the counts and first positions of the postal codes are made true for
  // the new file and written with it as one step, so that a kill never leaves them apart.
  std::vector<char> weg(static_cast<std::size_t>(db.StrassenZahl) + 1, 0);
  for (const std::int32_t p : positionen) {
    if (p >= 1 && p <= db.StrassenZahl) weg[static_cast<std::size_t>(p)] = 1;
  }
  // The postal codes as the file holds them: edits of the window not saved yet stay its own.
  RecordFeld<TPLZRecord> plz = TabelleLesen<TPLZRecord>(plzDatei);
  const auto plzAnzahl = static_cast<std::int32_t>(plz.size()) - 1;
  for (std::int32_t k = 1; k <= plzAnzahl; ++k) {
    plz[static_cast<std::size_t>(k)].Strassen = 0;
    plz[static_cast<std::size_t>(k)].AbBisNr = kKeineStrassen;
  }
  const StrassenZuordnung zuordnung(plz, plzAnzahl);
  std::int32_t position = 0;
  for (std::int32_t i = 1; i <= db.StrassenZahl; ++i) {
    if (weg[static_cast<std::size_t>(i)]) continue;
    zuordnung.zaehlen(plz, db.StrassenTabelle[static_cast<std::size_t>(i)], ++position);
  }
  f.beginnen(db.StrassenZahl);
  SichernUndBeideErsetzen(
      {db.strassenDatei(), "",
       [&](Schreiber& s) {
         for (std::int32_t k = 1; k <= db.StrassenZahl; ++k) {
           if (!weg[static_cast<std::size_t>(k)]) s.schreiben(&db.StrassenTabelle[static_cast<std::size_t>(k)], sizeof(TStrassenRecord));
           if (k % 1000 == 0) f.position(k);
         }
       }},
      {plzDatei, "",
       [&](Schreiber& s) {
         for (std::int32_t k = 1; k <= plzAnzahl; ++k) s.schreiben(&plz[static_cast<std::size_t>(k)], sizeof(TPLZRecord));
       }},
      {});
  f.beenden();
  // A store that holds the postal codes loads them again, unless it holds edits of its own.
  if (!db.plzDatei().empty()) {
    if (!db.Geaendert) {
      db.PLZLaden(r);
    } else {
      db.SelbstGeschrieben(true);
    }
  }
  db.StrassenLaden(KeinFortschritt(), r);
}

}  // namespace orvano
