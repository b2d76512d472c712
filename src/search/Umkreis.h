// The radius search: every postal-code record within some kilometres of a centre.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Datenbestand.h"

namespace orvano {

// Great-circle distance on a sphere of radius 6371.0 km (haversine), degrees in.
double EntfernungKm(double breite1, double laenge1, double breite2, double laenge2);

struct UmkreisTreffer {
  std::int32_t position = 0;  // 1-based position in the postal-code table (= file position)
  double km = 0;
};

// Every record of DB with coordinates (0,0 counts as none) at most KM from the centre, nearest
// first, equal distances in file order.
std::vector<UmkreisTreffer> Umkreis(const Datenbestand& db, double breite, double laenge, double km);

// The first record in file order with postal code PLZ (and place ORT by TexteGleich, when ORT is
// not empty) that has coordinates.
std::optional<std::int32_t> UmkreisMitte(const Datenbestand& db, std::int32_t plz, const std::string& ort);

// "504,2": one decimal, a decimal comma.
std::string KmText(double km);

}  // namespace orvano
