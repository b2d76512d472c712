#include "Export.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <memory>

#include "core/Datenbestand.h"
#include "core/Listen.h"
#include "core/AnhangJournal.h"
#include "core/RecordDatei.h"
#include "core/Records.h"
#include "core/StrassenVerzeichnis.h"
#include "core/StrassenZuordnung.h"
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

namespace {

// The street part of an export line: separator, street, separator, house numbers with prefix.
// Writes at most kSchwanzHoechstens bytes plus two prefixes to Z; returns the end.
constexpr std::size_t kSchwanzHoechstens = 3 + 65 + 6 + 6;

char* Kopieren(char* z, std::string_view t) {
  std::memcpy(z, t.data(), t.size());
  return z + t.size();
}

template <std::size_t N>
char* TextKopieren(char* z, const KurzText<N>& t) {
  const std::size_t n = t.laenge <= N ? t.laenge : N;
  std::memcpy(z, t.zeichen, n);
  return z + n;
}

char* NummerKopieren(char* z, const KurzText<6>& nr, const std::string& vorsatz) {
  return nr.leer() ? z : TextKopieren(Kopieren(z, vorsatz), nr);
}

char* SchwanzSchreiben(char* z, const TStrassenRecord& s, char sep, const std::string& nrVorsatz) {
  *z++ = sep;
  z = TextKopieren(z, s.Strasse);
  *z++ = sep;
  z = NummerKopieren(z, s.AbNr, nrVorsatz);
  *z++ = sep;
  return NummerKopieren(z, s.BisNr, nrVorsatz);
}

// The street parts of the lines for every valid street of a street file, read straight from the
// file into one block (a fifth of the records' size), grouped by the record each belongs to: an
// export needs no table of the streets.
class StrassenSchwaenze {
 public:
  // False when the file is too large for the block's 32-bit offsets (then the table is loaded).
  static bool passt(std::int64_t saetze, const std::string& nrVorsatz) {
    return static_cast<double>(saetze) * static_cast<double>(kSchwanzHoechstens + 2 * nrVorsatz.size()) < 4.0e9;
  }

  StrassenSchwaenze(const std::string& datei, std::int64_t saetze, const StrassenZuordnung& zuordnung, std::int32_t plzAnzahl,
                    char sep, const std::string& nrVorsatz) {
    // Reserved for the longest parts; only what is written takes memory.
    text_.reset(new char[static_cast<std::size_t>(saetze) * (kSchwanzHoechstens + 2 * nrVorsatz.size()) + 1]);
    anfang_.reserve(static_cast<std::size_t>(saetze) + 2);
    anfang_.assign(2, 0);
    // The record each street belongs to, 0 for an invalid one or one without a record.
    std::vector<std::int32_t> besitzer(1, 0);
    besitzer.reserve(static_cast<std::size_t>(saetze) + 1);
    char* z = text_.get();
    RecordsBlockweise(datei, sizeof(TStrassenRecord), 1 << 15, [&](const char* daten, std::size_t anzahl) {
      const auto* satz = reinterpret_cast<const TStrassenRecord*>(daten);
      // What another program appends meanwhile is not read, as a table would not hold it.
      anzahl = std::min(anzahl, static_cast<std::size_t>(saetze) + 1 - besitzer.size());
      for (std::size_t i = 0; i < anzahl; ++i) {
        const std::int32_t k = StrasseGueltig(satz[i]) ? zuordnung.besitzer(satz[i]) : 0;
        besitzer.push_back(k);
        if (k > 0) z = SchwanzSchreiben(z, satz[i], sep, nrVorsatz);
        anfang_.push_back(static_cast<std::uint32_t>(z - text_.get()));
      }
    });
    verzeichnis_.aufbauen(besitzer, plzAnzahl + 1);
  }

  // Calls F with the street part of each valid street of record SATZ, in file order.
  template <class F>
  void fuer(std::int32_t satz, F&& f) const {
    for (const std::int32_t k : verzeichnis_.bereich(satz)) {
      const std::uint32_t a = anfang_[static_cast<std::size_t>(k)];
      f(std::string_view(text_.get() + a, anfang_[static_cast<std::size_t>(k) + 1] - a));
    }
  }

