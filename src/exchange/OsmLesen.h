// Reading the addresses of an OpenStreetMap extract into streets and (postal code, place) pairs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Fortschritt.h"
#include "exchange/OsmImport.h"

namespace orvano {

// One (postal code, place) pair of the extract, its place as the first address wrote it.
struct OsmPaar {
  std::int32_t plz = 0;
  std::string ort;                  // Windows-1252, cut to the field
  std::vector<std::int32_t> breite;  // 1e-7 degrees, one per address with a location
  std::vector<std::int32_t> laenge;
};

// One distinct (pair, street) with the house-number range of all its addresses.
struct OsmStrasse {
  std::int32_t paar = 0;
  std::string name;  // Windows-1252, cut to the field
  std::string ab, bis;
  std::int64_t abZahl = -1, bisZahl = -1;
};

struct OsmDaten {
  std::vector<OsmPaar> paare;
  std::vector<OsmStrasse> strassen;  // in the order first seen
};

// libosmium's name of the format of DATEI by its ending in any case (".osm.pbf"/".pbf" "pbf",
// ".osm", ".osm.bz2", ".osm.gz"), empty for another ending.
std::string OsmFormat(const std::string& datei);
// Throws DateiFehler "… ist keine OpenStreetMap-Datei (.osm, .osm.pbf, .osm.bz2, .osm.gz)" (with
// libosmium's reason behind it) unless DATEI is an extract the import can open.
void OsmDateiPruefen(const std::string& datei);

// Reads the addresses of DATEI for the country with the ISO code LAND ("DE", "AT", "CH"),
// counting skipped ones in E. Returns false when cancelled. Throws DateiFehler.
bool OsmAdressenLesen(const std::string& datei, const std::string& land, OsmDaten& daten, OsmErgebnis& e, Fortschritt& f);

}  // namespace orvano
