#include "StrassenZaehlen.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/Records.h"
#include "core/Texte.h"

namespace orvano {

namespace {

// An empty text contains nothing and is contained in nothing.
bool EinerEnthaeltDenAnderen(std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return false;
  return a.size() >= b.size() ? a.find(b) != std::string_view::npos : b.find(a) != std::string_view::npos;
}

std::string Nr(std::int64_t n) { return std::to_string(n); }

}  // namespace

ZaehlErgebnis StrassenNeuZaehlen(Datenbestand& db, Fortschritt& f) {
  ZaehlErgebnis e;
  const auto n = static_cast<std::size_t>(db.PLZAnzahl);
  std::vector<std::pair<std::int32_t, std::int32_t>> vorher(n + 1);
  // Only records of a street's own code can count it: group them by code, in table order.
  std::unordered_map<std::int32_t, std::vector<std::int32_t>> nachPLZ;
  std::vector<std::string> orte(n + 1);
  for (std::size_t k = 1; k <= n; ++k) {
    TPLZRecord& satz = db.PLZTabelle[k];
    vorher[k] = {satz.AbBisNr, satz.Strassen};
    satz.AbBisNr = kKeineStrassen;
    satz.Strassen = 0;
    orte[k] = VergleichsText(satz.Ort.text());
    nachPLZ[satz.PLZ].push_back(static_cast<std::int32_t>(k));
  }
  f.beginnen(db.StrassenZahl);
  // Streets of one place follow each other: their comparison text is made once.
  std::string letzterOrt, letzterText;
  bool erster = true;
  for (std::int32_t c = 1; c <= db.StrassenZahl; ++c) {
    const TStrassenRecord& s = db.StrassenTabelle[static_cast<std::size_t>(c)];
    const auto gruppe = nachPLZ.find(s.PLZ);
    if (gruppe != nachPLZ.end()) {
      const std::string ort = s.Ort.text();
      if (erster || ort != letzterOrt) {
        letzterText = VergleichsText(ort);
        letzterOrt = ort;
        erster = false;
      }
      // The file position, so that skipped invalid entries shift nothing.
      const std::int32_t position = db.StrassenPosition[static_cast<std::size_t>(c)];
      for (const std::int32_t k : gruppe->second) {
        if (!EinerEnthaeltDenAnderen(orte[static_cast<std::size_t>(k)], letzterText)) continue;
        TPLZRecord& satz = db.PLZTabelle[static_cast<std::size_t>(k)];
        if (position < satz.AbBisNr) satz.AbBisNr = position;
        satz.Strassen = satz.Strassen + 1;
      }
    }
    if (c % 5000 == 0) {
      f.position(c);
      f.status(0, "Nr = " + Nr(c) + " von " + Nr(db.StrassenZahl));
      if (f.abbrechen()) {
        e.abgebrochen = true;
        break;
      }
    }
  }
  f.beenden();
  for (std::size_t k = 1; k <= n; ++k) {
    const TPLZRecord& satz = db.PLZTabelle[k];
    if (vorher[k] != std::pair<std::int32_t, std::int32_t>{satz.AbBisNr, satz.Strassen}) ++e.geaendert;
  }
  return e;
}

ZaehlErgebnis StrassenZaehlen(Datenbestand& db, Fortschritt& f, Rueckfragen& r) {
  f.status(1, "Mit ESC-Taste abbrechen");
  f.status(2, "Datenbank Optimierung");
  const ZaehlErgebnis e = StrassenNeuZaehlen(db, f);
  f.status(2, "Datenbank Optimierung");
  if (e.abgebrochen) {
    db.PLZLaden(r);
  } else {
    db.PLZSpeichern(r);
  }
  return e;
}

}  // namespace orvano
