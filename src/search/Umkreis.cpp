#include "Umkreis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/Texte.h"

namespace orvano {

namespace {
constexpr double kErdradiusKm = 6371.0;
constexpr double kGrad = 3.14159265358979323846 / 180.0;

bool HatKoordinaten(const TPLZRecord& r) {
  return static_cast<double>(r.Breitengrad) != 0.0 || static_cast<double>(r.Laengengrad) != 0.0;
}
}  // namespace

double EntfernungKm(double breite1, double laenge1, double breite2, double laenge2) {
  const double dB = (breite2 - breite1) * kGrad, dL = (laenge2 - laenge1) * kGrad;
  const double a = std::sin(dB / 2) * std::sin(dB / 2) +
                   std::cos(breite1 * kGrad) * std::cos(breite2 * kGrad) * std::sin(dL / 2) * std::sin(dL / 2);
  return 2 * kErdradiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

std::vector<UmkreisTreffer> Umkreis(const Datenbestand& db, double breite, double laenge, double km) {
  std::vector<UmkreisTreffer> treffer;
  for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) {
    const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
    if (!HatKoordinaten(r)) continue;
    const double d = EntfernungKm(breite, laenge, r.Breitengrad, r.Laengengrad);
    if (d <= km) treffer.push_back({k, d});
  }
  std::stable_sort(treffer.begin(), treffer.end(), [](const UmkreisTreffer& a, const UmkreisTreffer& b) { return a.km < b.km; });
  return treffer;
}

std::optional<std::int32_t> UmkreisMitte(const Datenbestand& db, std::int32_t plz, const std::string& ort) {
  for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) {
    const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
    if (r.PLZ != plz || !HatKoordinaten(r)) continue;
    if (!ort.empty() && !TexteGleich(r.Ort.text(), ort)) continue;
    return k;
  }
  return std::nullopt;
}

std::string KmText(double km) {
  char puffer[32];
  std::snprintf(puffer, sizeof puffer, "%.1f", km);
  std::string t(puffer);
  std::replace(t.begin(), t.end(), '.', ',');
  return t;
}

}  // namespace orvano
