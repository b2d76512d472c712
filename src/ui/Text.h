// Conversion of Windows-1252 core text to and from the QString of the widgets.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace orvano::ui {

QString AusCp1252(std::string_view text);
std::string ZuCp1252(const QString& text);
// One typed character as Windows-1252, 0 when the code page cannot hold it.
char ZeichenZuCp1252(QChar c);

}  // namespace orvano::ui
