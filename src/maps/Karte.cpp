#include "Karte.h"

#include <algorithm>
#include <cmath>

#include "Route.h"

namespace orvano {

namespace {

constexpr KartenEichung kEichungD{55.0167, 10, 47.4, 646, 5.91667, 11, 14.9833, 490, 500, 665};
constexpr KartenEichung kEichungA{48.9667, 8, 46.4864, 302, 9.6, 8, 17.1, 590, 596, 313};
constexpr KartenEichung kEichungC{47.7833, 10, 45.8333, 377, 5.96667, 9, 10.4667, 592, 600, 391};

}  // namespace

char KartenLand(std::string_view landText) {
  if (landText.empty()) return 0;
  switch (static_cast<unsigned char>(landText.front())) {
    case 'D': return 'D';
    case 0xD6: case 'A': return 'A';
    case 'S': case 'C': return 'C';
    default: return 0;
  }
}

const KartenEichung& Eichung(char land) {
  switch (land) {
    case 'A': return kEichungA;
    case 'C': return kEichungC;
    default: return kEichungD;
  }
}

int Naechste(double v) { return static_cast<int>(std::nearbyint(v)); }

Punkt GradZuPunkt(const KartenEichung& e, double s, double laenge, double breite, int w, int h) {
  Punkt p;
  p.y = Naechste(s * ((breite - e.breiteN) * e.zeileS + (e.breiteS - breite) * e.zeileN) / (e.breiteS - e.breiteN));
  p.x = Naechste(s * ((laenge - e.laengeO) * e.spalteW + (e.laengeW - laenge) * e.spalteO) / (e.laengeW - e.laengeO));
  p.y = std::clamp(p.y, 1, std::max(1, h - 1));
  p.x = std::clamp(p.x, 1, std::max(1, w - 1));
  return p;
}

Grad PunktZuGrad(const KartenEichung& e, int x, int y) {
  Grad g;
  g.breite = ((e.breiteS - e.breiteN) * y + e.zeileS * e.breiteN - e.zeileN * e.breiteS) / (e.zeileS - e.zeileN);
  g.laenge = ((e.laengeW - e.laengeO) * x + e.spalteW * e.laengeO - e.spalteO * e.laengeW) / (e.spalteW - e.spalteO);
  return g;
}

std::int32_t NaechsterSatz(const Datenbestand& db, char land, double breite, double laenge,
                           const std::vector<std::int32_t>* nur) {
  std::int32_t bester = nur && !nur->empty() ? nur->front() : 1;
  double abstand = 999;
  const std::int32_t n = nur ? static_cast<std::int32_t>(nur->size()) : db.PLZAnzahl;
  for (std::int32_t i = 1; i <= n; ++i) {
    const std::int32_t k = nur ? (*nur)[static_cast<std::size_t>(i - 1)] : i;
    if (k < 1 || k > db.PLZAnzahl) continue;
    const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
    const std::string staat = r.Staat.text();
    if (staat.empty() || staat.front() != land) continue;
    const double d = std::fabs(r.Breitengrad - breite) + std::fabs(r.Laengengrad - laenge);
    if (d < abstand) {
      abstand = d;
      bester = k;
    }
  }
  return bester;
}

namespace {
std::string MitPunkt(std::string_view s) {
  std::string t(s);
  std::replace(t.begin(), t.end(), ',', '.');
  return t;
}
}  // namespace

std::string KartenOrtAdresse(std::string_view ort, std::string_view breite, std::string_view laenge) {
  return DienstBasis("Karte") + "/maps/place/" + std::string(ort) + "/@" + MitPunkt(breite) + "," + MitPunkt(laenge) + ",11z";
}

std::string StrassenansichtAdresse(std::string_view ort, std::string_view strasse, std::string_view land) {
  return DienstBasis("Strassenansicht") + "/" + TextFuerURL(strasse) + "%2C" + TextFuerURL(ort) + "%2C" + TextFuerURL(land);
}

}  // namespace orvano
