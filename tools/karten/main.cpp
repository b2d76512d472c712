// Draws a country map picture: the outline polygons (lon lat per line, ">" between parts, as
// `gmt coast -E.. -M` writes them) filled in one colour, a dark dot at every place of a record
// file (.ppp) or of a place list (.txt, "latitude longitude" per line), through the calibration
// the map window uses.
//
//   orvano-karten LAND(D|A|C) UMRISS.txt [Dat_X.ppp|ORTE.txt] ZIEL.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "core/Records.h"
#include "maps/Karte.h"

using namespace orvano;

namespace {

// Unrounded position of a coordinate at scale 1: the straight lines of the calibration.
QPointF Lage(const KartenEichung& e, double laenge, double breite) {
  const double y = ((breite - e.breiteN) * e.zeileS + (e.breiteS - breite) * e.zeileN) / (e.breiteS - e.breiteN);
  const double x = ((laenge - e.laengeO) * e.spalteW + (e.laengeW - laenge) * e.spalteO) / (e.laengeW - e.laengeO);
  return {x, y};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5) {
    std::fprintf(stderr, "Aufruf: orvano-karten D|A|C UMRISS.txt [Dat_X.ppp|ORTE.txt] ZIEL.png\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const char land = argv[1][0];
  const KartenEichung& e = Eichung(land);
  QPainterPath umriss;
  umriss.setFillRule(Qt::OddEvenFill);
  std::ifstream f(argv[2]);
  std::string zeile;
  bool neu = true;
  while (std::getline(f, zeile)) {
    if (zeile.empty()) continue;
    if (zeile[0] == '>') {
      neu = true;
      continue;
    }
    std::istringstream z(zeile);
    double laenge = 0, breite = 0;
    if (!(z >> laenge >> breite)) continue;
    const QPointF p = Lage(e, laenge, breite);
    if (neu) {
      umriss.moveTo(p);
      neu = false;
    } else {
      umriss.lineTo(p);
    }
  }
  QImage bild(e.breite, e.hoehe, QImage::Format_RGB32);
  bild.fill(QColor(255, 255, 255));
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(QColor(90, 120, 90), 1));
  p.setBrush(QColor(200, 225, 190));
  p.drawPath(umriss);
  int orte = 0;
  if (argc == 5) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    auto punkt = [&](double breite, double laenge) {
      if (breite == 0.0 && laenge == 0.0) return;
      const Punkt q = GradZuPunkt(e, 1.0, laenge, breite, e.breite, e.hoehe);
      p.drawRect(q.x - 1, q.y - 1, 2, 2);
      ++orte;
    };
    const std::string quelle = argv[3];
    std::ifstream d(quelle, std::ios::binary);
    if (quelle.size() > 4 && quelle.substr(quelle.size() - 4) == ".txt") {
      double breite = 0, laenge = 0;
      while (d >> breite >> laenge) punkt(breite, laenge);
    } else {
      TPLZRecord r;
      while (d.read(reinterpret_cast<char*>(&r), sizeof r)) punkt(r.Breitengrad, r.Laengengrad);
    }
  }
  p.end();
  if (!bild.save(QString::fromLocal8Bit(argv[argc - 1]), "PNG")) {
    std::fprintf(stderr, "%s kann nicht geschrieben werden\n", argv[argc - 1]);
    return 1;
  }
  std::printf("%s: %d x %d, %d Orte\n", argv[argc - 1], e.breite, e.hoehe, orte);
  return 0;
}
