// The refusal of a second copy of the program, before any window exists.
#pragma once

#include "core/EinzelInstanz.h"

namespace orvano {

// When another copy holds the lock: "Anwendung Orvano läuft bereits !" and true (the caller
// ends at once). False for the first copy.
bool ZweitenStartAbweisen(const EinzelInstanz& sperre);

}  // namespace orvano
