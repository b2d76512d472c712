// The data-folder combos of every window: one list, read from the program folder.
#pragma once

#include <string>

class QComboBox;

namespace orvano {

// Fills COMBO with the data folders in the program's order and selects AKTUELL (a folder name
// without separator), else the first; an empty list leaves the combo empty.
void OrdnerComboFuellen(QComboBox* combo, const std::string& aktuell);

// Deletes the folder selected in COMBO after asking, when it is empty, and takes it out of
// the combo. True when it was deleted.
bool GewaehltenOrdnerLoeschen(QComboBox* combo);

}  // namespace orvano
