#include "PLZSpalten.h"

#include "core/Texte.h"

namespace orvano {

namespace {

// Column 0 is the running number and column 10 the hidden record index; the rest are fields.
template <class T, class Feld, class Sonst>
std::array<T, kPLZSpalten> ProSpalte(Feld feld, Sonst sonst) {
  std::array<T, kPLZSpalten> a{};
  for (int c = 0; c < kPLZSpalten; ++c) {
    const PLZFeld* f = PLZFeldDerSpalte(c);
    a[static_cast<std::size_t>(c)] = f ? feld(*f) : sonst(c);
  }
  return a;
}

}  // namespace

const std::array<const char*, kPLZSpalten> kPLZTitel = ProSpalte<const char*>(
    [](const PLZFeld& f) { return f.titel; }, [](int c) { return c == 0 ? "LNr" : ""; });

const std::array<int, kPLZSpalten> kPLZBreiten =
    ProSpalte<int>([](const PLZFeld& f) { return f.breite; }, [](int c) { return c == 0 ? 40 : -1; });

std::vector<std::string> PLZZeile(const TPLZRecord& r, std::int32_t k) {
  std::vector<std::string> zeile(kPLZSpalten);
  zeile[0] = std::to_string(k);
  zeile[kSpalteIndex] = std::to_string(k);
  for (const PLZFeld& f : PLZFelder()) zeile[static_cast<std::size_t>(f.spalte)] = f.zelle(r);
  return zeile;
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
