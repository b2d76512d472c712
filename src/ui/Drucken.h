// Printing a table page by page: page head, the title row on every page, framed cells.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "core/Tabelle.h"

class QPrinter;

namespace orvano::ui {

struct DruckOptionen {
  int ersteZeile = -1;  // -1: row 0
  int letzteZeile = -1; // -1: the last row
  double linkerRand = 10;  // points
  double obererRand = 50;  // points
  double massstab = 0.53;
  QString titel;
  // The scale is chosen so that the shown columns fill the printable width.
  bool seitenBreite = false;
  // Keep the printer's orientation, else set it.
  bool ausrichtungBehalten = true;
  bool querformat = false;
  int zeilenHoehe = 19;  // of the grid, in pixels
  QString fuss1a, fuss1b, fuss2a, fuss2b;
};

// Prints rows of T (texts Windows-1252) with FONT and the fixed-cell colour FEST; returns the
// number of pages. Hidden columns take no room. Nothing is printed for a scale of 0 or less.
int TabelleDrucken(QPrinter& drucker, const Tabelle& t, const QFont& schrift, const QColor& fest, const DruckOptionen& o);

}  // namespace orvano::ui
