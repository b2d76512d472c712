#include "Ordner.h"

#include <dirent.h>

#include <algorithm>
#include <memory>

#include "core/Dateien.h"
#include "core/Listen.h"
#include "core/Pfade.h"

namespace orvano {

std::vector<std::string> OrdnerListe() {
  std::vector<std::string> namen;
  struct Zu {
    void operator()(DIR* d) const { closedir(d); }
  };
  std::unique_ptr<DIR, Zu> d(::opendir(ProgVerzeichnis.c_str()));
  if (!d) return namen;
  while (const dirent* e = ::readdir(d.get())) {
    const std::string n = e->d_name;
    if (n.rfind("Ord_", 0) != 0) continue;
    // A directory lists at least "." and ".."; a plain file cannot be listed at all.
    std::unique_ptr<DIR, Zu> innen(::opendir((ProgVerzeichnis + n).c_str()));
    if (innen && ::readdir(innen.get()) != nullptr) namen.push_back(n);
  }
  // The enumeration order decides among equal keys; by name it is the same on every run.
  std::sort(namen.begin(), namen.end());
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

}  // namespace orvano
