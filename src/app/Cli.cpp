#include "Cli.h"

#include <unistd.h>

#include "CliAufruf.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>

#include "core/AnhangJournal.h"
#include "core/SicherungsAblage.h"
#include "core/Dateien.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/RecordDatei.h"
#include "core/Records.h"
#include "core/Start.h"
#include "core/Texte.h"
#include "core/Windows1252.h"
#include "core/Tabelle.h"
#include "exchange/CSVLesen.h"
#include "exchange/Export.h"
#include "exchange/Import.h"
#include "exchange/ImportFormat.h"
#include "folders/Ordner.h"
#include "folders/Sicherung.h"

namespace orvano {

namespace cli {

constexpr const char* kAufruf =
    "Aufruf: orvano-cli [--programmordner ORDNER] BEFEHL [OPTIONEN]\n"
    "\n"
    "Befehle:\n"
    "  info [--ordner NAME]   Datenbankdateien des Datenordners (Standard: Ord_1) mit ihrer\n"
    "                         Anzahl Datensätze für Deutschland, Österreich und Schweiz\n"
    "  bereinigen [--ordner NAME] [--land LAND] [--ja]\n"
    "                         ungültige Einträge der Strassen-Datei zählen; mit --ja\n"
    "                         werden sie aus der Datei gelöscht, sonst wird nichts geschrieben\n"
    "  export [--ordner NAME] [--land LAND] --was plz|strassen|beide\n"
    "         [--plz-vorsatz TEXT] [--nr-vorsatz TEXT] DATEI\n"
    "                         PLZ und/oder Strassen in eine CSV-Datei (\";\", Endung .csv)\n"
    "                         oder Text-Datei (Tabulator) schreiben\n"
    "  ordner                 die Datenordner in der Reihenfolge der Auswahlliste\n"
    "  sichern [--ordner NAME] [--land LAND] --art plz|strassen [--ja]\n"
    "                         Sicherheitskopie in SichCopy anlegen (--ja: die zehnte\n"
    "                         Kopie eines Tages überschreiben)\n"
    "  sicherungen            die Sicherheitskopien mit ihrer Anzahl Datensätze\n"
    "  wiederherstellen SICHERUNG --ordner NAME [--ja]\n"
    "                         Sicherheitskopie in den Datenordner kopieren; ohne --ja\n"
    "                         wird nur gesagt, was geschähe\n"
    "  import [--ordner NAME] [--land LAND] --art plz|strassen --format NAME\n"
    "         [--datei2 DATEI] [--ja] DATEI\n"
    "                         CSV/TXT-Datei über das Import-Format NAME (.imp/.ims im\n"
    "                         Programmordner) lesen, mit --datei2 samt Verknüpfung, und\n"
    "                         mit --ja an die Datenbank anhängen (sonst nur zählen)\n"
    "  formate [--art plz|strassen]\n"
    "                         die Import-Formate in der Reihenfolge der Auswahlliste\n"
    "  suchen --art plz|strassen [--ordner NAME] [--land LAND] [--ab N]\n"
    "         (--doppelte | --feld FELD --text TEXT [--genau] [--feld2 FELD --text2 TEXT])\n"
    "                         wie das Suchfenster: Treffer als DB-Nr;Zellen..., Felder wie\n"
    "                         in der Auswahl (Ort, Postleitzahl, Strasse, Ab, Bis ...)\n"
    "  route [--dienst NAME] (--datei DATEI.rte | --von \"ORT|PLZ|STRASSE\" --nach \"ORT|PLZ|STRASSE\")\n"
    "                         die Adresse, die \"Route\" für diese Route öffnet (Standard: Google)\n"
    "  ort-bei [--ordner NAME] [--land LAND] --breite B --laenge L\n"
    "                         der Ort nächst der Koordinate, wie ein Klick in die Karte\n"
    "  pruefen --art plz|strassen [--ordner NAME] [--land LAND] [--ab N] [--loeschen --ja]\n"
    "                         doppelte Einträge auflisten (Position;Zellen...), mit\n"
    "                         --loeschen --ja aus der Datei löschen\n"
    "  optimieren [--ordner NAME] [--land LAND] [--plz] [--strassen] [--sortieren] [--ja]\n"
    "                         doppelte PLZ entfernen, Strassen neu ordnen und zählen,\n"
    "                         Strassen sortieren (ohne Angabe: --strassen); ohne --ja wird\n"
    "                         nur gesagt, was geschähe, mit --ja gespeichert (mit Sicherheitskopie)\n"
    "  strassen --plz PLZ --ort ORT [--ordner NAME] [--land LAND] [--datei DATEI [--ja]]\n"
    "                         die Strassen des PLZ-Eintrags wie im Strassenfenster\n"
    "                         (Position;Ort;PLZ;Strasse;AbNr;BisNr); mit --datei (Zeilen\n"
    "                         Strasse;AbNr;BisNr) und --ja durch diese ersetzen\n"
    "  strassen-zaehlen [--ordner NAME] [--land LAND] [--ja]\n"
    "                         Strassenzahl und erste Strasse jeder PLZ neu zählen; mit --ja\n"
    "                         die PLZ-Datei schreiben\n"
    "  vergleichen --art plz|strassen --ordner1 NAME [--land1 LAND] --ordner2 NAME\n"
    "         [--land2 LAND] [--ab K] [--rueckwaerts]\n"
    "                         wie \"Gleich\" im Editor: die nächste Position ab K (Standard 1),\n"
    "                         an der sich die Datensätze beider Dateien unterscheiden\n"
    "  neue-daten --art plz|strassen --ordner1 NAME [--land1 LAND] --ordner2 NAME\n"
    "         [--land2 LAND] [--ja]\n"
    "                         Datensätze von Datei 1 zählen, die Datei 2 fehlen; mit --ja\n"
    "                         an Datei 2 anhängen\n"
    "  ersetzen --art plz|strassen --feld NAME --alt TEXT --neu TEXT [--ordner NAME]\n"
    "         [--land LAND] [--ja]\n"
    "                         TEXT im Feld NAME (Ort, Bundesland, Ortsteil/Stadtteil,\n"
    "                         Landkreis, Auto-KZ, Strasse, Ab, Bis) jedes Datensatzes ersetzen:\n"
    "                         Nr;Alt;Neu;Nr in DB je Änderung; mit --ja die Datei schreiben\n"
    "  strassenliste --ort ORT --plz PLZ [--ja]\n"
    "                         Strassen des Orts vom Strassenlisten-Dienst (Dienste.ini) holen\n"
    "                         und als _Strassen/ORT_PLZ.txt schreiben (--plz 0: alle PLZ des\n"
    "                         Orts); eine vorhandene Datei nur mit --ja überschreiben\n"
    "  osm-import [--ordner NAME] [--land LAND] [--nur-strassen] [--anhaengen] [--ersetzen] [--ja] DATEI\n"
    "                         Strassen und Koordinaten aus einem OpenStreetMap-Auszug (.osm.pbf,\n"
    "                         .osm, .osm.bz2, .osm.gz): mit --ja Strassen-Datei und PLZ-Datei ersetzen\n"
    "                         (mit Sicherheitskopie), mit --anhaengen die Strassen anhängen;\n"
    "                         --nur-strassen legt keine neuen PLZ-Einträge an; hätte die neue\n"
    "                         Strassen-Datei weniger als halb so viele Strassen, nur mit --ersetzen\n"
    "  umkreis (--plz PLZ [--ort ORT] | --breite B --laenge L) --km R [--ordner NAME] [--land LAND]\n"
    "                         die PLZ-Einträge höchstens R km vom Mittelpunkt, nächste zuerst\n"
    "                         (Position;PLZ;Ort;km)\n"
    "  adressen-pruefen [--ordner NAME] [--land LAND] [--ausgabe DATEI] LISTE\n"
    "                         jede Zeile einer Adressliste (Spalten PLZ, Ort, Strasse, Hausnummer)\n"
    "                         prüfen: Zeile;Status;Vorschlag, die Summen auf stderr; --ausgabe\n"
    "                         schreibt die Liste mit den Spalten Status und Vorschlag\n"
    "\n"
    "LAND: Deutschland (Standard), Österreich oder Schweiz.\n"
    "Ohne --programmordner gilt der Ordner, in dem orvano-cli liegt.\n"
    "Rückgabewert: 0 erledigt, 1 Fehler, 2 falscher Aufruf.\n";

// Options that take a value, and plain switches.
const std::set<std::string> kWertOptionen = {"--programmordner", "--ordner", "--land", "--was", "--ab", "--feld", "--text", "--feld2", "--text2", "--dienst", "--datei", "--von", "--nach", "--breite", "--laenge",
                                              "--art", "--plz-vorsatz", "--nr-vorsatz", "--format", "--datei2",
                                              "--ordner1", "--ordner2", "--land1", "--land2", "--alt", "--neu", "--ort",
                                              "--km", "--ausgabe"};
const std::set<std::string> kSchalter = {"--help", "-h", "--ja", "--plz", "--strassen", "--sortieren", "--loeschen", "--doppelte", "--genau", "--rueckwaerts",
                                         "--nur-strassen", "--anhaengen", "--ersetzen"};

Aufruf Zerlegen(const std::vector<std::string>& argumente) {
  Aufruf a;
  for (std::size_t i = 0; i < argumente.size(); ++i) {
    const std::string& arg = argumente[i];
    // "--plz" is a switch of optimieren and the postal code asked for by strassenliste and strassen.
    const bool plzWert = arg == "--plz" && !a.positionen.empty() &&
                         (a.positionen.front() == "strassenliste" || a.positionen.front() == "strassen" || a.positionen.front() == "umkreis");
    if (kWertOptionen.count(arg) || plzWert) {
      if (i + 1 >= argumente.size()) throw FalscherAufruf{"Option " + arg + " braucht einen Wert"};
      if (a.optionen.count(arg)) throw FalscherAufruf{"Option " + arg + " ist doppelt angegeben"};
      a.optionen[arg] = argumente[++i];
    } else if (kSchalter.count(arg)) {
      a.schalter.insert(arg);
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw FalscherAufruf{"Unbekannte Option " + arg};
    } else {
      a.positionen.push_back(arg);
    }
  }
  return a;
}

void NurErlaubt(const Aufruf& a, const std::set<std::string>& erlaubt) {
  for (const auto& [name, wert] : a.optionen) {
    if (name != "--programmordner" && !erlaubt.count(name)) throw FalscherAufruf{"Option " + name + " passt nicht zu diesem Befehl"};
  }
  for (const auto& name : a.schalter) {
    if (!erlaubt.count(name)) throw FalscherAufruf{"Option " + name + " passt nicht zu diesem Befehl"};
  }
}

// The country of --land as the Windows-1252 text of the country combo.
std::string Land(const Aufruf& a, const std::string& option) {
  const auto it = a.optionen.find(option);
  if (it == a.optionen.end()) return std::string(kDeutschland);
  const std::string land = Utf8ZuCp1252(it->second);
  for (std::string_view bekannt : {kDeutschland, kOesterreich, kSchweiz}) {
    if (land == bekannt) return land;
  }
  throw FalscherAufruf{"Unbekanntes Land \"" + it->second + "\" (Deutschland, Österreich oder Schweiz)"};
}

// Questions of the data store answered from the command line; messages go to stderr.
// Points the data store at the program folder of the call.
void ProgrammOrdnerPruefen(const Aufruf& a, const std::string& standardOrdner) {
  std::string prog = standardOrdner;
  if (auto it = a.optionen.find("--programmordner"); it != a.optionen.end()) prog = it->second;
  if (prog.empty()) prog.push_back('.');
  if (prog.back() != kTrenner) prog += kTrenner;
  if (!VerzeichnisVorhanden(prog)) throw Fehlschlag{"Programmordner " + prog + " nicht gefunden"};
  ProgVerzeichnis = prog;
}

// ... and at the data folder of the call, which the returned data store names.
Datenbestand OrdnerSetzen(const Aufruf& a, const std::string& standardOrdner, const std::string& land) {
  ProgrammOrdnerPruefen(a, standardOrdner);

  std::string ordner = "Ord_1";
  if (auto it = a.optionen.find("--ordner"); it != a.optionen.end()) ordner = it->second;
  while (!ordner.empty() && ordner.back() == kTrenner) ordner.pop_back();
  if (ordner.empty() || ordner.find(kTrenner) != std::string::npos || ordner == "." || ordner == "..") {
    throw Fehlschlag{"Ungültiger Datenordner \"" + ordner + "\""};
  }
  if (!VerzeichnisVorhanden(ProgVerzeichnis + ordner)) {
    throw Fehlschlag{"Datenordner " + ProgVerzeichnis + ordner + " nicht gefunden"};
  }
  // A folder we may not search is no missing folder: its files would all look absent.
  if (::access((ProgVerzeichnis + ordner).c_str(), R_OK | X_OK) != 0) {
    throw Fehlschlag{"Datenordner " + ProgVerzeichnis + ordner + " kann nicht durchsucht werden: " + FehlerText(errno)};
  }
  // Every command opens the folder: what a killed run left there is set right first.
  for (const std::string& m : OrdnerAufraeumen(ProgVerzeichnis + ordner + kTrenner)) OrdnerHinweise().push_back(m);
  Datenbestand db;
  db.OrdnerPfad = ordner + kTrenner;
  db.Land = land;
  return db;
}

std::vector<std::string>& OrdnerHinweise() {
  static std::vector<std::string> hinweise;
  return hinweise;
}

// A file we are about to read must be a plain file, or reading fails with a clear message.
void MussDateiSein(const std::string& name) {
  if (VerzeichnisVorhanden(name)) throw Fehlschlag{"Datei " + name + " kann nicht gelesen werden: es ist ein Ordner"};
}

int Info(const Aufruf& a, const std::string& standardOrdner, std::ostream& out) {
  NurErlaubt(a, {"--ordner"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben für info"};
  Datenbestand db = OrdnerSetzen(a, standardOrdner);
  out << "Programmordner: " << ProgVerzeichnis << "\n";
  out << "Datenordner: " << db.OrdnerName() << "\n";
  for (std::string_view land : {kDeutschland, kOesterreich, kSchweiz}) {
    out << Cp1252ZuUtf8(land) << "\n";
    db.Land = land;
    const std::string plz = db.PLZDateiName();
    if (DateiVorhanden(plz)) {
      MussDateiSein(plz);
      // Only the count: the size says it, nothing is read.
      const std::int64_t n = DateiGroesse(plz) / static_cast<std::int64_t>(sizeof(TPLZRecord));
      out << "  Postleitzahlen: " << plz << ": " << n << " Datensätze\n";
    } else {
      out << "  Postleitzahlen: " << plz << " nicht vorhanden\n";
    }
    const std::string str = db.StrassenDateiName();
    if (DateiVorhanden(str)) {
      MussDateiSein(str);
      std::int64_t gueltig = 0;
      const std::int64_t n = RecordsBlockweise(str, sizeof(TStrassenRecord), 65536, [&](const char* d, std::size_t k) {
        gueltig += GueltigeStrassen(d, k);
      });
      out << "  Straßen: " << str << ": " << n << " Datensätze, davon " << gueltig << " gültig\n";
    } else {
      out << "  Straßen: " << str << " nicht vorhanden\n";
    }
  }
  return 0;
}

std::string Wert(const Aufruf& a, const std::string& name, const std::string& standard) {
  const auto it = a.optionen.find(name);
  return it == a.optionen.end() ? standard : it->second;
}

bool PLZArt(const Aufruf& a, bool pflicht) {
  const std::string art = Wert(a, "--art", pflicht ? "" : "plz");
  if (art != "plz" && art != "strassen") throw FalscherAufruf{"--art braucht plz oder strassen"};
  return art == "plz";
}

int Exportieren(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--ordner", "--land", "--was", "--plz-vorsatz", "--nr-vorsatz"});
  if (a.positionen.size() != 2) throw FalscherAufruf{"export braucht genau eine Zieldatei"};
  const std::string was = Wert(a, "--was");
  ExportOptionen opt;
  if (was == "plz") {
    opt.art = ExportArt::PLZ;
  } else if (was == "strassen") {
    opt.art = ExportArt::Strassen;
  } else if (was == "beide") {
    opt.art = ExportArt::PLZStrassen;
  } else {
    throw FalscherAufruf{"--was braucht plz, strassen oder beide"};
  }
  opt.plzVorsatz = Utf8ZuCp1252(Wert(a, "--plz-vorsatz"));
  opt.nrVorsatz = Utf8ZuCp1252(Wert(a, "--nr-vorsatz"));
  Datenbestand db = OrdnerSetzen(a, standardOrdner, Land(a));
  const std::string datei = a.positionen[1];
  if (DateiGesperrt(datei)) throw Fehlschlag{"Datei " + datei + " ist schon von anderem Progamm geöffnet"};
  const std::string plz = db.PLZDateiName();
  if (!DateiVorhanden(plz)) throw Fehlschlag{NichtGefundenText(plz)};
  MussDateiSein(plz);
  KommandozeilenAntworten nein(false, err);
  db.PLZLaden(nein);
  const ExportErgebnis e = ExportierenAusDatei(db, datei, opt, KeinFortschritt(), nein);
  out << datei << ": " << e.zeilen << " Zeilen geschrieben\n";
  return 0;
}

int Ordner(const Aufruf& a, const std::string& standardOrdner, std::ostream& out) {
  NurErlaubt(a, {});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben für ordner"};
  ProgrammOrdnerPruefen(a, standardOrdner);
  for (const auto& n : OrdnerListe()) out << n << "\n";
  return 0;
}

int Sichern(const Aufruf& a, const std::string& standardOrdner, std::ostream& out) {
  NurErlaubt(a, {"--ordner", "--land", "--art", "--ja"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben für sichern"};
  const bool plz = PLZArt(a, true);
  const Datenbestand db = OrdnerSetzen(a, standardOrdner, Land(a));
  const std::string datei = plz ? db.PLZDateiName() : db.StrassenDateiName();
  if (!DateiVorhanden(datei)) throw Fehlschlag{datei + " nicht gefunden"};
  if (!VerzeichnisVorhanden(SicherungsOrdner()) && !VerzeichnisAnlegen(SicherungsOrdner())) {
    throw Fehlschlag{"Der Ordner " + SicherungsOrdner() + " kann nicht angelegt werden"};
  }
  out << SicherungErstellen(datei, HeutigesDatum()) << "\n";
  return 0;
}

int Sicherungen(const Aufruf& a, const std::string& standardOrdner, std::ostream& out) {
  NurErlaubt(a, {});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben für sicherungen"};
  ProgrammOrdnerPruefen(a, standardOrdner);
  for (const auto& e : SicherungenListe()) {
    out << e.name << ": " << (e.anzahl < 0 ? std::string("?") : std::to_string(e.anzahl)) << " Datensätze\n";
  }
  return 0;
}

int Wiederherstellen(const Aufruf& a, const std::string& standardOrdner, std::ostream& out) {
  NurErlaubt(a, {"--ordner", "--ja"});
  if (a.positionen.size() != 2) throw FalscherAufruf{"wiederherstellen braucht den Namen einer Sicherheitskopie"};
  if (!a.optionen.count("--ordner")) throw FalscherAufruf{"wiederherstellen braucht --ordner"};
  const Datenbestand db = OrdnerSetzen(a, standardOrdner);
  const std::string name = a.positionen[1];
  const std::string ziel = WiederherstellZiel(name);
  if (ziel.empty() || name.find(kTrenner) != std::string::npos) {
    throw Fehlschlag{name + " ist keine Sicherheitskopie einer Datenbank"};
  }
  const std::string quelle = SicherungsOrdner() + name;
  if (!DateiVorhanden(quelle)) throw Fehlschlag{quelle + " nicht gefunden"};
  const std::string pfad = ProgVerzeichnis + db.OrdnerPfad + ziel;
  const bool ueber = DateiVorhanden(pfad);
  if (!a.schalter.count("--ja")) {
    out << ziel << " in " << db.OrdnerName() << " kopieren?" << (ueber ? " (" + pfad + " würde überschrieben)" : "")
        << "\nNichts geschrieben (mit --ja wird kopiert)\n";
    return 0;
  }
  const Wiederherstellung w = SicherungWiederherstellen(name, ProgVerzeichnis + db.OrdnerPfad, HeutigesDatum());
  out << quelle << " -> " << w.ziel << "\n";
  if (!w.sicherung.empty()) out << "Sicherheitskopie der ersetzten Datei: " << w.sicherung << "\n";
  if (w.zahlenVeraltet) {
    out << "Die Straßenanzahlen der PLZ-Einträge passen vielleicht nicht mehr zur Straßendatenbank: "
        << "orvano-cli strassen-zaehlen --ordner " << db.OrdnerName() << " --land " << Cp1252ZuUtf8(LandDerDatenbank(ziel)) << " --ja\n";
  }
  return 0;
}


int Importieren(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--ordner", "--land", "--art", "--format", "--datei2", "--ja"});
  if (a.positionen.size() != 2) throw FalscherAufruf{"import braucht genau eine Quelldatei"};
  const bool plz = PLZArt(a, true);
  const std::string name = Wert(a, "--format");
  if (name.empty()) throw FalscherAufruf{"import braucht --format"};
  const std::string land = Land(a);
  const Datenbestand db = OrdnerSetzen(a, standardOrdner, land);
  ImportFormat format = StandardFormat();
  const std::string formatDatei = FormatDateiName(name, plz);
  if (!FormatDateiLaden(formatDatei, format)) throw Fehlschlag{"Import-Format " + formatDatei + " nicht gefunden"};
  if (!FormatHatFelder(format)) throw Fehlschlag{"Import-Format " + formatDatei + " nennt keine Spalte"};
  const std::string quelle = a.positionen[1];
  if (!DateiVorhanden(quelle)) throw Fehlschlag{NichtGefundenText(quelle)};
  MussNormaleDateiSein(quelle);
  if (DateiGesperrt(quelle)) throw Fehlschlag{quelle + " ist von anderem Programm geöffnet"};
  CSVLeseOptionen optionen;
  optionen.landText = land;
  optionen.strassen = !plz;
  const std::string ziel = plz ? db.PLZDateiName() : db.StrassenDateiName();
  const bool ja = a.schalter.count("--ja") > 0;
  const std::string datei2 = Wert(a, "--datei2");
  std::int64_t gueltig = 0;
  AnhaengenErgebnis e;
  std::int64_t zeilen = 0;
  auto gelesenMelden = [&](const CSVLeseErgebnis& g) {
    zeilen = g.zeilen;
    out << quelle << ": " << g.zeilen << " Zeilen" << OhnePLZText(g.ohnePLZ) << "\n";
  };
  if (datei2.empty()) {
    // Straight from the file into the target: a national file is never held as a table.
    const DirektImportErgebnis d = DirektImportieren(quelle, format, optionen, ziel, plz, ja, KeinFortschritt());
    gelesenMelden(d.gelesen);
    if (!format.id.empty()) {
      err << "orvano-cli: das Format verknüpft über \"" << Cp1252ZuUtf8(format.id)
          << "\"; ohne --datei2 wird nicht verknüpft\n";
    }
    gueltig = d.gueltig;
    e = d.anhang;
  } else {
    Tabelle tabelle(kImportTabellenSpalten, 2);
    ImportTabelleKopf(tabelle);
    gelesenMelden(CSVLesen(quelle, format, tabelle, optionen, KeinFortschritt()));
    if (!DateiVorhanden(datei2)) throw Fehlschlag{NichtGefundenText(datei2)};
    const VerknuepfErgebnis v = Verknuepfen(datei2, format, tabelle, optionen, KeinFortschritt());
    if (!v.ausgefuehrt) throw Fehlschlag{v.meldung};
    out << datei2 << ": " << v.paarZahl << " Paare verknüpft\n";
    if (ja) {
      e = ImportAnhaengen(ziel, plz, tabelle, KeinFortschritt());
    } else {
      gueltig = ImportGueltigeZeilen(tabelle, plz);
    }
  }
  if (!ja) {
    out << gueltig << " Datensätze würden an " << ziel << " angehängt\n"
        << "Nichts geschrieben (mit --ja wird angehängt)\n";
    return 0;
  }
  if (!e.zurueckgenommen.empty()) out << e.zurueckgenommen << "\n";
  out << e.geschrieben << " Datensätze an " << ziel << " angehängt\n";
  if (zeilen > e.geschrieben) out << ImportBericht(e.geschrieben, zeilen - e.geschrieben, plz) << "\n";
  return 0;
}

int Formate(const Aufruf& a, const std::string& standardOrdner, std::ostream& out) {
  NurErlaubt(a, {"--art"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben für formate"};
  const bool plz = PLZArt(a, false);
  ProgrammOrdnerPruefen(a, standardOrdner);
  for (const auto& n : FormatListe(plz)) out << n << "\n";
  return 0;
}

int Bereinigen(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--ordner", "--land", "--ja"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben für bereinigen"};
  Datenbestand db = OrdnerSetzen(a, standardOrdner, Land(a));
  const std::string datei = db.StrassenDateiName();
  if (!DateiVorhanden(datei)) throw Fehlschlag{NichtGefundenText(datei)};
  MussDateiSein(datei);
  const bool ja = a.schalter.count("--ja") > 0;
  std::optional<SchreibSperre> sperre;
  if (ja) sperre.emplace(datei);
  KommandozeilenAntworten antworten(ja, err);
  const StrassenLadeErgebnis e = db.StrassenLaden(KeinFortschritt(), antworten);
  out << datei << ": " << e.ungueltig << " ungültige Einträge\n";
  if (e.bereinigt) {
    out << e.ungueltig << " ungültige Einträge gelöscht, " << db.StrassenZahl << " Einträge bleiben\n";
  } else if (e.ungueltig > 0) {
    out << "Nichts geschrieben (mit --ja werden sie gelöscht)\n";
  }
  return 0;
}

}  // namespace cli

using namespace cli;

namespace {
int Ausfuehren(const std::vector<std::string>& argumente, const std::string& standardOrdner, std::ostream& out, std::ostream& err);
}  // namespace

int CliAusfuehren(const std::vector<std::string>& argumente, const std::string& standardOrdner, std::ostream& out,
                  std::ostream& err) {
  OrdnerHinweise().clear();
  const int status = Ausfuehren(argumente, standardOrdner, out, err);
  for (const std::string& m : OrdnerHinweise()) err << "orvano-cli: " << m << "\n";
  OrdnerHinweise().clear();
  return status;
}

namespace {

int Ausfuehren(const std::vector<std::string>& argumente, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  try {
    const Aufruf a = Zerlegen(argumente);
    if (a.schalter.count("--help") || a.schalter.count("-h")) {
      out << kAufruf;
      return 0;
    }
    if (a.positionen.empty()) throw FalscherAufruf{"Kein Befehl angegeben"};
    const std::string& befehl = a.positionen.front();
    if (befehl == "info") return Info(a, standardOrdner, out);
    if (befehl == "bereinigen") return Bereinigen(a, standardOrdner, out, err);
    if (befehl == "export") return Exportieren(a, standardOrdner, out, err);
    if (befehl == "ordner") return Ordner(a, standardOrdner, out);
    if (befehl == "import") return Importieren(a, standardOrdner, out, err);
    if (befehl == "formate") return Formate(a, standardOrdner, out);
    if (befehl == "optimieren") return Optimieren(a, standardOrdner, out, err);
    if (befehl == "strassen") return StrassenBefehl(a, standardOrdner, out, err);
    if (befehl == "strassen-zaehlen") return StrassenZaehlenBefehl(a, standardOrdner, out, err);
    if (befehl == "pruefen") return Pruefen(a, standardOrdner, out, err);
    if (befehl == "suchen") return Suchen(a, standardOrdner, out, err);
    if (befehl == "route") return RouteZeigen(a, standardOrdner, out);
    if (befehl == "ort-bei") return OrtBei(a, standardOrdner, out, err);
    if (befehl == "sichern") return Sichern(a, standardOrdner, out);
    if (befehl == "sicherungen") return Sicherungen(a, standardOrdner, out);
    if (befehl == "wiederherstellen") return Wiederherstellen(a, standardOrdner, out);
    if (befehl == "vergleichen") return VergleichenBefehl(a, standardOrdner, out);
    if (befehl == "neue-daten") return NeueDatenBefehl(a, standardOrdner, out);
    if (befehl == "ersetzen") return ErsetzenBefehl(a, standardOrdner, out, err);
    if (befehl == "strassenliste") return StrassenlisteBefehl(a, standardOrdner, out);
    if (befehl == "osm-import") return OsmImportBefehl(a, standardOrdner, out, err);
    if (befehl == "umkreis") return UmkreisBefehl(a, standardOrdner, out, err);
    if (befehl == "adressen-pruefen") return AdressenPruefenBefehl(a, standardOrdner, out, err);
    throw FalscherAufruf{"Unbekannter Befehl " + befehl};
  } catch (const FalscherAufruf& f) {
    err << "orvano-cli: " << f.text << "\n\n" << kAufruf;
    return 2;
  } catch (const Fehlschlag& f) {
    err << "orvano-cli: " << f.text << "\n";
    return 1;
  } catch (const DateiFehler& f) {
    err << "orvano-cli: " << f.what() << "\n";
    return 1;
  } catch (const std::bad_alloc&) {
    err << "orvano-cli: Nicht genug Arbeitsspeicher\n";
    return 1;
  }
}

}  // namespace

}  // namespace orvano
