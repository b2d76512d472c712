// Streets and postal-code coordinates from an OpenStreetMap extract (.osm.pbf, .osm, .osm.bz2).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Datenbestand.h"
#include "core/Fortschritt.h"

namespace orvano {

struct OsmOptionen {
  bool schreiben = false;    // without it the files are read and counted, nothing is written
  bool nurStrassen = false;  // no new postal-code records for pairs the folder lacks
  bool anhaengen = false;    // append the streets instead of replacing the street file
  // Replace even when the new street file holds less than half the streets of the old one
  // (otherwise that is asked, and without Yes nothing is written).
  bool wenigerErlaubt = false;
  std::string datum;         // of the backups, "yyyy-mm-dd"
};

struct OsmErgebnis {
  std::int64_t adressen = 0;  // objects with addr:postcode
  std::int64_t ohneOrt = 0;
  std::int64_t ohneStrasse = 0;
  std::int64_t falschePLZ = 0;
  std::int64_t anderesLand = 0;
  std::int64_t gekuerzt = 0;  // texts cut to their field
  std::int64_t listen = 0;    // values with ";" (a list): only the first value was taken
  std::int64_t strassen = 0;  // street records made
  std::int32_t gefuellt = 0;  // postal-code records that got coordinates
  std::int32_t neu = 0;       // postal-code records added
  bool abgebrochen = false;
  bool geschrieben = false;
  // The new street file would have held less than half the old one's streets and the replace
  // was not confirmed: nothing was written. The question's text says both counts (UTF-8).
  bool zuWenige = false;
  std::string zuWenigeText;
  std::vector<std::string> sicherungen;
};

// One pass over the addresses, a second over the nodes only when address ways need the
// location of their first node. The street file comes out grouped by postal code, each
// code's places together and each record's block in the street sort's order; the
// postal-code file gets coordinates where it had none, new records unless nurStrassen, and
// true street counts. Both files are locked for the whole run, backed up ("_OS") and
// replaced (the streets appended with anhaengen); DB is loaded again afterwards. Progress by
// bytes read; a cancel writes nothing. Throws DateiFehler.
OsmErgebnis OsmImportieren(Datenbestand& db, const std::string& datei, const OsmOptionen& o, Fortschritt& f, Rueckfragen& r);

// The counts as German lines (UTF-8) for the summary box and the command line.
std::vector<std::string> OsmZusammenfassung(const OsmErgebnis& e);

// Calls TEIL for each part of an addr:housenumber: split at ";", "," and "-", trimmed, empty
// parts left out.
void HausnummerTeile(std::string_view nummer, const std::function<void(std::string_view)>& teil);
// (The number of a part is HausnummerZahl of core/Texte.h.)

}  // namespace orvano
