#include "Export.h"

#include <cctype>
#include <charconv>

#include "core/Datenbestand.h"
#include "core/Listen.h"
#include "core/RecordDatei.h"
#include "core/Records.h"
#include "core/Texte.h"

namespace orvano {

namespace {

constexpr const char* kPLZTitel[] = {"LNr", "Ort", "Staat", "Bundesland", "Ortsteil/Stadtteil", "Landkreis",
                                     "Regierungsbezirk", "Verwaltungszusammenschluss", "Gemeindeteil", "Breitengrad",
                                     "L\xE4ngengrad", "Auto-KZ", "Postleitzahl", "Vorwahl"};

std::string PostleitzahlSpalte(const TPLZRecord& r, const std::string& vorsatz) {
  const std::int32_t plz = r.PLZ;
  return plz < 1 ? std::string() : vorsatz + PLZText(r);
}

// The 13 columns from "Ort" to "Vorwahl".
std::string PLZSpalten(const TPLZRecord& r, char sep, const std::string& vorsatz) {
  const std::int32_t vorwahl = r.Vorwahl;
  std::string z;
  z.reserve(200);
  for (const std::string& teil : {r.Ort.text(), r.Staat.text(), r.Bundesland.text(), r.Ortsteil.text(),
                                  r.Landkreis.text(), r.Regierungsbezirk.text(), r.Verwaltungszusammenschluss.text(),
                                  r.Gemeindeteil.text(), RealZuText(r.Breitengrad), RealZuText(r.Laengengrad),
                                  r.Autokennzeichen.text(), PostleitzahlSpalte(r, vorsatz)}) {
    z += teil;
    z += sep;
  }
  if (vorwahl >= 1) z += VorwahlText(vorwahl);
  return z;
}

template <std::size_t N>
void Anhaengen(std::string& z, const KurzText<N>& t) {
  z.append(t.zeichen, t.laenge <= N ? t.laenge : N);
}

// A house number with its prefix; nothing for an empty one.
void NummerAnhaengen(std::string& z, const KurzText<6>& nr, const std::string& vorsatz) {
  if (nr.leer()) return;
  z += vorsatz;
  Anhaengen(z, nr);
}

void ZahlAnhaengen(std::string& z, std::int64_t n) {
  char ziffern[24];
  const auto ende = std::to_chars(ziffern, ziffern + sizeof ziffern, n).ptr;
  z.append(ziffern, ende);
}

}  // namespace

char ExportTrenner(const std::string& datei) { return IstCSVName(datei) ? ';' : '\t'; }
std::string ExportTypWort(const std::string& datei) { return IstCSVName(datei) ? "CSV" : "TXT"; }

std::string ExportStatusText(ExportArt art, const std::string& datei, std::int64_t plzAnzahl, std::int64_t zeilenGesamt) {
  const std::string typ = ExportTypWort(datei) + "-Datei speichern";
  switch (art) {
    case ExportArt::PLZ: return std::to_string(plzAnzahl) + " PLZ in " + typ;
    case ExportArt::Strassen: return std::to_string(zeilenGesamt) + " Strassen in " + typ;
    default: return std::to_string(zeilenGesamt) + " PLZ und Strassen in " + typ;
  }
}

std::string ExportDateiVorschlag(ExportArt art, char landBuchstabe, bool csv) {
  const std::string basis = art == ExportArt::PLZ ? "PLZ_" : art == ExportArt::Strassen ? "Strassen_" : "PLZ_Strassen_";
  return basis + landBuchstabe + (csv ? ".csv" : ".txt");
}

std::string ExportZielVerboten(const Datenbestand& db, const std::string& datei) {
  const std::string echt = EchterPfad(datei);
  const std::string text = "Datei " + datei + " ist eine Datenbank-Datei und wird nicht durch den Export \xC3\xBC" "berschrieben";
  for (const std::string& d : {db.plzDatei(), db.strassenDatei(), db.PLZDateiName(), db.StrassenDateiName()}) {
    if (!d.empty() && EchterPfad(d) == echt) return text;
  }
  // Any ".ppp" in a data folder or among the backups.
  std::string endung = datei.size() >= 4 ? datei.substr(datei.size() - 4) : std::string();
  for (char& c : endung) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (endung != ".ppp") return {};
  std::string ordner = EchterPfad(OrdnerTeil(datei).empty() ? "." : OrdnerTeil(datei));
  while (ordner.size() > 1 && ordner.back() == kTrenner) ordner.pop_back();
  std::string prog = EchterPfad(ProgVerzeichnis.empty() ? "." : ProgVerzeichnis);
  while (prog.size() > 1 && prog.back() == kTrenner) prog.pop_back();
  const std::string name = DateiNameTeil(ordner);
  if (OrdnerTeil(ordner) == prog + kTrenner && (name.rfind("Ord_", 0) == 0 || name == "SichCopy")) return text;
  return {};
}

ExportErgebnis Exportieren(const Datenbestand& db, const std::string& datei, const ExportOptionen& opt,
                           Fortschritt& fortschritt) {
  if (const std::string nein = ExportZielVerboten(db, datei); !nein.empty()) throw DateiFehler(nein);
  const char sep = ExportTrenner(datei);
  ExportErgebnis ergebnis;
  fortschritt.beginnen(db.PLZAnzahl);
  AusgabeSchreiben(datei, [&](Schreiber& aus) {
    std::string zeile;
    zeile.reserve(1024);
    auto schreiben = [&] {
      zeile += "\r\n";
      aus.schreiben(zeile.data(), zeile.size());
      zeile.clear();
    };
    for (const char* titel : kPLZTitel) {
      if (opt.art == ExportArt::Strassen && std::string_view(titel) != "LNr" && std::string_view(titel) != "Ort" &&
          std::string_view(titel) != "Postleitzahl") {
        continue;
      }
      if (!zeile.empty()) zeile += sep;
      zeile += titel;
    }
    if (opt.art != ExportArt::PLZ) {
      for (const char* titel : {"Strassen", "Ab Nr", "Bis Nr"}) (zeile += sep) += titel;
    }
    schreiben();

    // One buffer for all lines: a national export has 1.5 million of them.
    std::int64_t lnr = 0;
    for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) {
      const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
      const std::string kopf = opt.art == ExportArt::Strassen
                                   ? r.Ort.text() + sep + PostleitzahlSpalte(r, opt.plzVorsatz)
                                   : PLZSpalten(r, sep, opt.plzVorsatz);
      const std::int32_t strassen = r.Strassen;
      if (opt.art == ExportArt::PLZ || strassen <= 0) {
        ZahlAnhaengen(zeile, ++lnr);
        (zeile += sep) += kopf;
        schreiben();
      } else {
        // Same lines as a scan of the street table for this code, in table order.
        for (const std::int32_t i : db.StrassenNachPLZ(r.PLZ)) {
          const TStrassenRecord& s = db.StrassenTabelle[static_cast<std::size_t>(i)];
          ZahlAnhaengen(zeile, ++lnr);
          (zeile += sep) += kopf;
          zeile += sep;
          Anhaengen(zeile, s.Strasse);
          zeile += sep;
          NummerAnhaengen(zeile, s.AbNr, opt.nrVorsatz);
          zeile += sep;
          NummerAnhaengen(zeile, s.BisNr, opt.nrVorsatz);
          schreiben();
        }
      }
      if (k % 100 == 0) fortschritt.position(k);
      if (fortschritt.abbrechen()) {
        ergebnis.abgebrochen = true;
        break;
      }
    }
    ergebnis.zeilen = lnr;
  });
  fortschritt.beenden();
  return ergebnis;
}

}  // namespace orvano
