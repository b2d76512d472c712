#include "Felder.h"

#include "Texte.h"

namespace orvano {

namespace {

bool Belegt(std::string_view s) { return !LeerzeichenEntfernen(s).empty(); }
std::int32_t Ganzzahl(std::string_view s) { return Belegt(s) ? TextZuZahl(s) : 0; }
double Dezimal(std::string_view s) { return Belegt(s) ? TextZuReal(s) : 0.0; }

#define ORVANO_TEXTFELD(name) \
  [](const TPLZRecord& r) { return r.name.text(); }, [](TPLZRecord& r, std::string_view s) { r.name.setzen(s); }

constexpr std::array<PLZFeld, kPLZFeldZahl> kFelder = {{
    {"Ort", 1, 180, 40, true, ORVANO_TEXTFELD(Ort)},
    {"Staat", 2, -1, 2, true, ORVANO_TEXTFELD(Staat)},
    {"Bundesland", 3, 150, 25, true, ORVANO_TEXTFELD(Bundesland)},
    {"Ortsteil/Stadtteil", 4, 100, 25, true, ORVANO_TEXTFELD(Ortsteil)},
    {"Landkreis", 5, 150, 45, true, ORVANO_TEXTFELD(Landkreis)},
    {"Postleitzahl", 6, 70, 0, true,
     [](const TPLZRecord& r) { return PLZText(r); },
     [](TPLZRecord& r, std::string_view s) { r.PLZ = Ganzzahl(s); }},
    {"Auto-KZ", 7, 55, 3, true, ORVANO_TEXTFELD(Autokennzeichen)},
    {"Breitengrad", 8, 75, 0, true, [](const TPLZRecord& r) { return KoordinateZuText(r.Breitengrad); },
     [](TPLZRecord& r, std::string_view s) { r.Breitengrad = Dezimal(s); }},
    {"L\xE4ngengrad", 9, 75, 0, true, [](const TPLZRecord& r) { return KoordinateZuText(r.Laengengrad); },
     [](TPLZRecord& r, std::string_view s) { r.Laengengrad = Dezimal(s); }},
    {"Regierungsbezirk", 11, -1, 30, true, ORVANO_TEXTFELD(Regierungsbezirk)},
    {"Gemeindeteil", 12, -1, 20, true, ORVANO_TEXTFELD(Gemeindeteil)},
    {"Verwaltungszusammenschluss", 13, -1, 65, true, ORVANO_TEXTFELD(Verwaltungszusammenschluss)},
    {"Vorwahl", 14, 50, 0, true, [](const TPLZRecord& r) { return VorwahlText(r.Vorwahl); },
     [](TPLZRecord& r, std::string_view s) { r.Vorwahl = Ganzzahl(s); }},
    {"Strassen", 15, 55, 0, false,
     [](const TPLZRecord& r) {
       const std::int32_t n = r.Strassen;
       return n > 0 ? std::to_string(n) : std::string();
     },
     [](TPLZRecord& r, std::string_view s) { r.Strassen = TextZuZahl(s); }},
    {"Ab Bis Nr", 16, -1, 0, false, [](const TPLZRecord& r) { return std::to_string(static_cast<std::int32_t>(r.AbBisNr)); },
     [](TPLZRecord& r, std::string_view s) { r.AbBisNr = TextZuZahl(s); }},
}};

#undef ORVANO_TEXTFELD

}  // namespace

const std::array<PLZFeld, kPLZFeldZahl>& PLZFelder() { return kFelder; }

const PLZFeld* PLZFeldDerSpalte(int spalte) {
  for (const PLZFeld& f : kFelder) {
    if (f.spalte == spalte) return &f;
  }
  return nullptr;
}

namespace {

// ZELLE(spalte) gives a cell of the row.
template <class Zelle>
TPLZRecord PLZAus(const Zelle& zelle, bool mitZaehlern) {
  TPLZRecord d{};
  for (const PLZFeld& f : kFelder) {
    if (f.import || mitZaehlern) f.setzen(d, zelle(f.spalte));
  }
  return d;
}

std::string_view ZelleOderLeer(const std::vector<std::string>& zellen, int spalte) {
  return static_cast<std::size_t>(spalte) < zellen.size() ? std::string_view(zellen[static_cast<std::size_t>(spalte)])
                                                          : std::string_view();
}

}  // namespace

TPLZRecord PLZAusZeile(const Tabelle& t, int r, bool mitZaehlern) {
  return PLZAus([&](int spalte) { return t.zelle(spalte, r); }, mitZaehlern);
}

TPLZRecord PLZAusZellen(const std::vector<std::string>& zellen) {
  return PLZAus([&](int spalte) { return ZelleOderLeer(zellen, spalte); }, false);
}

namespace {

constexpr std::array<StrassenFeld, kStrassenFeldZahl> kStrassenFelder = {{
    {"Ort", 40, [](const TStrassenRecord& s, char) { return s.Ort.text(); },
     [](TStrassenRecord& s, std::string_view t) { s.Ort.setzen(t); }},
    {"Postleitzahl", 0, [](const TStrassenRecord& s, char land) { return PLZText(s.PLZ, land); },
     [](TStrassenRecord& s, std::string_view t) { s.PLZ = TextZuZahl(t); }},
    {"Strasse", 65, [](const TStrassenRecord& s, char) { return s.Strasse.text(); },
     [](TStrassenRecord& s, std::string_view t) { s.Strasse.setzen(t); }},
    {"Ab Nr", 6, [](const TStrassenRecord& s, char) { return s.AbNr.text(); },
     [](TStrassenRecord& s, std::string_view t) { s.AbNr.setzen(t); }},
    {"Bis Nr", 6, [](const TStrassenRecord& s, char) { return s.BisNr.text(); },
     [](TStrassenRecord& s, std::string_view t) { s.BisNr.setzen(t); }},
}};

template <class Zelle>
TStrassenRecord StrasseAus(const Zelle& zelle, const std::array<int, kStrassenFeldZahl>& spalten) {
  TStrassenRecord s{};
  for (std::size_t i = 0; i < kStrassenFelder.size(); ++i) kStrassenFelder[i].setzen(s, zelle(spalten[i]));
  return s;
}

}  // namespace

const std::array<StrassenFeld, kStrassenFeldZahl>& StrassenFelder() { return kStrassenFelder; }

TStrassenRecord StrasseAusZeile(const Tabelle& t, int r, const std::array<int, kStrassenFeldZahl>& spalten) {
  return StrasseAus([&](int spalte) { return t.zelle(spalte, r); }, spalten);
}

TStrassenRecord StrasseAusZellen(const std::vector<std::string>& zellen, const std::array<int, kStrassenFeldZahl>& spalten) {
  return StrasseAus([&](int spalte) { return ZelleOderLeer(zellen, spalte); }, spalten);
}

}  // namespace orvano
