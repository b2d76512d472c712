// The country maps: calibration between degrees and picture pixels, the nearest record to a
// point, and the links to the web map services.
#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <string_view>

#include "core/Datenbestand.h"

namespace orvano {

struct KartenEichung {
  double breiteN, zeileN;  // northern latitude and its row
  double breiteS, zeileS;  // southern latitude and its row
  double laengeW, spalteW; // western longitude and its column
  double laengeO, spalteO; // eastern longitude and its column
  int breite, hoehe;       // the picture at scale 1
};

// 'D', 'A' or 'C' from the first byte of a country text ("Ö" is 'A', "S" is 'C'); else 0.
char KartenLand(std::string_view landText);
// The calibration of a country letter; the German one for an unknown letter.
const KartenEichung& Eichung(char land);

struct Punkt {
  int x = 0, y = 0;
};
struct Grad {
  double breite = 0, laenge = 0;
};

// The integer nearest to V, a half going to the even neighbour.
int Naechste(double v);
// Map position at scale S inside a picture of W x H pixels (kept within 1 .. W-1, 1 .. H-1).
Punkt GradZuPunkt(const KartenEichung& e, double massstab, double laenge, double breite, int w, int h);
// The coordinate of an unscaled picture position.
Grad PunktZuGrad(const KartenEichung& e, int x, int y);

// The record of country LAND nearest to the point (sum of the absolute degree differences; the
// first of equal ones; record 1 when none qualifies). With NUR only the records it names count.
std::int32_t NaechsterSatz(const Datenbestand& db, char land, double breite, double laenge,
                           const std::vector<std::int32_t>* nur = nullptr);

// Place view: base + "/maps/place/" + Ort + "/@" + Breite + "," + Laenge + ",11z" ("," → ".").
std::string KartenOrtAdresse(std::string_view ort, std::string_view breite, std::string_view laenge);
// Street view: base + "/" + Strasse + "%2C" + Ort + "%2C" + Land, each through UmlauteFuerURL.
std::string StrassenansichtAdresse(std::string_view ort, std::string_view strasse, std::string_view land);

// The scales of the menu "Größe", in its order.
inline constexpr double kMassstaebe[] = {0.1, 0.25, 0.5, 0.75, 1, 1.5, 2, 4};

}  // namespace orvano
