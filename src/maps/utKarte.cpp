#include "utKarte.h"

#include <cmath>

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/Records.h"
#include "ui/Bildschirm.h"
#include "ui/Warten.h"

namespace orvano {

TfrKarte::TfrKarte(const Datenbestand& db, std::function<char()> land, double massstab, QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint),
      db_(db),
      land_(std::move(land)),
      massstab_(massstab) {
  setObjectName("frKarte");
  setModal(false);
  setWindowTitle(QStringLiteral(" Alle Postleitzahlen in Deutschland"));
  ui::EscapeSchliesstNicht(this);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  auto* menue = new QMenuBar(this);
  QMenu* groesse = menue->addMenu(QStringLiteral("Größe"));
  for (const double s : kMassstaebe) {
    QAction* a = groesse->addAction(QString::number(s));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, s] {
      setMassstab(s);
      KarteZeichnen(true);
      // The cross-hair stays on the place it marked.
      if (marke_) Markieren(marke_->first, marke_->second, QString());
    });
    groessen.push_back(a);
  }
  v->setMenuBar(menue);
  ScrollBox1 = new QScrollArea(this);
  Image1 = new QLabel;
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image1->installEventFilter(this);
  ScrollBox1->setWidget(Image1);
  v->addWidget(ScrollBox1);
  KarteZeichnen(true);
  MassstabHaken();
}

void TfrKarte::setMassstab(double s) {
  massstab_ = s;
  MassstabHaken();
}

void TfrKarte::MassstabHaken() {
  // Only an exact value checks its item: 0.8 read from the settings checks none.
  for (int i = 0; i < groessen.size(); ++i) groessen[i]->setChecked(kMassstaebe[i] == massstab_);
}

QSize TfrKarte::bildGroesse() const { return bild_.size(); }

void TfrKarte::KarteZeichnen(bool groesseAnpassen) {
  const char land = land_ ? land_() : 'D';
  const KartenEichung& e = Eichung(land);
  QPixmap karte;
  if (land == 'D' || land == 'A' || land == 'C') {
    setWindowTitle(land == 'D'   ? QStringLiteral(" Alle Postleitzahlen in Deutschland")
                   : land == 'A' ? QStringLiteral(" Alle Postleitzahlen in Österreich")
                                 : QStringLiteral(" Alle Postleitzahlen in der Schweiz"));
    karte.load(QStringLiteral(":/karten/Karte_%1.png").arg(QChar(land)));
  }
  const int w = Naechste(e.breite * massstab_), h = Naechste(e.hoehe * massstab_);
  bild_ = QPixmap(std::max(1, w), std::max(1, h));
  bild_.fill(Qt::white);
  if (!karte.isNull()) {
    QPainter p(&bild_);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRect(0, 0, w, h), karte);
  }
  if (auswahl_) {
    QPainter p(&bild_);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 70, 200));
    for (const std::int32_t k : *auswahl_) {
      if (k < 1 || k > db_.PLZAnzahl) continue;
      const TPLZRecord& r = db_.PLZTabelle[static_cast<std::size_t>(k)];
      const Punkt q = GradZuPunkt(e, massstab_, r.Laengengrad, r.Breitengrad, bild_.width(), bild_.height());
      p.drawEllipse(QPointF(q.x, q.y), 2.0, 2.0);
    }
  }
  Image1->setPixmap(bild_);
  Image1->resize(bild_.size());
  if (groesseAnpassen) {
    // Never narrower than its caption, which would be cut.
    const int titel = fontMetrics().horizontalAdvance(windowTitle()) + 120;
    resize(std::max(w + 9, titel), h + 55);
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
      const QRect r = s->availableGeometry();
      move(r.right() + 1 - width(), r.top());
    }
  }
  // A large scale makes the picture scroll; the window stays on the screen.
  ui::AufBildschirmHalten(this);
}

void TfrKarte::Markieren(double breite, double laenge, const QString& titel) {
  marke_ = std::make_pair(breite, laenge);
  const Punkt p = GradZuPunkt(Eichung(land_ ? land_() : 'D'), massstab_, laenge, breite, bild_.width(), bild_.height());
  KarteZeichnen(false);
  QPixmap mit = bild_;
  QPainter maler(&mit);
  maler.setPen(Qt::red);
  maler.drawLine(0, p.y, mit.width(), p.y);
  maler.drawLine(p.x, 0, p.x, mit.height());
  if (kreis_) {
    // The radius as the map draws a degree north and a degree east there.
    const KartenEichung& e = Eichung(land_ ? land_() : 'D');
    const Punkt m = GradZuPunkt(e, massstab_, kreis_->laenge, kreis_->breite, bild_.width(), bild_.height());
    const double gradNord = kreis_->km / 111.195;
    const double gradOst = gradNord / std::max(0.01, std::cos(kreis_->breite * 3.14159265358979 / 180));
    const Punkt n = GradZuPunkt(e, massstab_, kreis_->laenge, kreis_->breite + gradNord, bild_.width(), bild_.height());
    const Punkt o = GradZuPunkt(e, massstab_, kreis_->laenge + gradOst, kreis_->breite, bild_.width(), bild_.height());
    maler.setPen(QPen(QColor(0, 70, 200), 2));
    maler.drawEllipse(QPointF(m.x, m.y), std::abs(o.x - m.x), std::abs(n.y - m.y));
  }
  maler.end();
  Image1->setPixmap(mit);
  if (!titel.isEmpty()) setWindowTitle(titel);
}

void TfrKarte::KreisZeigen(double breite, double laenge, double km) {
  kreis_ = Kreis{breite, laenge, km};
  Markieren(breite, laenge, windowTitle());
}

void TfrKarte::Klick(int x, int y) {
  const char land = land_ ? land_() : 'D';
  const Grad g = PunktZuGrad(Eichung(land), Naechste(x / massstab_), Naechste(y / massstab_));
  const std::int32_t k = NaechsterSatz(db_, land, g.breite, g.laenge, auswahl_ ? &*auswahl_ : nullptr);
  if (k >= 1 && k <= db_.PLZAnzahl) {
    const TPLZRecord& r = db_.PLZTabelle[static_cast<std::size_t>(k)];
    Markieren(r.Breitengrad, r.Laengengrad, QString());
  }
  if (satzGewaehlt) satzGewaehlt(k);
}

void TfrKarte::setAuswahl(std::optional<std::vector<std::int32_t>> saetze) {
  auswahl_ = std::move(saetze);
  if (isVisible()) {
    if (marke_) {
      Markieren(marke_->first, marke_->second, windowTitle());
    } else {
      KarteZeichnen(false);
    }
  }
}

bool TfrKarte::eventFilter(QObject* ziel, QEvent* e) {
  if (ziel == Image1 && e->type() == QEvent::MouseButtonPress) {
    const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
    Klick(p.x(), p.y());
    return true;
  }
  return QDialog::eventFilter(ziel, e);
}

void TfrKarte::reject() {
  // Escape closes the map as the frame does.
  if (geschlossen) geschlossen();
  QDialog::reject();
}

void TfrKarte::closeEvent(QCloseEvent* e) {
  if (geschlossen) geschlossen();
  QDialog::closeEvent(e);
}

}  // namespace orvano
