#include "CSVLesen.h"

#include <fstream>
#include <unordered_map>

#include "core/Dateien.h"
#include "core/Listen.h"
#include "core/Records.h"
#include "core/Texte.h"
#include "core/Windows1252.h"

namespace orvano {

namespace {

constexpr int kFeldOrt = 0, kFeldPLZ = 5, kFeldStrassen = 13;
constexpr std::int64_t kFortschrittMax = 10000;

// Lines of a text file one by one; a CR before the line feed is not part of the line.
class ZeilenLeser {
 public:
  explicit ZeilenLeser(const std::string& datei) : ein_(datei, std::ios::binary) {
    if (!ein_) throw DateiFehler("Datei " + datei + " kann nicht gelesen werden");
  }
  bool naechste(std::string& zeile) {
    if (!std::getline(ein_, zeile)) return false;
    if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
    return true;
  }

 private:
  std::ifstream ein_;
};

void Entfernen(std::string& zeile, const std::string& text) {
  if (LeerzeichenEntfernen(text).empty()) return;
  for (std::size_t p = zeile.find(text); p != std::string::npos; p = zeile.find(text, p)) zeile.erase(p, text.size());
}

void Loeschtexte(std::string& zeile, const ImportFormat& f) {
  Entfernen(zeile, f.loeschen1);
  Entfernen(zeile, f.loeschen2);
}

int Anzahl(const CSVLeseOptionen& o) { return o.anzahl < 1 ? 1000 : o.anzahl; }

}  // namespace

void ImportTabelleKopf(Tabelle& t) {
  t.setSpalten(kImportTabellenSpalten);
  t.setFesteZeilen(1);
  if (t.zeilen() < 2) t.setZeilen(2);
  for (int c = 0; c < kImportTabellenSpalten; ++c) t.setZelle(c, 0, kImportTitel[static_cast<std::size_t>(c)]);
}

std::string OhnePLZText(int ohnePLZ) { return ohnePLZ > 0 ? "  ohne PLZ: " + std::to_string(ohnePLZ) : std::string(); }

CSVLeseErgebnis CSVLesen(const std::string& datei, ImportFormat& f, Tabelle& t, const CSVLeseOptionen& o,
                         Fortschritt& fortschritt) {
  CSVLeseErgebnis e;
  if (!DateiVorhanden(datei)) return e;
  TabelleLeeren(t);
  const std::string sep = Trennzeichen(datei, f.separator);
  const int n = Anzahl(o);
  ZeilenLeser leser(datei);
  std::string zeile;
  leser.naechste(zeile);
  e.titelZeile = zeile;
  if (o.testModus) e.rohZeilen.push_back(zeile);
  Loeschtexte(zeile, f);
  const std::vector<std::string> titel = TextTeilen(sep, zeile, 0);
  std::array<std::int32_t, kImportFelder> index{};
  for (std::size_t i = 0; i < kImportFelder; ++i) index[i] = TeilIndex(titel, f.titel[i]);
  const std::int32_t idIndex = TeilIndex(titel, f.id);

  fortschritt.beginnen(kFortschrittMax);
  std::int64_t c = 0;
  int r = 0;
  std::string firstPLZ;
  std::vector<std::string> zellen(kImportTabellenSpalten);
  while (leser.naechste(zeile)) {
    if (o.testModus && r < n) e.rohZeilen.push_back(zeile);
    Loeschtexte(zeile, f);
    const std::vector<std::string> teile = TextTeilen(sep, zeile, 0);
    if (++c > kFortschrittMax) c = 1;
    if (c % 100 == 0) fortschritt.position(c);
    if (fortschritt.abbrechen()) {
      e.abgebrochen = true;
      break;
    }
    if (teile.size() <= 1) continue;
    ++r;
    std::fill(zellen.begin(), zellen.end(), std::string());
    zellen[0] = std::to_string(r);
    for (std::size_t i = 0; i < kImportFelder; ++i) {
      const std::int32_t k = index[i];
      if (k < 0 || k >= static_cast<std::int32_t>(teile.size())) continue;
      const std::string& teil = teile[static_cast<std::size_t>(k)];
      std::string& ziel = zellen[static_cast<std::size_t>(kImportSpalten[i])];
      if (i == kFeldPLZ) {
        ziel = NurZiffern(teil);
      } else if (i == kFeldStrassen) {
        ziel = LinksAbschneiden(teil, ' ');
      } else {
        ziel = teil;
      }
    }
    if (idIndex >= 0 && idIndex < static_cast<std::int32_t>(teile.size())) {
      zellen[kImportSpalteID] = teile[static_cast<std::size_t>(idIndex)];
    }
    if (r + 1 > t.zeilen()) t.setZeilen(r + 1);
    t.setZeile(r, zellen);
    if (firstPLZ.empty()) firstPLZ = zellen[6];
    if (fortschritt.abbrechen()) {
      e.abgebrochen = true;
      break;
    }
    if (o.testModus && r >= n) break;
  }
  fortschritt.beenden();

  const std::string iso = LandISO(o.landText.empty() ? ' ' : o.landText.front());
  for (int z = 1; z <= r; ++z) {
    if (t.zelle(6, z).empty()) {
      // A given default comes first; the placeholder only fills what is still empty.
      if (!f.eingabePLZ.empty()) {
        t.setZelle(6, z, f.eingabePLZ);
      } else {
        t.setZelle(6, z, firstPLZ + "99999");
        ++e.ohnePLZ;
      }
    }
    if (t.zelle(1, z).empty() && !f.eingabeOrt.empty()) t.setZelle(1, z, f.eingabeOrt);
    if (t.zelle(2, z).empty()) t.setZelle(2, z, iso);
  }
  t.setZeilen(std::max(2, r + 1));
  e.zeilen = r;
  e.gelesen = true;
  return e;
}

VerknuepfErgebnis Verknuepfen(const std::string& datei2, ImportFormat& f, Tabelle& t, const CSVLeseOptionen& o,
                              Fortschritt& fortschritt) {
  VerknuepfErgebnis e;
  if (!DateiVorhanden(datei2)) return e;
  ZeilenLeser leser(datei2);
  std::string zeile;
  leser.naechste(zeile);
  if (o.testModus) e.rohZeilen.push_back(zeile);
  Loeschtexte(zeile, f);
  const std::string sep = Trennzeichen(datei2, f.separator);
  const std::vector<std::string> titel = TextTeilen(sep, zeile, 0);
  if (f.id.empty()) {
    e.meldung = "ID Titel eingeben";
    e.leeresFeld = VerknuepfErgebnis::kID;
    return e;
  }
  if (f.idVerkn.empty()) {
    e.meldung = "Spalte Titel aus Datei 2 eingeben";
    e.leeresFeld = VerknuepfErgebnis::kIDVerkn;
    return e;
  }
  const std::int32_t idIndex = TeilIndex(titel, f.id);
  if (idIndex < 0) {
    e.meldung = "ID Titel \"" + Cp1252ZuUtf8(f.id) + "\" in Datei " + datei2 + " nicht gefunden";
    return e;
  }
  const std::int32_t wertIndex = TeilIndex(titel, f.idVerkn);
  if (wertIndex < 0) {
    e.meldung = "Spalten Titel \"" + Cp1252ZuUtf8(f.idVerkn) + "\" in Datei " + datei2 + " nicht gefunden";
    return e;
  }
  std::vector<std::string> namen(kImportFeldNamen.begin(), kImportFeldNamen.end());
  const int feld = EintragIndex(namen, f.zielFeld);
  const int ziel = feld + 1 > 9 ? feld + 2 : feld + 1;

  // The first row of each ID; the join never writes the ID column, so this stays true.
  std::unordered_map<std::string, int> ersteZeile;
  ersteZeile.reserve(static_cast<std::size_t>(t.zeilen()));
  for (int r = t.zeilen() - 1; r >= 1; --r) ersteZeile[std::string(t.zelle(kImportSpalteID, r))] = r;

  const int n = Anzahl(o);
  fortschritt.beginnen(kFortschrittMax);
  std::int64_t c = 0;
  while (leser.naechste(zeile)) {
    if (++c > kFortschrittMax) c = 1;
    if (c % 100 == 0) fortschritt.position(c);
    if (o.testModus && e.paarZahl < n) e.rohZeilen.push_back(zeile);
    Loeschtexte(zeile, f);
    const std::vector<std::string> teile = TextTeilen(sep, zeile, 0);
    if (idIndex >= static_cast<std::int32_t>(teile.size()) || wertIndex >= static_cast<std::int32_t>(teile.size())) continue;
    const std::string& id = teile[static_cast<std::size_t>(idIndex)];
    const std::string& wert = teile[static_cast<std::size_t>(wertIndex)];
    if (const auto it = ersteZeile.find(id); it != ersteZeile.end()) t.setZelle(ziel, it->second, wert);
    ++e.paarZahl;
    if (o.testModus) e.paare.push_back({std::to_string(e.paarZahl), id, wert});
    if (fortschritt.abbrechen()) break;
  }
  fortschritt.beenden();
  e.ausgefuehrt = true;
  return e;
}

}  // namespace orvano
