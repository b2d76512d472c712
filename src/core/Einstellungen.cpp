#include "Einstellungen.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "Dateien.h"
#include "RecordDatei.h"
#include "Texte.h"
#include "Windows1252.h"

namespace orvano {

namespace {

bool ZahlLesen(const std::string& zeile, int& wert) {
  std::int32_t w = 0;
  if (!GanzzahlLesen(BlanksAbschneiden(zeile), w)) return false;
  wert = w;
  return true;
}

std::vector<std::string> Zeilen(const std::string& inhalt) {
  std::vector<std::string> zeilen;
  std::size_t start = 0;
  while (start < inhalt.size()) {
    auto ende = inhalt.find('\n', start);
    if (ende == std::string::npos) ende = inhalt.size();
    std::string z = inhalt.substr(start, ende - start);
    if (!z.empty() && z.back() == '\r') z.pop_back();
    zeilen.push_back(std::move(z));
    start = ende + 1;
  }
  return zeilen;
}

}  // namespace

Einstellungen EinstellungenLaden(const std::string& datei) {
  Einstellungen e;
  if (!DateiVorhanden(datei) || VerzeichnisVorhanden(datei)) return e;
  std::ifstream f(datei, std::ios::binary);
  if (!f) return e;
  std::ostringstream puffer;
  puffer << f.rdbuf();
  const std::vector<std::string> z = Zeilen(puffer.str());
  // Past the end a line reads as empty text, which no number line accepts.
  auto zeile = [&](std::size_t nr) -> std::string { return nr <= z.size() ? z[nr - 1] : std::string(); };

  int land = 0;
  if (!ZahlLesen(zeile(1), land)) return e;
  // The program always starts with Deutschland or Österreich.
  e.land = land == 1 ? 1 : 0;
  int wert = 0;
  if (!ZahlLesen(zeile(2), wert)) return e;
  e.tabellenAnsicht = wert == 1;
  if (!KommaZahlLesen(zeile(3), e.kartenMassstab)) return e;
  if (!ZahlLesen(zeile(4), wert)) return e;
  e.reserve = wert == 1;
  if (z.size() <= 4) return e;
  if (!ZahlLesen(zeile(5), e.importFormat)) return e;
  if (!ZahlLesen(zeile(6), e.routenplaner)) return e;
  for (std::size_t i = 0; i < 6; ++i) e.routenFelder[i] = zeile(7 + i);
  if (z.size() >= 13) e.letzterOrdner = Cp1252ZuUtf8(z[12]);
  return e;
}

bool EinstellungenSpeichern(const std::string& datei, const Einstellungen& e) {
  std::string text;
  auto zeile = [&](const std::string& s) { text += s + "\r\n"; };
  zeile(std::to_string(e.land));
  zeile(e.tabellenAnsicht ? "1" : "0");
  zeile(PunktZuKomma(RealZuText(e.kartenMassstab)));
  zeile(e.reserve ? "1" : "0");
  zeile(std::to_string(e.importFormat));
  zeile(std::to_string(e.routenplaner));
  for (const auto& feld : e.routenFelder) zeile(feld);
  zeile(Utf8ZuCp1252(e.letzterOrdner));
  try {
    AtomarSchreiben(datei, [&](Schreiber& s) { s.schreiben(text.data(), text.size()); });
    return true;
  } catch (const DateiFehler&) {
    return false;
  }
}

}  // namespace orvano
