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

std::string WertPruefen(int spalte, std::string_view text) {
  const std::string t = BlanksAbschneiden(text);
  if (t.empty()) return {};
  auto keineZahl = [&](const char* feld) { return std::string("Im Feld ") + feld + " steht keine gültige Zahl: \"" + Cp1252ZuUtf8(std::string(text)) + "\""; };
  std::int32_t ganz = 0;
  double real = 0;
  switch (spalte) {
    case 6:
      // A postal code is digits only: no sign, no letter.
      if (t.find_first_not_of("0123456789") != std::string::npos || !GanzzahlLesen(t, ganz)) return keineZahl("PLZ");
      return {};
    case 14:
      if (t.find_first_not_of("0123456789") != std::string::npos || !GanzzahlLesen(t, ganz)) return keineZahl("Vorwahl");
      return {};
    case 8:
    case 9: {
      const char* feld = spalte == 8 ? "Breitengrad" : "Längengrad";
      if (!KommaZahlLesen(t, real)) return keineZahl(feld);
      const double grenze = spalte == 8 ? 90.0 : 180.0;
      if (real < -grenze || real > grenze) {
        return std::string("Im Feld ") + feld + " liegt " + Cp1252ZuUtf8(t) + " nicht zwischen -" + (spalte == 8 ? "90" : "180") +
               " und " + (spalte == 8 ? "90" : "180");
      }
      return {};
    }
    default: return {};
  }
}

std::string MaskePruefen(const MaskenTexte& f) {
  for (int feld : {kFeldPLZ, kFeldBreitengrad, kFeldLaengengrad, kFeldVorwahl}) {
    const std::string fehler = WertPruefen(FeldSpalte(feld), f[static_cast<std::size_t>(feld)]);
    if (!fehler.empty()) return fehler + "\rEs wurde nichts gespeichert.";
  }
  return {};
}

std::string TabellePruefen(const Tabelle& t) {
  for (int r = 1; r < t.zeilen(); ++r) {
    for (int spalte : {6, 8, 9, 14}) {
      const std::string fehler = WertPruefen(spalte, t.zelle(spalte, r));
      if (!fehler.empty()) return "Zeile " + std::to_string(r) + ": " + fehler + "\rEs wurde nichts gespeichert.";
    }
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
