#include "ImportFormat.h"

#include <cerrno>

#include <fstream>
#include <sstream>

#include "core/Dateien.h"
#include "core/Texte.h"
#include "core/Listen.h"
#include "core/Pfade.h"
#include "core/RecordDatei.h"

namespace orvano {

const std::array<const char*, kImportFelder> kImportFeldNamen = {
    "Ort", "Staat", "Bundesland", "Ortsteil/Stadtteil", "Landkreis", "Postleitzahl", "Auto-KZ", "Breitengrad",
    "L\xE4ngengrad", "Regierungsbezirk", "Gemeindeteil", "Verwaltungszusammenschluss", "Vorwahl", "Strassen",
    "Ab Nr", "Bis Nr"};
const std::array<int, kImportFelder> kImportSpalten = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17};
const std::array<const char*, kImportTabellenSpalten> kImportTitel = {
    "LNr", "Ort", "Staat", "Bundesland", "Ortsteil/Stadtteil", "Landkreis", "Postleitzahl", "Auto-KZ", "Breitengrad",
    "L\xE4ngengrad", "ID", "Regierungsbezirk", "Gemeindeteil", "Verwaltungszusammenschluss", "Vorwahl", "Strassen",
    "Ab Nr", "Bis Nr"};

ImportFormat StandardFormat() {
  ImportFormat f;
  for (int i = 0; i < kImportFelder; ++i) f.titel[static_cast<std::size_t>(i)] = kImportFeldNamen[static_cast<std::size_t>(i)];
  return f;
}

bool FormatHatFelder(const ImportFormat& f) {
  for (const std::string& t : f.titel) {
    if (!LeerzeichenEntfernen(t).empty()) return true;
  }
  return false;
}

ImportFormat StrassenlistenFormat() {
  ImportFormat f;
  f.titel[0] = "Ort";
  f.titel[2] = "Bundesland";
  f.titel[5] = "Postleitzahl";
  f.titel[13] = "Name";
  f.separator = "  ";
  return f;
}

void FormatAusZeile(const std::string& zeile, ImportFormat& f) {
  const std::vector<std::string> teile = TextTeilen("|", zeile, 0);
  auto feld = [&](std::size_t i) { return i < teile.size() ? teile[i] : std::string(); };
  for (std::size_t i = 0; i < kImportFelder; ++i) f.titel[i] = feld(i);
  f.loeschen1 = feld(16);
  f.loeschen2 = feld(17);
  f.id = feld(18);
  if (teile.size() > 19) f.idVerkn = teile[19];
  f.zielFeld = feld(20);
  if (teile.size() > 21) f.separator = teile[21];
}

std::string FormatZeile(const ImportFormat& f) {
  std::string z;
  for (const auto& t : f.titel) z += t + "|";
  for (const std::string* t : {&f.loeschen1, &f.loeschen2, &f.id, &f.idVerkn, &f.zielFeld, &f.separator}) z += *t + "|";
  return z;
}

bool FormatDateiLaden(const std::string& datei, ImportFormat& f) {
  if (!DateiVorhanden(datei)) return false;
  MussNormaleDateiSein(datei);
  std::ifstream ein(datei, std::ios::binary);
  if (!ein) throw DateiFehler("Format-Datei " + datei + " kann nicht gelesen werden: " + FehlerText(errno));
  std::string zeile;
  std::getline(ein, zeile);
  if (zeile.empty() || zeile == "\r") throw DateiFehler("Format-Datei " + datei + " ist leer");
  if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
  FormatAusZeile(zeile, f);
  return true;
}

void FormatDateiSpeichern(const std::string& datei, const ImportFormat& f) {
  const std::string zeile = FormatZeile(f) + "\r\n";
  AtomarSchreiben(datei, [&](Schreiber& s) { s.schreiben(zeile.data(), zeile.size()); });
}

std::vector<std::string> FormatListe(bool plz) {
  const std::string endung = plz ? ".imp" : ".ims";
  std::vector<std::string> namen;
  for (const std::string& n : VerzeichnisNamen(ProgVerzeichnis)) {
    if (n.size() > 4 && n.compare(n.size() - 4, 4, endung) == 0) namen.push_back(DateiNameOhneEndung(n));
  }
  EintraegeNachNummerSortieren(namen);
  return namen;
}

std::string FormatDateiName(const std::string& name, bool plz) { return ProgVerzeichnis + name + (plz ? ".imp" : ".ims"); }

}  // namespace orvano
