// The duplicate checks of a whole database: which entries the pair loop of the check lists,
// and the rewrite without them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Datenbestand.h"
#include "core/Fortschritt.h"

namespace orvano {

struct PruefErgebnis {
  // 1-based table positions, ascending: of k equal entries from the start on, the first k - 1.
  std::vector<std::int32_t> positionen;
  bool abgebrochen = false;
};

// Postal codes: equal VergleichsText(Ort), PLZ and VergleichsText(Ortsteil).
PruefErgebnis PLZDoppelte(const Datenbestand& db, std::int32_t start, Fortschritt& f);
// Streets: equal PLZ, VergleichsText(Strasse), and AbNr and BisNr byte for byte; Ort not compared.
PruefErgebnis StrassenDoppelte(const Datenbestand& db, std::int32_t start, Fortschritt& f);

// The 18 cells of a row of the check's table for postal-code record K or street K.
std::vector<std::string> PLZPruefZeile(const TPLZRecord& r, std::int32_t k);
std::vector<std::string> StrassenPruefZeile(const TStrassenRecord& s, std::int32_t k, char land = 0);

// "n Doppelte Einträge gefunden" / "Keine Doppelte Einträge gefunden" (UTF-8).
std::string PruefMeldung(std::size_t anzahl);

// Rewrites the file the table came from without the entries at POSITIONEN (crash-safe), and
// loads the table again. Postal codes: every record of the table but those; streets: the
// loaded streets but those.
void PLZDoppelteLoeschen(Datenbestand& db, const std::vector<std::int32_t>& positionen, Fortschritt& f, Rueckfragen& r);
void StrassenDoppelteLoeschen(Datenbestand& db, const std::vector<std::int32_t>& positionen, Fortschritt& f, Rueckfragen& r);

}  // namespace orvano
