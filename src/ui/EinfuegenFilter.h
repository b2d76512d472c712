// Pasting into a filtered edit field: the pasted text goes through the same key filter as
// typed text, character by character, whichever way it arrives.
#pragma once

#include <functional>
#include <string>

class QLineEdit;
class QString;

namespace orvano::ui {

// The filter of typed keys: the field's text so far (Windows-1252) and the character; returns
// the character to insert or 0 to drop it.
using TastenFilter = std::function<char(const std::string& text, char zeichen)>;

// Inserts TEXT at the cursor of FELD (replacing its selection) through FILTER.
void GefiltertEinfuegen(QLineEdit* feld, const QString& text, const TastenFilter& filter);

// Routes every paste into FELD through FILTER: the paste keys, the context menu, the middle
// mouse button; dropped text is refused.
void EinfuegenFiltern(QLineEdit* feld, TastenFilter filter);

}  // namespace orvano::ui
