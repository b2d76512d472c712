// orvano-cli: optimising, searching and checking a database.
#include <algorithm>
#include <optional>
#include <iterator>

#include "CliAufruf.h"
#include "core/Dateien.h"
#include "core/Texte.h"
#include "core/Windows1252.h"
#include "folders/Sicherung.h"
#include "maps/Karte.h"
#include "maps/Route.h"

#include <fstream>
#include "search/Pruefen.h"
#include "search/Suchen.h"
#include "streets/Optimierung.h"
#include "streets/StrassenListe.h"
#include "streets/StrassenZaehlen.h"

namespace orvano::cli {

namespace {

// Questions and notes of the operations go to the output, CR as a line break; every question
// gets the answer of --ja.
class OptimierungsAntworten : public Rueckfragen {
 public:
  OptimierungsAntworten(bool ja, std::ostream& out, std::ostream& err) : ja_(ja), out_(out), err_(err) {}
  void meldung(const std::string& text) override { err_ << "orvano-cli: " << Zeilen(text) << "\n"; }
  void hinweis(const std::string& text) override { out_ << Zeilen(text) << "\n"; }
  // Postal-code records without place or code are never dropped from the command line.
  bool frage(const std::string& text) override {
    const bool antwort = ja_ && text.find(kOhneOrtOderPLZ) == std::string::npos;
    out_ << Zeilen(text) << (antwort ? " Ja" : " Nein") << "\n";
    return antwort;
  }

