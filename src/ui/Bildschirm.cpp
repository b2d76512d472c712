#include "Bildschirm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace orvano::ui {

void AufBildschirmHalten(QWidget* fenster) {
  const QScreen* schirm = fenster->screen() ? fenster->screen() : QGuiApplication::primaryScreen();
  if (!schirm) return;
  const QRect frei = schirm->availableGeometry();
  // The frame is known once the window manager has decorated the window.
  const QRect rahmen = fenster->frameGeometry(), innen = fenster->geometry();
  const bool bekannt = fenster->isVisible() && rahmen.height() > innen.height();
  const int randB = bekannt ? rahmen.width() - innen.width() : 8;
  const int randH = bekannt ? rahmen.height() - innen.height() : 36;
  const int b = std::min(fenster->width(), frei.width() - randB);
  const int h = std::min(fenster->height(), frei.height() - randH);
  if (b != fenster->width() || h != fenster->height()) fenster->resize(std::max(b, fenster->minimumWidth()), std::max(h, fenster->minimumHeight()));
  const int x = std::clamp(fenster->x(), frei.left(), std::max(frei.left(), frei.right() + 1 - fenster->width() - randB));
  const int y = std::clamp(fenster->y(), frei.top(), std::max(frei.top(), frei.bottom() + 1 - fenster->height() - randH));
  if (x != fenster->x() || y != fenster->y()) fenster->move(x, y);
}

}  // namespace orvano::ui
