#include "SeitenRaster.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

#include "core/Tabelle.h"
#include "ui/StringGrid.h"

namespace orvano {

int PassendeZeilen(const ui::StringGrid* g, const Tabelle& t) {
  int breite = 0;
  for (int c = 0; c < t.spalten(); ++c) breite += std::max(0, t.breite(c));
  int hoehe = g->height() - 2 * g->frameWidth() - g->horizontalHeader()->sizeHint().height();
  if (breite > g->width() - 2 * g->frameWidth()) hoehe -= g->horizontalScrollBar()->sizeHint().height();
  return std::max(1, hoehe / std::max(1, g->verticalHeader()->defaultSectionSize()));
}

void LnrBreiteSetzen(ui::StringGrid* g, Tabelle& t, std::int64_t groessteNummer) {
  t.setBreite(0, g->fontMetrics().horizontalAdvance(QString::number(std::max<std::int64_t>(1, groessteNummer))) + 12);
  g->spaltenAnwenden();
}

void BlaetterBereich(QScrollBar* sgh, std::int64_t n, int zeilen) {
  sgh->setRange(0, static_cast<int>(std::max<std::int64_t>(0, n - 1)));
  sgh->setPageStep(std::max(1, zeilen));
}

std::optional<std::int64_t> TastenZiel(int taste, std::int64_t k, std::int64_t n, int zeilen) {
  switch (taste) {
    case Qt::Key_Home: return 1;
    case Qt::Key_End: return n;
    case Qt::Key_Up: return std::max<std::int64_t>(1, k - 1);
    case Qt::Key_Down: return std::min(n, k + 1);
    case Qt::Key_PageUp: return std::max<std::int64_t>(1, k - zeilen);
    case Qt::Key_PageDown: return std::min(n, k + zeilen);
    default: return std::nullopt;
  }
}

}  // namespace orvano