 private:
  static std::string Zeilen(std::string t) {
    for (char& c : t) c = c == '\r' ? '\n' : c;
    return t;
  }
  bool ja_;
  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace

Datenbestand TabelleLaden(const Aufruf& a, const std::string& standardOrdner, bool plz, std::ostream& err,
                          std::optional<SchreibSperren>* sperre) {
  Datenbestand db = OrdnerSetzen(a, standardOrdner, Land(a));
  const std::string datei = plz ? db.PLZDateiName() : db.StrassenDateiName();
  if (!DateiVorhanden(datei)) throw Fehlschlag{NichtGefundenText(datei)};
  MussDateiSein(datei);
  if (sperre) sperre->emplace(std::vector<std::string>{datei});
  KommandozeilenAntworten nein(false, err);
  if (plz) {
    db.PLZLaden(nein);
  } else {
    db.StrassenLaden(KeinFortschritt(), nein);
  }
  return db;
}

double KommaWert(const Aufruf& a, const std::string& name) {
  std::string t = Wert(a, name);
  std::replace(t.begin(), t.end(), '.', ',');
  double g = 0;
  if (t.empty() || !KommaZahlLesen(t, g)) throw FalscherAufruf{name + " braucht eine Zahl wie 50,94 oder 50.94"};
  return g;
}

namespace {

// One listed entry: its table position, then the cells a window shows, separated by ";".
template <std::size_t N>
void ZeileAusgeben(std::ostream& out, std::int32_t position, const std::vector<std::string>& zeile, const int (&spalten)[N]) {
  out << position;
  for (const int c : spalten) out << ';' << Cp1252ZuUtf8(zeile[static_cast<std::size_t>(c)]);
  out << '\n';
}

}  // namespace

int Optimieren(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--ordner", "--land", "--plz", "--strassen", "--sortieren", "--ja"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben f\xC3\xBCr optimieren"};
  const bool plz = a.schalter.count("--plz") > 0, sortieren = a.schalter.count("--sortieren") > 0;
  const bool strassen = a.schalter.count("--strassen") > 0 || (!plz && !sortieren);
  const bool ja = a.schalter.count("--ja") > 0;
  Datenbestand db = OrdnerSetzen(a, standardOrdner, Land(a));
  if (!DateiVorhanden(db.PLZDateiName())) throw Fehlschlag{NichtGefundenText(db.PLZDateiName())};
  MussDateiSein(db.PLZDateiName());
  if ((strassen || sortieren) && !DateiVorhanden(db.StrassenDateiName())) throw Fehlschlag{NichtGefundenText(db.StrassenDateiName())};
  // Read and replaced under the files' locks: nobody writes them in between.
  std::optional<SchreibSperren> sperren;
  if (ja) sperren.emplace(std::vector<std::string>{db.PLZDateiName(), db.StrassenDateiName()});
  OptimierungsAntworten antworten(ja, out, err);
  db.PLZLaden(antworten);
  // Invalid entries are not purged first: the backup of the optimisation holds the file as it
  // was before the command, and the optimised file leaves them out anyway.
  db.StrassenLaden(KeinFortschritt(), antworten, false);
  // Every replace is asked for, so that without --ja nothing is written.
  OptimierungsOptionen o;
  o.plzFragen = o.strassenFragen = o.sortierenFragen = true;
  o.datum = HeutigesDatum();
  bool geschrieben = false;
  // A step that fails after an earlier one saved names what is already changed.
  std::vector<std::string> gespeichert;
  auto schritt = [&](auto&& lauf) {
    try {
      lauf();
    } catch (const DateiFehler& f) {
      if (gespeichert.empty()) throw;
      std::string schon;
      for (const std::string& d : gespeichert) schon += (schon.empty() ? "" : ", ") + d;
      throw Fehlschlag{std::string(f.what()) + "\nBereits gespeichert: " + schon};
    }
  };
  if (plz) {
    schritt([&] {
      const PLZOptErgebnis e = PLZOptimieren(db, o, KeinFortschritt(), antworten);
      out << "PLZ-Datenbank: " << e.doppelte << " doppelte Eintr\xC3\xA4ge\n";
      if (e.gespeichert) gespeichert.push_back(db.plzDatei());
      geschrieben = geschrieben || e.gespeichert;
    });
  }
  if (strassen) {
    schritt([&] {
      const StrassenOptErgebnis e = StrassenOptimieren(db, o, KeinFortschritt(), antworten);
      if (e.gespeichert) gespeichert.push_back(db.strassenDatei() + " (mit " + db.plzDatei() + ")");
      geschrieben = geschrieben || e.gespeichert;
    });
  }
  if (sortieren) {
    schritt([&] {
      const SortErgebnis e = StrassenSortieren(db, o, KeinFortschritt(), antworten);
      out << "Stra\xC3\x9F" "endatenbank sortiert: " << e.bewegt << " Datens\xC3\xA4tze an anderer Stelle\n";
      geschrieben = geschrieben || e.gespeichert;
    });
  }
  if (!ja) out << "Nichts geschrieben (mit --ja wird gespeichert)\n";
  else if (!geschrieben) out << "Nichts zu speichern\n";
  return 0;
}

int StrassenZaehlenBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--ordner", "--land", "--ja"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben f\xC3\xBCr strassen-zaehlen"};
  const bool ja = a.schalter.count("--ja") > 0;
  Datenbestand db = OrdnerSetzen(a, standardOrdner, Land(a));
  for (const std::string& datei : {db.PLZDateiName(), db.StrassenDateiName()}) {
    if (!DateiVorhanden(datei)) throw Fehlschlag{NichtGefundenText(datei)};
    MussDateiSein(datei);
  }
  std::optional<SchreibSperren> sperren;
  if (ja) sperren.emplace(std::vector<std::string>{db.PLZDateiName(), db.StrassenDateiName()});
  OptimierungsAntworten antworten(false, out, err);
  db.PLZLaden(antworten);
  db.StrassenLaden(KeinFortschritt(), antworten);
  const ZaehlErgebnis e = ja ? StrassenZaehlen(db, KeinFortschritt(), antworten) : StrassenNeuZaehlen(db, KeinFortschritt());
  out << e.geaendert << " von " << db.PLZAnzahl << " PLZ-Eintr\xC3\xA4gen mit anderer Strassenzahl oder erster Position\n";
  if (!ja) out << "Nichts geschrieben (mit --ja wird gespeichert)\n";
  return 0;
}

namespace {

std::int32_t StartNummer(const Aufruf& a) {
  const std::string ab = Wert(a, "--ab", "1");
  std::int32_t n = 0;
  if (!GanzzahlLesen(ab, n)) throw FalscherAufruf{"--ab braucht eine Zahl"};
  return std::max(1, n);
}

}  // namespace

