#include "Text.h"

#include "core/Windows1252.h"

namespace orvano::ui {

QString AusCp1252(std::string_view text) {
  QString s(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
  QChar* z = s.data();
  for (std::size_t i = 0; i < text.size(); ++i) {
    z[i] = QChar(static_cast<char16_t>(Cp1252ZuUnicode(static_cast<unsigned char>(text[i]))));
  }
  return s;
}

std::string ZuCp1252(const QString& text) {
  // Surrogate pairs (characters outside the BMP) become one '?', as in the core conversion.
  return Utf8ZuCp1252(text.toStdString());
}

char ZeichenZuCp1252(QChar c) {
  const char b = UnicodeZuCp1252(c.unicode());
  return (b == '?' && c != QChar('?')) ? 0 : b;
}

}  // namespace orvano::ui
