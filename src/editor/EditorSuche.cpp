#include "EditorSuche.h"

#include <algorithm>

#include "core/Dateien.h"
#include "core/Felder.h"
#include "core/SeitenDatei.h"
#include "core/Texte.h"

namespace orvano {

namespace {

struct Spalte {
  const char* titel;
  int breite;
};
constexpr Spalte kPLZSpalten[kEditorPLZSpalten] = {
    {"LNr", 0},         {"Ort", 170},          {"Staat", -1},         {"Bundesland", 120},
    {"Ortsteil/Stadtteil", 110}, {"Landkreis", 120}, {"Postleitzahl", 75}, {"Auto-KZ", 50},
    {"Breitengrad", 90}, {"L\xE4ngengrad", 90}, {"", -1},             {"Regierungsbezirk", 120},
    {"Gemeindeteil", 110}, {"Verwaltungszusammenschluss", 170}, {"Vorwahl", 60}, {"Strassen", 60},
    {"Ab Bis Nr", -1}};
constexpr Spalte kStrassenSpalten[kEditorStrassenSpalten] = {{"LNr", 0}, {"Ort", 170},  {"PLZ", 60}, {"Strasse", 220},
                                                             {"Ab", 50},  {"Bis", 50}, {"Code", -1}};

const Spalte* SpalteVon(EditorArt art, int spalte) {
  const int n = art == EditorArt::PLZ ? kEditorPLZSpalten : kEditorStrassenSpalten;
  if (spalte < 0 || spalte >= n) return nullptr;
  return art == EditorArt::PLZ ? &kPLZSpalten[spalte] : &kStrassenSpalten[spalte];
}

}  // namespace

std::string EditorSpaltenTitel(EditorArt art, int spalte) {
  const Spalte* s = SpalteVon(art, spalte);
  return s != nullptr ? s->titel : "";
}

int EditorSpaltenBreite(EditorArt art, int spalte, bool ohneDE) {
  const Spalte* s = SpalteVon(art, spalte);
  if (s == nullptr) return -1;
  if (art == EditorArt::PLZ && ohneDE && (spalte == 3 || spalte == 4 || spalte == 5 || spalte == 7)) return -1;
  return s->breite;
}

int EditorSpalteMitTitel(EditorArt art, std::string_view titel) {
  const int n = art == EditorArt::PLZ ? kEditorPLZSpalten : kEditorStrassenSpalten;
  for (int c = 0; c < n; ++c) {
    if (!titel.empty() && SpalteVon(art, c)->titel == titel) return c;
  }
  return -1;
}

std::size_t EditorSatzGroesse(EditorArt art) { return art == EditorArt::PLZ ? sizeof(TPLZRecord) : sizeof(TStrassenRecord); }

std::int64_t EditorAnzahl(const std::string& datei, EditorArt art) { return RecordAnzahl(datei, EditorSatzGroesse(art)); }

void EditorSpaltenSetzen(Tabelle& t, EditorArt art, bool ohneDE) {
  const int spalten = art == EditorArt::PLZ ? kEditorPLZSpalten : kEditorStrassenSpalten;
  t.setSpalten(spalten);
  t.setFesteZeilen(1);
  t.setFesteSpalten(1);
  for (int c = 0; c < spalten; ++c) {
    t.setZelle(c, 0, EditorSpaltenTitel(art, c));
    t.setBreite(c, EditorSpaltenBreite(art, c, ohneDE));
  }
}

std::int64_t EditorSeiteLesen(Tabelle& t, EditorArt art, const std::string& datei, std::int64_t anfang) {
  TabelleZellenLeeren(t);
  const int zeilen = t.zeilen() - 1;
  if (datei.empty() || !DateiVorhanden(datei)) return 0;
  std::int64_t n = 0;
  if (art == EditorArt::PLZ) {
    const SeitenDatei<TPLZRecord> d(datei);
    n = d.anzahl();
    const auto recs = d.seite(anfang + 1, zeilen);
    for (std::size_t i = 0; i < recs.size(); ++i) {
      const int r = static_cast<int>(i) + 1;
      for (int c = 1; c < kEditorPLZSpalten; ++c) t.setZelle(c, r, PLZEditorZelle(recs[i], c));
      t.setZelle(10, r, std::to_string(r));
    }
  } else {
    const SeitenDatei<TStrassenRecord> d(datei);
    n = d.anzahl();
    const auto recs = d.seite(anfang + 1, zeilen);
    for (std::size_t i = 0; i < recs.size(); ++i) {
      for (int c = 1; c < kEditorStrassenSpalten; ++c) t.setZelle(c, static_cast<int>(i) + 1, StrassenEditorZelle(recs[i], c));
    }
  }
  for (int r = 1; r <= zeilen && anfang + r <= n; ++r) t.setZelle(0, r, std::to_string(anfang + r));
  return n;
}

std::string PLZEditorZelle(const TPLZRecord& r, int spalte) {
  if (spalte == 15) return r.Strassen < 1 ? std::string() : std::to_string(static_cast<std::int32_t>(r.Strassen));
  const PLZFeld* f = PLZFeldDerSpalte(spalte);
  return f != nullptr ? f->zelle(r) : std::string();
}

std::string StrassenEditorZelle(const TStrassenRecord& s, int spalte) {
  switch (spalte) {
    case 1: return s.Ort.text();
    case 2: return std::to_string(static_cast<std::int32_t>(s.PLZ));
    case 3: return s.Strasse.text();
    case 4: return s.AbNr.text();
    case 5: return s.BisNr.text();
    case 6: return std::string(1, s.HausNrKz);
    default: return {};
  }
}

namespace {

std::string_view Zelle(const std::vector<std::string>& zellen, int spalte) {
  return static_cast<std::size_t>(spalte) < zellen.size() ? std::string_view(zellen[static_cast<std::size_t>(spalte)]) : std::string_view();
}

}  // namespace

TPLZRecord PLZAusEditorZeile(const std::vector<std::string>& zellen, char land) {
  TPLZRecord r{};
  for (const PLZFeld& f : PLZFelder()) f.setzen(r, Zelle(zellen, f.spalte));
  r.Staat.setzen(LandISO(land));
  return r;
}

TStrassenRecord StrasseAusEditorZeile(const std::vector<std::string>& zellen) {
  TStrassenRecord s{};
  s.Ort.setzen(Zelle(zellen, 1));
  s.PLZ = TextZuZahl(Zelle(zellen, 2));
  s.Strasse.setzen(Zelle(zellen, 3));
  s.AbNr.setzen(Zelle(zellen, 4));
  s.BisNr.setzen(Zelle(zellen, 5));
  const std::string_view code = Zelle(zellen, 6);
  s.HausNrKz = code.empty() ? '0' : code.front();
  return s;
}

bool EditorZeileBleibt(const TPLZRecord& r) { return !r.Ort.text().empty() && r.PLZ != 0; }
bool EditorZeileBleibt(const TStrassenRecord& s) { return !s.Ort.text().empty() && s.PLZ != 0 && !s.Strasse.text().empty(); }

std::optional<std::string> PLZSuchText(const TPLZRecord& r, int spalte) {
  if (spalte <= 0 || spalte == 10 || spalte >= kEditorPLZSpalten) return std::nullopt;
  if (spalte == 6) return std::to_string(static_cast<std::int32_t>(r.PLZ));
  return PLZEditorZelle(r, spalte);
}

std::optional<std::string> StrassenSuchText(const TStrassenRecord& s, int spalte, bool verknuepft) {
  if (spalte <= 0 || spalte >= kEditorStrassenSpalten || (verknuepft && spalte == 6)) return std::nullopt;
  return StrassenEditorZelle(s, spalte);
}

bool SuchTreffer(std::string_view feld, std::string_view text, bool genau) {
  return genau ? feld == text : feld.find(text) != std::string_view::npos;
}

namespace {

std::int64_t Durchsuchen(const EditorSuchAuftrag& a, std::int64_t start, bool rueckwaerts, bool verknuepft, Fortschritt& f) {
  auto passt = [&](const std::optional<std::string>& feld) { return feld && SuchTreffer(*feld, a.text, a.genau); };
  if (a.art == EditorArt::PLZ) {
    return SeitenDatei<TPLZRecord>(a.datei).suchen(start, rueckwaerts, 100,
                                                   [&](std::int64_t, const TPLZRecord& r) { return passt(PLZSuchText(r, a.spalte)); }, f);
  }
  return SeitenDatei<TStrassenRecord>(a.datei).suchen(
      start, rueckwaerts, 1000, [&](std::int64_t, const TStrassenRecord& s) { return passt(StrassenSuchText(s, a.spalte, verknuepft)); }, f);
}

}  // namespace

std::int64_t EditorSuchen(const EditorSuchAuftrag& a, bool rueckwaerts, std::int64_t& suchPosition, Fortschritt& f) {
  if (a.text.empty() || !DateiVorhanden(a.datei)) return 0;
  const std::int64_t n = EditorAnzahl(a.datei, a.art);
  std::int64_t start = suchPosition;
  // Backward from beyond the end begins at the last record.
  if (rueckwaerts) start = std::min(start, n + 1);
  if (rueckwaerts ? start > 1 : start < n) start += rueckwaerts ? -1 : 1;
  // Without a match, and after Escape, the step is undone: the position stays as it was.
  const std::int64_t k = Durchsuchen(a, start, rueckwaerts, false, f);
  if (k > 0) suchPosition = k;
  return k;
}

std::int64_t EditorNachschlagen(const EditorSuchAuftrag& a, Fortschritt& f) {
  if (!DateiVorhanden(a.datei)) return 0;
  EditorSuchAuftrag genau = a;
  genau.genau = true;
  return Durchsuchen(genau, 1, false, true, f);
}

}  // namespace orvano