 private:
  std::unique_ptr<char[]> text_;
  // Street k's part is text_[anfang_[k], anfang_[k + 1]).
  std::vector<std::uint32_t> anfang_;
  StrassenVerzeichnis verzeichnis_;
};

// The lines of the export; STRASSEN(k, f) calls f with the street part of each street that
// belongs to record k, in table order. The caller has made sure DATEI is no database file.
template <class Strassen>
ExportErgebnis ZeilenSchreiben(const Datenbestand& db, const std::string& datei, const ExportOptionen& opt,
                               Fortschritt& fortschritt, Strassen&& strassen) {
  const char sep = ExportTrenner(datei);
  ExportErgebnis ergebnis;
  const std::int32_t anzahl = opt.saetze ? static_cast<std::int32_t>(opt.saetze->size()) : db.PLZAnzahl;
  fortschritt.beginnen(anzahl);
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
    for (std::int32_t n = 1; n <= anzahl; ++n) {
      const std::int32_t k = opt.saetze ? (*opt.saetze)[static_cast<std::size_t>(n - 1)] : n;
      if (k < 1 || k > db.PLZAnzahl) continue;
      const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
      const std::string kopf = opt.art == ExportArt::Strassen
                                   ? r.Ort.text() + sep + PostleitzahlSpalte(r, opt.plzVorsatz)
                                   : PLZSpalten(r, sep, opt.plzVorsatz);
      // The streets that belong to this record; a record without any gives its one line,
      // whatever count it has stored.
      const std::int64_t vorher = lnr;
      if (opt.art != ExportArt::PLZ) {
        // Each street's line is put together where the writer's buffer takes it.
        const std::size_t hoechstens = 24 + kopf.size() + kSchwanzHoechstens + 2 * opt.nrVorsatz.size();
        strassen(k, [&](std::string_view schwanz) {
          char* z = aus.platz(hoechstens);
          z = std::to_chars(z, z + 20, ++lnr).ptr;
          *z++ = sep;
          z = Kopieren(z, kopf);
          z = Kopieren(z, schwanz);
          *z++ = '\r';
          *z++ = '\n';
          aus.belegen(z);
        });
      }
      if (lnr == vorher) {
        ZahlAnhaengen(zeile, ++lnr);
        (zeile += sep) += kopf;
        schreiben();
      }
      if (n % 100 == 0) fortschritt.position(n);
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

}  // namespace

ExportErgebnis Exportieren(const Datenbestand& db, const std::string& datei, const ExportOptionen& opt,
                           Fortschritt& fortschritt) {
  if (const std::string nein = ExportZielVerboten(db, datei); !nein.empty()) throw DateiFehler(nein);
  const char sep = ExportTrenner(datei);
  std::string schwanz(kSchwanzHoechstens + 2 * opt.nrVorsatz.size(), '\0');
  const StrassenVerzeichnis besitz =
      opt.art == ExportArt::PLZ ? StrassenVerzeichnis{}
                                : StrassenNachBesitzer(db.PLZTabelle, db.PLZAnzahl, db.StrassenTabelle, db.StrassenZahl);
  return ZeilenSchreiben(db, datei, opt, fortschritt, [&](std::int32_t k, auto&& zeile) {
    for (const std::int32_t i : besitz.bereich(k)) {
      const char* ende = SchwanzSchreiben(schwanz.data(), db.StrassenTabelle[static_cast<std::size_t>(i)], sep, opt.nrVorsatz);
      zeile(std::string_view(schwanz.data(), static_cast<std::size_t>(ende - schwanz.data())));
    }
  });
}

ExportErgebnis ExportierenAusDatei(Datenbestand& db, const std::string& datei, const ExportOptionen& opt,
                                   Fortschritt& fortschritt, Rueckfragen& rueckfragen) {
  const std::string strassenDatei = db.StrassenDateiName();
  if (opt.art == ExportArt::PLZ || !DateiVorhanden(strassenDatei)) return Exportieren(db, datei, opt, fortschritt);
  if (const std::string nein = ExportZielVerboten(db, datei); !nein.empty()) throw DateiFehler(nein);
  if (const auto m = AbgebrochenenAnhangZuruecknehmen(strassenDatei)) rueckfragen.hinweis(*m);
  const std::int64_t saetze = DateiGroesse(strassenDatei) / static_cast<std::int64_t>(sizeof(TStrassenRecord));
  if (!StrassenSchwaenze::passt(saetze, opt.nrVorsatz)) {
    db.StrassenLaden(fortschritt, rueckfragen, false);
    return Exportieren(db, datei, opt, fortschritt);
  }
  const StrassenZuordnung zuordnung(db.PLZTabelle, db.PLZAnzahl);
  const StrassenSchwaenze schwaenze(strassenDatei, saetze, zuordnung, db.PLZAnzahl, ExportTrenner(datei), opt.nrVorsatz);
  return ZeilenSchreiben(db, datei, opt, fortschritt,
                         [&schwaenze](std::int32_t k, auto&& zeile) { schwaenze.fuer(k, zeile); });
}

}  // namespace orvano
