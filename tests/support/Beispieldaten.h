// A small postal-code and street table for export tests.
#pragma once

#include <vector>

#include "core/Datenbestand.h"
#include "support/Datenordner.h"

namespace orvano::test {

inline std::vector<TPLZRecord> BeispielPLZ() {
  TPLZRecord dresden = PLZSatz("Dresden", 1067);
  dresden.Bundesland.setzen("Sachsen");
  dresden.Breitengrad = 51.05089;
  dresden.Laengengrad = 13.73832;
  dresden.Autokennzeichen.setzen("DD");
  dresden.Vorwahl = 351;
  dresden.Strassen = 2;
  TPLZRecord wien = PLZSatz("Wien", 1010, "AT");
  wien.Breitengrad = 48.2;
  wien.Laengengrad = 16.37;
  wien.Vorwahl = 1;
  TPLZRecord ohne = PLZSatz("Ohne;Nummer", 0);
  ohne.Landkreis.setzen("Landkreis G\xF6rlitz");
  TPLZRecord leer = PLZSatz("Leerstadt", 99998);
  leer.Strassen = 3;  // counted, but no street has this code
  return {dresden, wien, ohne, leer};
}

inline std::vector<TStrassenRecord> BeispielStrassen() {
  TStrassenRecord prager = StrassenSatz(1067, "Prager Stra\xDF" "e", "Dresden");
  prager.HausNrKz = '1';
  prager.AbNr.setzen("1");
  prager.BisNr.setzen("9a");
  TStrassenRecord altmarkt = StrassenSatz(1067, "Altmarkt", "Dresden");
  altmarkt.HausNrKz = '1';
  altmarkt.BisNr.setzen("20");
  return {prager, StrassenSatz(1010, "Graben", "Wien"), altmarkt};
}

// Puts the two tables into DB as the loaders would.
inline void BeispielLaden(Datenbestand& db) {
  const auto plz = BeispielPLZ();
  db.PLZTabelle = RecordFeld<TPLZRecord>(plz.size() + 1);
  db.PLZTabelle[0] = TPLZRecord{};
  for (std::size_t i = 0; i < plz.size(); ++i) db.PLZTabelle[i + 1] = plz[i];
  db.PLZAnzahl = static_cast<std::int32_t>(plz.size());
  const auto str = BeispielStrassen();
  db.StrassenTabelle = RecordFeld<TStrassenRecord>(str.size() + 1);
  db.StrassenTabelle[0] = TStrassenRecord{};
  for (std::size_t i = 0; i < str.size(); ++i) db.StrassenTabelle[i + 1] = str[i];
  db.StrassenZahl = static_cast<std::int32_t>(str.size());
  db.StrassenIndexAufbauen();
}

}  // namespace orvano::test