int Suchen(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--ordner", "--land", "--art", "--ab", "--doppelte", "--feld", "--text", "--genau", "--feld2", "--text2"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben f\xC3\xBCr suchen"};
  const bool plz = PLZArt(a, true);
  const bool doppelt = a.schalter.count("--doppelte") > 0;
  if (doppelt && !plz) throw FalscherAufruf{"--doppelte gibt es nur mit --art plz"};
  SuchAuftrag auftrag;
  auftrag.plz = plz;
  auftrag.start = StartNummer(a);
  if (!doppelt) {
    auftrag.feld = Wert(a, "--feld");
    const auto& felder = plz ? PLZSuchFelder() : StrassenSuchFelder();
    for (const std::string& f : {auftrag.feld, Wert(a, "--feld2")}) {
      if (!f.empty() && (f == "2xPLZ" || std::find(felder.begin(), felder.end(), f) == felder.end())) {
        throw FalscherAufruf{"Unbekanntes Feld " + f};
      }
    }
    if (auftrag.feld.empty()) throw FalscherAufruf{"suchen braucht --doppelte oder --feld"};
    if (Wert(a, "--text").empty()) throw Fehlschlag{"Suchkette eingeben"};
    auftrag.text = Utf8ZuCp1252(Wert(a, "--text"));
    auftrag.genau = a.schalter.count("--genau") > 0;
    auftrag.feld2 = Wert(a, "--feld2");
    auftrag.text2 = Utf8ZuCp1252(Wert(a, "--text2"));
  }
  const Datenbestand db = TabelleLaden(a, standardOrdner, plz, err);
  const SuchErgebnis e = doppelt ? DoppeltePLZ(db, auftrag.start, KeinFortschritt()) : FeldSuchen(db, auftrag, KeinFortschritt());
  // The shown cells of the window, in its column order.
  static const int kPLZ[] = {1, 3, 4, 5, 6, 7, 8, 9, 14, 15};
  static const int kStrassen[] = {1, 6, 15, 16, 17};
  int markiert = 0;
  for (std::size_t i = 0; i < e.positionen.size(); ++i) {
    const std::int32_t p = e.positionen[i];
    const auto z = plz ? PLZSuchZeile(db.PLZTabelle[static_cast<std::size_t>(p)], p)
                       : StrassenSuchZeile(db.StrassenTabelle[static_cast<std::size_t>(p)], p, SuchLand(db));
    if (plz) {
      ZeileAusgeben(out, p, z, kPLZ);
    } else {
      ZeileAusgeben(out, p, z, kStrassen);
    }
    markiert += e.markiert[i] ? 1 : 0;
  }
  if (doppelt) {
    out << (markiert == 0 ? std::string("Keine Doppelte PLZ gefunden") : std::to_string(markiert) + " Doppelte PLZ gefunden.") << '\n';
  } else {
    out << (e.positionen.empty() ? std::string("Keine Eintr\xC3\xA4ge gefunden")
                                 : std::to_string(e.positionen.size()) + " Eintr\xC3\xA4ge gefunden")
        << '\n';
  }
  return 0;
}

int Pruefen(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--ordner", "--land", "--art", "--ab", "--loeschen", "--ja"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben f\xC3\xBCr pruefen"};
  const bool plz = PLZArt(a, true);
  const bool loeschen = a.schalter.count("--loeschen") > 0;
  if (loeschen && !a.schalter.count("--ja")) throw FalscherAufruf{"--loeschen braucht --ja"};
  const std::int32_t start = StartNummer(a);
  std::optional<SchreibSperren> sperre;
  Datenbestand db = TabelleLaden(a, standardOrdner, plz, err, loeschen ? &sperre : nullptr);
  const std::string datei = plz ? db.plzDatei() : db.strassenDatei();
  KommandozeilenAntworten nein(false, err);
  const PruefErgebnis e = plz ? PLZDoppelte(db, start, KeinFortschritt()) : StrassenDoppelte(db, start, KeinFortschritt());
  // The cells the window shows, in its column order, after the table position.
  static const int kPLZSpalten[] = {1, 3, 4, 5, 6, 7, 8, 9, 14, 15};
  static const int kStrassenSpalten[] = {1, 2, 6, 15, 16, 17};
  for (const std::int32_t p : e.positionen) {
    const auto zeile = plz ? PLZPruefZeile(db.PLZTabelle[static_cast<std::size_t>(p)], p)
                           : StrassenPruefZeile(db.StrassenTabelle[static_cast<std::size_t>(p)], p, SuchLand(db));
    if (plz) {
      ZeileAusgeben(out, p, zeile, kPLZSpalten);
    } else {
      ZeileAusgeben(out, p, zeile, kStrassenSpalten);
    }
  }
  out << PruefMeldung(e.positionen.size()) << '\n';
  if (loeschen && !e.positionen.empty()) {
    if (plz) {
      PLZDoppelteLoeschen(db, e.positionen, KeinFortschritt(), nein);
    } else {
      StrassenDoppelteLoeschen(db, e.positionen, KeinFortschritt(), nein);
    }
    out << e.positionen.size() << " Eintr\xC3\xA4ge aus " << datei << " gel\xC3\xB6scht\n";
  }
  return 0;
}

