#include "Layout.h"

#include <QEvent>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>

#include "Tastatur.h"

namespace orvano::ui {

Layout::Layout(QString datei) : datei_(std::move(datei)) {
  if (!QFileInfo::exists(datei_)) return;
  QSettings s(datei_, QSettings::IniFormat);
  if (s.status() != QSettings::NoError) {
    beschaedigt_ = true;
    return;
  }
  for (const QString& k : s.allKeys()) werte_.insert(k, s.value(k));
}

QVariant Layout::wert(const QString& schluessel, const QVariant& vorgabe) const { return werte_.value(schluessel, vorgabe); }

void Layout::setWert(const QString& schluessel, const QVariant& wert) { werte_.insert(schluessel, wert); }

void Layout::fensterMerken(const QWidget* fenster) {
  if (fenster->objectName().isEmpty()) return;
  werte_.insert(QStringLiteral("Fenster/") + fenster->objectName(), fenster->saveGeometry());
}

bool Layout::fensterHerstellen(QWidget* fenster) const {
  const QByteArray g = werte_.value(QStringLiteral("Fenster/") + fenster->objectName()).toByteArray();
  return !g.isEmpty() && fenster->restoreGeometry(g);
}

QList<ZuletztEintrag> Layout::zuletzt() const {
  QList<ZuletztEintrag> liste;
  for (const QString& z : werte_.value(QStringLiteral("Zuletzt/Dateien")).toStringList()) {
    const qsizetype tab = z.indexOf(QChar('\t'));
    if (tab <= 0 || tab + 1 >= z.size()) continue;
    liste.append({z.left(tab), z.mid(tab + 1)});
    if (liste.size() == kZuletztHoechstens) break;
  }
  return liste;
}

void Layout::zuletztVerwendet(const QString& art, const QString& pfad) {
  QStringList liste{art + QChar('\t') + pfad};
  for (const ZuletztEintrag& e : zuletzt()) {
    if (e.pfad == pfad && e.art == art) continue;
    if (liste.size() == kZuletztHoechstens) break;
    liste.append(e.art + QChar('\t') + e.pfad);
  }
  werte_.insert(QStringLiteral("Zuletzt/Dateien"), liste);
}

bool Layout::schreiben() const {
  QSettings s(datei_, QSettings::IniFormat);
  s.clear();
  for (auto i = werte_.cbegin(); i != werte_.cend(); ++i) s.setValue(i.key(), i.value());
  s.sync();
  return s.status() == QSettings::NoError;
}

FensterWaechter::FensterWaechter(Layout& layout, QObject* eltern) : QObject(eltern), layout_(layout) {}

bool FensterWaechter::eventFilter(QObject* ziel, QEvent* e) {
  const auto typ = e->type();
  if ((typ == QEvent::Show || typ == QEvent::Hide) && ziel->isWidgetType()) {
    auto* w = static_cast<QWidget*>(ziel);
    if (w->isWindow() && w->objectName().startsWith(QStringLiteral("fr"))) {
      // The main window looks after its place itself: its views have sizes of their own.
      const bool haupt = w->objectName() == QStringLiteral("frPLZ");
      if (typ == QEvent::Show && !hergestellt_.contains(w)) {
        hergestellt_.insert(w);
        AltTastenVergeben(w);
        if (!haupt) layout_.fensterHerstellen(w);
      } else if (typ == QEvent::Hide && !haupt) {
        layout_.fensterMerken(w);
      }
    }
  }
  return QObject::eventFilter(ziel, e);
}

}  // namespace orvano::ui
