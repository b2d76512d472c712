#include "Tastatur.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QSet>
#include <QWidget>

namespace orvano::ui {

namespace {

// The letter after a single "&", lower-cased; a null character when there is none.
QChar Taste(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != QChar('&')) continue;
    if (text[i + 1] == QChar('&')) {
      ++i;
      continue;
    }
    return text[i + 1].toLower();
  }
  return {};
}

}  // namespace

void AltTastenVergeben(QWidget* fenster) {
  QSet<QChar> belegt;
  auto merken = [&](const QString& text) {
    const QChar c = Taste(text);
    if (!c.isNull()) belegt.insert(c);
  };
  if (auto* haupt = qobject_cast<QMainWindow*>(fenster)) {
    for (QAction* a : haupt->menuBar()->actions()) merken(a->text());
  }
  const auto knoepfe = fenster->findChildren<QAbstractButton*>();
  for (QAbstractButton* b : knoepfe) merken(b->text());
  for (QLabel* l : fenster->findChildren<QLabel*>()) {
    if (l->buddy()) merken(l->text());
  }
  for (QAbstractButton* b : knoepfe) {
    const QString text = b->text();
    if (text.isEmpty() || !Taste(text).isNull() || text.contains(QChar('&'))) continue;
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar c = text[i].toLower();
      if (c < QChar('a') || c > QChar('z') || belegt.contains(c)) continue;
      belegt.insert(c);
      b->setText(text.left(i) + QChar('&') + text.mid(i));
      break;
    }
  }
}

}  // namespace orvano::ui
