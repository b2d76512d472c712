#include "Drucken.h"

#include <QPainter>
#include <QPrinter>

#include <cmath>

#include "Text.h"

namespace orvano::ui {

namespace {

class Seiten {
 public:
  Seiten(QPrinter& drucker, const Tabelle& t, const QFont& schrift, const QColor& fest, const DruckOptionen& o)
      : drucker_(drucker), t_(t), fest_(fest), o_(o) {
    dpiX_ = drucker.logicalDpiX();
    dpiY_ = drucker.logicalDpiY();
    schrift_ = schrift;
    schrift_.setPointSizeF(std::round(schrift.pointSizeF() / 0.72 * o.massstab));
    // The printable height of the page in device units; the line that crosses it starts a page.
    grenze_ = drucker.pageLayout().paintRectPixels(drucker.resolution()).height();
  }

  int drucken() {
    if (!maler_.begin(&drucker_)) return 0;
    kopf();
    // The page head prints the title row: it is never printed a second time as data.
    const int erste = std::max(1, o_.ersteZeile);
    const int letzte = o_.letzteZeile < 0 ? t_.zeilen() - 1 : o_.letzteZeile;
    for (int r = erste; r <= letzte; ++r) {
      if (y_ + zeilenHoehe() > grenze_) {
        drucker_.newPage();
        ++seiten_;
        kopf();
      }
      zeile(r);
    }
    fuss();
    maler_.end();
    return seiten_;
  }

 private:
  int x(double punkte) const { return static_cast<int>(std::lround(punkte * dpiX_ / 72.0 * o_.massstab)); }
  int y(double punkte) const { return static_cast<int>(std::lround(punkte * dpiY_ / 72.0 * o_.massstab)); }
  int zeilenHoehe() const { return y(o_.zeilenHoehe + 1); }

  // Title centred on the page, then the title row of the table.
  void kopf() {
    QFont titel = schrift_;
    titel.setBold(true);
    titel.setPixelSize(std::max(1, static_cast<int>(std::lround(3.8 / 25.4 * dpiY_))));
    maler_.setFont(titel);
    const int breite = drucker_.pageLayout().fullRectPixels(drucker_.resolution()).width();
    const int mitte = breite / 2 - static_cast<int>(std::lround(13.0 / 25.4 * dpiX_));
    const int oben = static_cast<int>(std::lround(2.0 / 25.4 * dpiY_));
    maler_.setPen(Qt::black);
    maler_.drawText(QRect(0, oben, 2 * std::max(0, mitte), maler_.fontMetrics().height()), Qt::AlignHCenter | Qt::AlignTop,
                    o_.titel);
    maler_.setFont(schrift_);
    y_ = y(o_.obererRand);
    zeile(0);
  }

  void zeile(int r) {
    int links = x(o_.linkerRand) + 1;
    const int hoehe = zeilenHoehe();
    const int abstand = x(3);
    for (int c = 0; c < t_.spalten(); ++c) {
      const int b = t_.breite(c);
      if (b < 0) continue;
      const QRect zelle(links, y_, x(b + 1), hoehe);
      maler_.fillRect(zelle, r == 0 || c < t_.festeSpalten() ? fest_ : QColor(Qt::white));
      maler_.setPen(QColor(51, 51, 51));
      maler_.drawRect(zelle);
      maler_.setPen(Qt::black);
      maler_.drawText(zelle.adjusted(abstand, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      AusCp1252(t_.zelle(c, r)));
      links += zelle.width();
    }
    y_ += hoehe;
  }

  void fuss() {
    if (o_.fuss1a.isEmpty() && o_.fuss1b.isEmpty()) return;
    const int links = x(o_.linkerRand) + 1;
    const int b = x(400), versatz = x(300), h = zeilenHoehe();
    const QString texte[2][2] = {{o_.fuss1a, o_.fuss1b}, {o_.fuss2a, o_.fuss2b}};
    for (int i = 0; i < 2; ++i) {
      const int oben = y_ + (i == 0 ? 100 : 180);
      for (int j = 0; j < 2; ++j) {
        const QRect kasten(links + j * versatz, oben, b, h);
        maler_.drawRect(kasten);
        maler_.drawText(kasten.adjusted(x(3), 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, texte[i][j]);
      }
    }
  }

  QPrinter& drucker_;
  const Tabelle& t_;
  QColor fest_;
  const DruckOptionen& o_;
  QFont schrift_;
  QPainter maler_;
  int dpiX_ = 72, dpiY_ = 72;
  int grenze_ = 0;
  int y_ = 0;
  int seiten_ = 1;
};

}  // namespace

int TabelleDrucken(QPrinter& drucker, const Tabelle& t, const QFont& schrift, const QColor& fest, const DruckOptionen& o) {
  if (o.massstab <= 0) return 0;
  if (!o.ausrichtungBehalten) drucker.setPageOrientation(o.querformat ? QPageLayout::Landscape : QPageLayout::Portrait);
  drucker.setDocName(o.titel);
  DruckOptionen mit = o;
  if (o.seitenBreite) {
    // The shown columns and the left margin take the page's printable width.
    double punkte = o.linkerRand + 2;
    for (int c = 0; c < t.spalten(); ++c) {
      if (t.breite(c) >= 0) punkte += t.breite(c) + 1;
    }
    const double frei = drucker.pageLayout().paintRect(QPageLayout::Point).width();
    if (punkte > 0 && frei > 0) mit.massstab = frei / punkte;
  }
  Seiten s(drucker, t, schrift, fest, mit);
  return s.drucken();
}

}  // namespace orvano::ui
