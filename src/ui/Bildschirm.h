// Keeping a window whole on the screen it stands on, whatever its size or the screen's scale.
#pragma once

class QWidget;

namespace orvano::ui {

// Shrinks FENSTER (frame included) to the available area of its screen and moves it so that
// no edge runs past that area. Before the window is shown, a usual frame is assumed.
void AufBildschirmHalten(QWidget* fenster);

}  // namespace orvano::ui
