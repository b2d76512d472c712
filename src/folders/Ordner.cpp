#include "Ordner.h"

#include <dirent.h>
#include <unistd.h>

#include <memory>

#include "core/Dateien.h"
#include "core/Listen.h"
#include "core/Pfade.h"

namespace orvano {

std::vector<std::string> OrdnerListe() {
  std::vector<std::string> namen;
  for (const std::string& n : VerzeichnisNamen(ProgVerzeichnis)) {
    if (n.rfind("Ord_", 0) != 0) continue;
    // A directory lists at least "." and ".."; a plain file cannot be listed at all.
    struct Zu {
      void operator()(DIR* d) const { closedir(d); }
    };
    std::unique_ptr<DIR, Zu> innen(::opendir((ProgVerzeichnis + n).c_str()));
    if (innen) namen.push_back(n);
  }
  // Names come by name, which decides among equal keys the same way on every run.
  EintraegeNachNummerSortieren(namen);
  return namen;
}

std::string OrdnerNameBereinigen(const std::string& name) {
  std::string out;
  for (char c : name) {
    if (c != '/' && c != '\\' && c != ':' && c != '"') out += c;
  }
  return out;
}

OrdnerAnlegen NeuenOrdnerAnlegen(const std::string& name) {
  if (name.empty()) return OrdnerAnlegen::NameFehlt;
  const std::string pfad = ProgVerzeichnis + "Ord_" + name;
  if (VerzeichnisVorhanden(pfad)) return OrdnerAnlegen::SchonVorhanden;
  return VerzeichnisAnlegen(pfad) ? OrdnerAnlegen::Angelegt : OrdnerAnlegen::Fehlgeschlagen;
}

std::string NaechsterFreierOrdner() {
  for (int n = 1;; ++n) {
    std::string name = "Ord_" + std::to_string(n);
    if (!DateiVorhanden(ProgVerzeichnis + name)) return name;
  }
}

OrdnerLoeschen LeerenOrdnerLoeschen(const std::string& name) {
  const std::string pfad = ProgVerzeichnis + name;
  if (!VerzeichnisLeer(pfad)) return OrdnerLoeschen::NichtLeer;
  // rmdir removes nothing but an empty folder, whatever happened since the test.
  return ::rmdir(pfad.c_str()) == 0 ? OrdnerLoeschen::Geloescht : OrdnerLoeschen::Fehlgeschlagen;
}

}  // namespace orvano
