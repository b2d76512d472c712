#include "Einzelstart.h"

#include "ui/Dialoge.h"

namespace orvano {

bool ZweitenStartAbweisen(const EinzelInstanz& sperre) {
  if (sperre.erste()) return false;
  ui::Meldung(QString::fromUtf8(kLaeuftBereits));
  return true;
}

}  // namespace orvano
