#include "PLZSpalten.h"

#include "core/Texte.h"

namespace orvano {

const std::array<const char*, kPLZSpalten> kPLZTitel = {
    "LNr", "Ort", "Staat", "Bundesland", "Ortsteil/Stadtteil", "Landkreis", "Postleitzahl", "Auto-KZ", "Breitengrad",
    "L\xE4ngengrad", "", "Regierungsbezirk", "Gemeindeteil", "Verwaltungszusammenschluss", "Vorwahl", "Strassen",
    "Ab Bis Nr"};

const std::array<int, kPLZSpalten> kPLZBreiten = {40, 180, -1, 150, 100, 150, 70, 55, 75, 75, -1, -1, -1, -1, 50, 55, -1};

std::vector<std::string> PLZZeile(const TPLZRecord& r, std::int32_t k) {
  const std::string staat = r.Staat.text();
  const std::int32_t strassen = r.Strassen;
  return {std::to_string(k),
          r.Ort.text(),
          staat,
          r.Bundesland.text(),
          r.Ortsteil.text(),
          r.Landkreis.text(),
          PLZText(r.PLZ, staat.empty() ? ' ' : staat.front()),
          r.Autokennzeichen.text(),
          KoordinateZuText(r.Breitengrad),
          KoordinateZuText(r.Laengengrad),
          std::to_string(k),
          r.Regierungsbezirk.text(),
          r.Gemeindeteil.text(),
          r.Verwaltungszusammenschluss.text(),
          VorwahlText(r.Vorwahl),
          strassen > 0 ? std::to_string(strassen) : std::string(),
          std::to_string(static_cast<std::int32_t>(r.AbBisNr))};
}

void PLZTabelleKopf(Tabelle& t, const TPLZRecord* tabelle, std::int32_t anzahl) {
  t.setSpalten(kPLZSpalten);
  t.setFesteZeilen(1);
  t.setFesteSpalten(1);
  if (t.zeilen() < 2) t.setZeilen(2);
  for (int c = 0; c < kPLZSpalten; ++c) {
    t.setZelle(c, 0, kPLZTitel[static_cast<std::size_t>(c)]);
    t.setBreite(c, kPLZBreiten[static_cast<std::size_t>(c)]);
  }
  bool bundesland = false, ortsteil = false, landkreis = false;
  for (std::int32_t k = 1; k <= std::min<std::int32_t>(anzahl, 10); ++k) {
    bundesland = bundesland || !tabelle[k].Bundesland.leer();
    ortsteil = ortsteil || !tabelle[k].Ortsteil.leer();
    landkreis = landkreis || !tabelle[k].Landkreis.leer();
  }
  if (!bundesland) t.setBreite(3, Tabelle::kVerborgen);
  if (!ortsteil) t.setBreite(4, Tabelle::kVerborgen);
  if (!landkreis) t.setBreite(5, Tabelle::kVerborgen);
}

std::string AnzahlText(std::string_view landText, int anzahl) {
  const char c = landText.empty() ? ' ' : landText.front();
  const std::string n = std::to_string(anzahl);
  switch (static_cast<unsigned char>(c)) {
    case 'D': return " Deutschland  PLZ Anzahl: " + n;
    case 0xD6: return " Österreich  PLZ Anzahl: " + n;
    case 'S': return " Schweiz  PLZ Anzahl:" + n;
    default: return {};
  }
}

}  // namespace orvano
