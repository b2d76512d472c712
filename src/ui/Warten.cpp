#include "Warten.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

#include "Dialoge.h"

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

EingabeSperre::EingabeSperre() {
  for (QWidget* w : QApplication::topLevelWidgets()) fenster_.insert(w);
  if (qApp) qApp->installEventFilter(this);
}

EingabeSperre::~EingabeSperre() {
  if (qApp) qApp->removeEventFilter(this);
}

bool EingabeSperre::eventFilter(QObject* ziel, QEvent* e) {
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::ToolTip:
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::Close: break;
    case QEvent::Shortcut:
      // Menu shortcuts go to actions, not to windows.
      return !qobject_cast<QWidget*>(ziel) || fenster_.contains(qobject_cast<QWidget*>(ziel)->window());
    default: return false;
  }
  auto* w = qobject_cast<QWidget*>(ziel);
  if (!w || !fenster_.contains(w->window())) return false;
  if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) g_escape = true;
  if (e->type() == QEvent::Close) e->ignore();
  return true;
}

namespace {

int g_laeufe = 0;
QElapsedTimer g_laufEnde;

// Escape stops a run; only when none runs (nor ended a moment ago, with the key still
// queued) does it close the window.
class EscapeSperre : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(e)->key() != Qt::Key_Escape) return false;
    return g_laeufe > 0 || (g_laufEnde.isValid() && g_laufEnde.elapsed() < 400);
  }
};

}  // namespace

void EscapeSchliesstNicht(QDialog* dialog) { dialog->installEventFilter(new EscapeSperre(dialog)); }

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
    // The bar repaints itself when the new value shows; a repaint for every step costs more
    // than the work between two steps.
    balken_->setValue(static_cast<int>(static_cast<double>(wert) / teiler_));
  }
  if (malen_ && uhr_.elapsed() >= 50) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    uhr_.restart();
  }
}

void BalkenFortschritt::beenden() {
  if (balken_) balken_->hide();
}

Lauf::Lauf(QProgressBar* balken, StatusLeiste* status, Escape escape)
    : BalkenFortschritt(balken, escape != Escape::Aus, true), status_(status), escape_(escape) {
  EscapeVerwerfen();
  ++g_laeufe;
  if (status_) {
    statusWarSichtbar_ = status_->leiste()->isVisible();
    status_->leiste()->show();
  }
}

Lauf::~Lauf() {
  --g_laeufe;
  g_laufEnde.start();
  if (status_ && !statusWarSichtbar_) status_->leiste()->hide();
}

void Lauf::status(int panel, const QString& text) {
  if (status_) status_->setText(panel, text);
}

void Lauf::status(int panel, const std::string& text) { status(panel, QString::fromStdString(text)); }

bool Lauf::abbrechen() {
  if (!BalkenFortschritt::abbrechen()) return false;
  if (escape_ != Escape::Nachfragen) return true;
  // The question is no busy time: the normal cursor while it is open.
  QApplication::restoreOverrideCursor();
  bool ja = false;
  if (!abbruchFrage_.isEmpty()) {
    ja = FrageJaNein(abbruchFrage_);
  } else {
    // Cancel (and Escape in the box) asks again; only Yes ends the run.
    Antwort a = Antwort::Abbrechen;
    while (a == Antwort::Abbrechen) a = FrageJaNeinAbbrechen(QStringLiteral("Wirklich abbrechen?"));
    ja = a == Antwort::Ja;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  return ja;
}

bool Lauf::ausfuehren(const std::function<void()>& aktion) {
  try {
    aktion();
    return true;
  } catch (const std::bad_alloc&) {
    Meldung(QStringLiteral("Nicht genug Arbeitsspeicher"));
  } catch (const std::exception& e) {
    Meldung(QString::fromStdString(e.what()));
  }
  return false;
}

bool BalkenFortschritt::abbrechen() {
  if (!escAbbruch_) return false;
  // Pending key presses are looked at every 50 ms, not for every record, and at the start.
  if (!gefragt_ || uhr_.elapsed() >= 50) {
    gefragt_ = true;
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

void StatusLeiste::setBreite(int panel, int breite) {
  if (panel >= 0 && panel < static_cast<int>(panele_.size())) panele_[static_cast<std::size_t>(panel)]->setFixedWidth(breite);
}

void StatusLeiste::melden(const QString& text) {
  if (text.isEmpty()) {
    leiste_->hide();
    return;
  }
  for (std::size_t i = 0; i < panele_.size(); ++i) panele_[i]->setText(i == 0 ? text : QString());
  leiste_->show();
}

QString StatusLeiste::text(int panel) const {
  if (panel < 0 || panel >= static_cast<int>(panele_.size())) return {};
  return panele_[static_cast<std::size_t>(panel)]->text();
}

Leisten LeistenAnlegen(QWidget* fenster, QBoxLayout* layout, int panele) {
  Leisten l{new QProgressBar(fenster), new QStatusBar(fenster), nullptr};
  l.balken->hide();
  l.leiste->hide();
  l.status = std::make_unique<StatusLeiste>(l.leiste, panele);
  layout->addWidget(l.balken);
  layout->addWidget(l.leiste);
  return l;
}

}  // namespace orvano::ui
