#include "Bearbeiten.h"

#include "core/Felder.h"
#include "core/Texte.h"
#include "core/Windows1252.h"

namespace orvano {

namespace {

struct FeldRegel {
  const char* name;
  int spalte;
  int laenge;  // 0: no limit
  enum { kFrei, kZiffern, kDezimal } filter;
};

constexpr std::array<FeldRegel, kMaskenFelder> kRegeln = {{
    {"Ort", 1, 40, FeldRegel::kFrei},
    {"PLZ", 6, 6, FeldRegel::kZiffern},
    {"Autokennzeichen", 7, 3, FeldRegel::kFrei},
    {"Bundesland", 3, 25, FeldRegel::kFrei},
    {"Regierungsbezirk", 11, 30, FeldRegel::kFrei},
    {"Ortsteil", 4, 25, FeldRegel::kFrei},
    {"Gemeindeteil", 12, 20, FeldRegel::kFrei},
    {"Landkreis", 5, 45, FeldRegel::kFrei},
    {"Verwaltungszusammenschluss", 13, 65, FeldRegel::kFrei},
    {"Breitengrad", 8, 0, FeldRegel::kDezimal},
    {"Längengrad", 9, 0, FeldRegel::kDezimal},
    {"Vorwahl", 14, 9, FeldRegel::kZiffern},
}};

const FeldRegel& Regel(int feld) { return kRegeln.at(static_cast<std::size_t>(feld)); }

}  // namespace

const char* FeldName(int feld) { return Regel(feld).name; }
int FeldSpalte(int feld) { return Regel(feld).spalte; }

char MaskenTaste(int feld, std::string_view text, char taste) {
  if (taste == kRuecktaste) return taste;
  const FeldRegel& r = Regel(feld);
  if (r.laenge > 0 && static_cast<int>(text.size()) >= r.laenge) return 0;
  switch (r.filter) {
    case FeldRegel::kZiffern: return ZiffernTaste(taste);
    case FeldRegel::kDezimal: return DezimalTaste(text, taste, ',');
    default: return taste;
  }
}

char GridTaste(int spalte, std::string_view text, char taste) {
  if (taste == kRuecktaste) return taste;
  const auto n = text.size();
  switch (spalte) {
    case 3:
    case 4: return n >= 25 ? 0 : taste;
    case 5: return n >= 45 ? 0 : taste;
    case 6: return n >= 6 ? 0 : ZiffernTaste(taste);
    case 7: return n >= 3 ? 0 : GrossBuchstabe(taste);
    case 8:
    case 9: return DezimalTaste(text, taste, ',');
    default: return taste;
  }
}

int NaechsteEnterSpalte(const Tabelle& t, int spalte) {
  for (int c = spalte + 1; c < t.spalten() - 1; ++c) {
    if (t.breite(c) >= 0) return c;
  }
  return -1;
}

TPLZRecord ZeileZuDatensatz(const Tabelle& t, int r) { return PLZAusZeile(t, r, true); }

std::string MaskePruefen(const MaskenTexte& f) {
  auto fehler = [](int feld, const std::string& text) {
    return std::string("Im Feld ") + FeldName(feld) + " steht keine gültige Zahl: \"" + Cp1252ZuUtf8(text) + "\"\r" +
           "Es wurde nichts gespeichert.";
  };
  std::int32_t ganz = 0;
  double real = 0;
  for (int feld : {kFeldPLZ, kFeldVorwahl}) {
    const std::string t = BlanksAbschneiden(f[static_cast<std::size_t>(feld)]);
    if (!t.empty() && !GanzzahlLesen(t, ganz)) return fehler(feld, f[static_cast<std::size_t>(feld)]);
  }
  for (int feld : {kFeldBreitengrad, kFeldLaengengrad}) {
    const std::string& t = f[static_cast<std::size_t>(feld)];
    if (!t.empty() && !KommaZahlLesen(t, real)) return fehler(feld, t);
  }
  return {};
}

void MaskeZuDatensatz(const MaskenTexte& f, TPLZRecord& r) {
  auto text = [&](int feld) -> const std::string& { return f[static_cast<std::size_t>(feld)]; };
  r.Ort.setzen(text(kFeldOrt));
  std::int32_t ganz = 0;
  if (!text(kFeldPLZ).empty() && GanzzahlLesen(BlanksAbschneiden(text(kFeldPLZ)), ganz)) r.PLZ = ganz;
  r.Autokennzeichen.setzen(text(kFeldAutokennzeichen));
  r.Bundesland.setzen(text(kFeldBundesland));
  r.Regierungsbezirk.setzen(text(kFeldRegierungsbezirk));
  r.Ortsteil.setzen(text(kFeldOrtsteil));
  r.Gemeindeteil.setzen(text(kFeldGemeindeteil));
  r.Landkreis.setzen(text(kFeldLandkreis));
  r.Verwaltungszusammenschluss.setzen(text(kFeldVerwaltungszusammenschluss));
  double real = 0;
  if (!text(kFeldBreitengrad).empty() && KommaZahlLesen(text(kFeldBreitengrad), real)) r.Breitengrad = real;
  if (!text(kFeldLaengengrad).empty() && KommaZahlLesen(text(kFeldLaengengrad), real)) r.Laengengrad = real;
  ganz = 0;
  r.Vorwahl = (!BlanksAbschneiden(text(kFeldVorwahl)).empty() && GanzzahlLesen(BlanksAbschneiden(text(kFeldVorwahl)), ganz)) ? ganz : 0;
}

}  // namespace orvano
