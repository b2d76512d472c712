#include "Warten.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

namespace orvano::ui {

namespace {

bool g_escape = false;

class EscapeFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* ziel, QEvent* e) override {
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) g_escape = true;
    return QObject::eventFilter(ziel, e);
  }
};

}  // namespace

void Warten(int ms) {
  QElapsedTimer uhr;
  uhr.start();
  do {
    const int rest = ms - static_cast<int>(uhr.elapsed());
    QCoreApplication::processEvents(QEventLoop::AllEvents, rest > 0 ? rest : 0);
  } while (uhr.elapsed() < ms);
}

bool EscapeGedrueckt() { return std::exchange(g_escape, false); }
void EscapeVerwerfen() { g_escape = false; }

void EscapeBeobachten() {
  static EscapeFilter* filter = nullptr;
  if (filter || !qApp) return;
  filter = new EscapeFilter(qApp);
  qApp->installEventFilter(filter);
}

Sanduhr::Sanduhr() { QApplication::setOverrideCursor(Qt::WaitCursor); }
Sanduhr::~Sanduhr() { QApplication::restoreOverrideCursor(); }

BalkenFortschritt::BalkenFortschritt(QProgressBar* balken, bool escAbbruch, bool malen)
    : balken_(balken), escAbbruch_(escAbbruch), malen_(malen) {
  uhr_.start();
}

void BalkenFortschritt::beginnen(std::int64_t maximum) {
  if (!balken_) return;
  // A progress bar counts in int; very large maxima are scaled down.
  teiler_ = maximum > 1000000000 ? static_cast<double>(maximum) / 1000000000.0 : 1.0;
  balken_->setRange(0, static_cast<int>(static_cast<double>(maximum) / teiler_));
  balken_->setValue(0);
  balken_->show();
  balken_->repaint();
}

void BalkenFortschritt::position(std::int64_t wert) {
  if (balken_) {
    balken_->setValue(static_cast<int>(static_cast<double>(wert) / teiler_));
    balken_->repaint();
  }
  if (malen_ && uhr_.elapsed() >= 50) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    uhr_.restart();
  }
}

void BalkenFortschritt::beenden() {
  if (balken_) balken_->hide();
}

bool BalkenFortschritt::abbrechen() {
  if (!escAbbruch_) return false;
  // Pending key presses are looked at every 50 ms, not for every record.
  if (uhr_.elapsed() >= 50) {
    QCoreApplication::processEvents();
    uhr_.restart();
  }
  return EscapeGedrueckt();
}

StatusLeiste::StatusLeiste(QStatusBar* leiste, int panele) : leiste_(leiste) {
  for (int i = 0; i < panele; ++i) {
    auto* l = new QLabel(leiste);
    l->setMinimumWidth(120);
    leiste->addWidget(l, i + 1 == panele ? 1 : 0);
    panele_.push_back(l);
  }
}

void StatusLeiste::setText(int panel, const QString& text) {
  if (panel >= 0 && panel < static_cast<int>(panele_.size())) {
    panele_[static_cast<std::size_t>(panel)]->setText(text);
    panele_[static_cast<std::size_t>(panel)]->repaint();
  }
}

QString StatusLeiste::text(int panel) const {
  if (panel < 0 || panel >= static_cast<int>(panele_.size())) return {};
  return panele_[static_cast<std::size_t>(panel)]->text();
}

}  // namespace orvano::ui
