// Alt keys for every button and check box of a window that has none of its own.
#pragma once

class QWidget;

namespace orvano::ui {

// Gives each button, check box and radio button of FENSTER without a mnemonic the first letter
// of its caption that no other control (nor the menu bar) of the window uses yet. Captions
// stay as they read; only the letter is underlined.
void AltTastenVergeben(QWidget* fenster);

}  // namespace orvano::ui