int RouteZeigen(const Aufruf& a, const std::string& standardOrdner, std::ostream& out) {
  NurErlaubt(a, {"--dienst", "--datei", "--von", "--nach"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben f\xC3\xBCr route"};
  ProgrammOrdnerPruefen(a, standardOrdner);
  Route r;
  const std::string datei = Wert(a, "--datei");
  if (!datei.empty()) {
    if (a.optionen.count("--von") || a.optionen.count("--nach")) throw FalscherAufruf{"route braucht --datei oder --von/--nach"};
    std::ifstream f(datei, std::ios::binary);
    if (!f) throw Fehlschlag{NichtGefundenText(datei)};
    std::string zeile;
    std::getline(f, zeile);
    if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
    const auto gelesen = RouteAusZeile(zeile);
    if (!gelesen) throw Fehlschlag{"Datei " + datei + " enth\xC3\xA4lt keine Route"};
    r = *gelesen;
  } else {
    if (!a.optionen.count("--von") || !a.optionen.count("--nach")) throw FalscherAufruf{"route braucht --datei oder --von und --nach"};
    // "ORT|PLZ|STRASSE" as the route file writes one side.
    const auto von = RouteAusZeile(Utf8ZuCp1252(Wert(a, "--von")) + "*" + Utf8ZuCp1252(Wert(a, "--nach")) + "*0");
    r = *von;
  }
  std::string dienst = Wert(a, "--dienst");
  if (dienst.empty()) dienst = !datei.empty() && r.dienst >= 0 && r.dienst < 8 ? kRoutenDienste[static_cast<std::size_t>(r.dienst)] : "Google";
  if (std::find(kRoutenDienste.begin(), kRoutenDienste.end(), dienst) == kRoutenDienste.end()) {
    throw FalscherAufruf{"Unbekannter Dienst " + dienst};
  }
  if (const std::string fehlt = RouteFehlt(r); !fehlt.empty()) throw Fehlschlag{fehlt};
  if (const std::string fehler = RoutenPLZFehler(r); !fehler.empty()) throw Fehlschlag{Cp1252ZuUtf8(fehler)};
  out << Cp1252ZuUtf8(RoutenAdresse(r, dienst)) << "\n";
  return 0;
}

int OrtBei(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--ordner", "--land", "--breite", "--laenge"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben f\xC3\xBCr ort-bei"};
  const double breite = KommaWert(a, "--breite"), laenge = KommaWert(a, "--laenge");
  const Datenbestand db = TabelleLaden(a, standardOrdner, true, err);
  const std::int32_t k = NaechsterSatz(db, KartenLand(db.Land), breite, laenge);
  if (k < 1 || k > db.PLZAnzahl) throw Fehlschlag{"Keine Postleitzahl in " + db.PLZDateiName()};
  const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
  out << k << ';' << PLZText(r) << ';' << Cp1252ZuUtf8(r.Ort.text()) << ';'
      << RealZuText(r.Breitengrad) << ';' << RealZuText(r.Laengengrad) << '\n';
  return 0;
}

}  // namespace orvano::cli

