// A push button with caption and hint that does not grab Enter as a default button.
#pragma once

#include <QPushButton>

namespace orvano::ui {

inline QPushButton* Knopf(QWidget* eltern, const QString& text, const QString& hinweis) {
  auto* b = new QPushButton(text, eltern);
  b->setToolTip(hinweis);
  b->setAutoDefault(false);
  return b;
}

}  // namespace orvano::ui
