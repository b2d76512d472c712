#include "StrassenZaehlen.h"

#include <string>
#include <vector>

#include "core/Records.h"
#include "core/StrassenZuordnung.h"

namespace orvano {

namespace {

std::string Nr(std::int64_t n) { return std::to_string(n); }

}  // namespace

ZaehlErgebnis StrassenNeuZaehlen(Datenbestand& db, Fortschritt& f) {
  ZaehlErgebnis e;
  const auto n = static_cast<std::size_t>(db.PLZAnzahl);
  std::vector<std::pair<std::int32_t, std::int32_t>> vorher(n + 1);
  for (std::size_t k = 1; k <= n; ++k) {
    TPLZRecord& satz = db.PLZTabelle[k];
    vorher[k] = {satz.AbBisNr, satz.Strassen};
    satz.AbBisNr = kKeineStrassen;
    satz.Strassen = 0;
  }
  const StrassenZuordnung zuordnung(db.PLZTabelle, db.PLZAnzahl);
  f.beginnen(db.StrassenZahl);
  for (std::int32_t c = 1; c <= db.StrassenZahl; ++c) {
    // The file position, so that skipped invalid entries shift nothing.
    zuordnung.zaehlen(db.PLZTabelle, db.StrassenTabelle[static_cast<std::size_t>(c)], db.StrassenPosition[static_cast<std::size_t>(c)]);
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