namespace orvano::cli {

namespace {

// "Strasse;AbNr;BisNr" lines (Windows-1252 or UTF-8) as rows of record R.
std::vector<StrassenZeile> ListenDateiLesen(const std::string& datei, const TPLZRecord& r, char land) {
  MussDateiSein(datei);
  std::ifstream ein(datei, std::ios::binary);
  if (!ein) throw Fehlschlag{"Datei " + datei + " kann nicht gelesen werden"};
  const std::string inhalt = TextAlsCp1252(std::string(std::istreambuf_iterator<char>(ein), {}));
  std::vector<StrassenZeile> zeilen;
  std::size_t anfang = 0;
  while (anfang < inhalt.size()) {
    std::size_t ende = inhalt.find('\n', anfang);
    if (ende == std::string::npos) ende = inhalt.size();
    std::string zeile = inhalt.substr(anfang, ende - anfang);
    anfang = ende + 1;
    if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
    if (LeerzeichenEntfernen(zeile).empty()) continue;
    std::vector<std::string> teile;
    for (std::size_t p = 0;;) {
      const std::size_t q = zeile.find(';', p);
      teile.push_back(zeile.substr(p, q == std::string::npos ? std::string::npos : q - p));
      if (q == std::string::npos) break;
      p = q + 1;
    }
    // Blanks at the ends go; those inside a name or number ("Am Markt", "12 a") stay.
    auto teil = [&](std::size_t i) { return i < teile.size() ? BlanksAbschneiden(teile[i]) : std::string(); };
    zeilen.push_back({r.Ort.text(), PLZText(r.PLZ, land), teil(0), teil(1), teil(2)});
  }
  return zeilen;
}

}  // namespace

int StrassenBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--ordner", "--land", "--plz", "--ort", "--datei", "--ja"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben f\xC3\xBCr strassen"};
  if (!a.optionen.count("--plz") || !a.optionen.count("--ort")) throw FalscherAufruf{"strassen braucht --plz und --ort"};
  std::int32_t plz = 0;
  if (!GanzzahlLesen(NurZiffern(Wert(a, "--plz")), plz) || plz <= 0) throw FalscherAufruf{"--plz braucht eine Postleitzahl"};
  const std::string ort = Utf8ZuCp1252(Wert(a, "--ort"));
  const bool ja = a.schalter.count("--ja") > 0;
  Datenbestand db = OrdnerSetzen(a, standardOrdner, Land(a));
  if (!DateiVorhanden(db.PLZDateiName())) throw Fehlschlag{NichtGefundenText(db.PLZDateiName())};
  MussDateiSein(db.PLZDateiName());
  std::optional<SchreibSperren> sperren;
  if (ja && a.optionen.count("--datei")) sperren.emplace(std::vector<std::string>{db.PLZDateiName(), db.StrassenDateiName()});
  OptimierungsAntworten antworten(ja, out, err);
  db.PLZLaden(antworten);
  db.StrassenLaden(KeinFortschritt(), antworten, false);
  std::int32_t satz = 0;
  for (std::int32_t k = 1; k <= db.PLZAnzahl && satz == 0; ++k) {
    const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
    if (r.PLZ == plz && TexteGleich(r.Ort.text(), ort)) satz = k;
  }
  if (satz == 0) throw Fehlschlag{"Kein PLZ-Eintrag " + Wert(a, "--plz") + " " + Wert(a, "--ort")};
  const char land = db.Land.front();
  const StrassenListe liste = StrassenListeFuellen(db, satz, false, land, KeinFortschritt(), antworten);
  const std::string name = PLZText(plz, land) + " " + db.PLZTabelle[static_cast<std::size_t>(satz)].Ort.text();
  if (!a.optionen.count("--datei")) {
    static const int kSpalten[] = {0, 1, 2, 3, 4};
    for (std::size_t i = 0; i < liste.positionen.size(); ++i) {
      const StrassenZeile& z = liste.zeilen[i];
      ZeileAusgeben(out, liste.positionen[i], {z.ort, z.plz, z.strasse, z.abNr, z.bisNr}, kSpalten);
    }
    out << liste.positionen.size() << " Stra\xC3\x9F" "en von " << Cp1252ZuUtf8(name) << "\n";
    return 0;
  }
  const TPLZRecord rec = db.PLZTabelle[static_cast<std::size_t>(satz)];
  const std::vector<StrassenZeile> zeilen = ListenDateiLesen(Wert(a, "--datei"), rec, land);
  std::size_t neu = 0;
  for (const StrassenZeile& z : zeilen) neu += LeerzeichenEntfernen(z.strasse).empty() ? 0 : 1;
  if (!ja) {
    out << liste.positionen.size() << " Stra\xC3\x9F" "en von " << Cp1252ZuUtf8(name) << " w\xC3\xBCrden durch " << neu << " ersetzt\n";
    out << "Nichts geschrieben (mit --ja wird gespeichert)\n";
    return 0;
  }
  const ListenSpeicherung e = StrassenListeSpeichern(db, satz, zeilen, db.OrdnerName(), KeinFortschritt(), antworten);
  if (!e.gespeichert) throw Fehlschlag{"Nichts gespeichert"};
  out << e.entfernt << " Stra\xC3\x9F" "en von " << Cp1252ZuUtf8(name) << " durch " << e.strassen << " ersetzt\n";
  return 0;
}

}  // namespace orvano::cli
