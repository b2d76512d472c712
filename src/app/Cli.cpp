#include "Cli.h"

#include <cstring>
#include <map>
#include <optional>
#include <set>

#include "core/Dateien.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/RecordDatei.h"
#include "core/Records.h"
#include "core/Windows1252.h"

namespace orvano {

namespace {

constexpr const char* kAufruf =
    "Aufruf: orvano-cli [--programmordner ORDNER] BEFEHL [OPTIONEN]\n"
    "\n"
    "Befehle:\n"
    "  info [--ordner NAME]   Datenbankdateien des Datenordners (Standard: Ord_1) mit ihrer\n"
    "                         Anzahl Datensätze für Deutschland, Österreich und Schweiz\n"
    "  bereinigen [--ordner NAME] [--land LAND] [--ja]\n"
    "                         ungültige Einträge der Strassen-Datei zählen; mit --ja\n"
    "                         werden sie aus der Datei gelöscht, sonst wird nichts geschrieben\n"
    "\n"
    "LAND: Deutschland (Standard), Österreich oder Schweiz.\n"
    "Ohne --programmordner gilt der Ordner, in dem orvano-cli liegt.\n"
    "Rückgabewert: 0 erledigt, 1 Fehler, 2 falscher Aufruf.\n";

// Options that take a value, and plain switches.
const std::set<std::string> kWertOptionen = {"--programmordner", "--ordner", "--land"};
const std::set<std::string> kSchalter = {"--help", "-h", "--ja"};

struct Aufruf {
  std::vector<std::string> positionen;
  std::map<std::string, std::string> optionen;
  std::set<std::string> schalter;
};

struct FalscherAufruf {
  std::string text;
};
struct Fehlschlag {
  std::string text;
};

Aufruf Zerlegen(const std::vector<std::string>& argumente) {
  Aufruf a;
  for (std::size_t i = 0; i < argumente.size(); ++i) {
    const std::string& arg = argumente[i];
    if (kWertOptionen.count(arg)) {
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
std::string Land(const Aufruf& a) {
  const auto it = a.optionen.find("--land");
  if (it == a.optionen.end()) return std::string(kDeutschland);
  const std::string land = Utf8ZuCp1252(it->second);
  for (std::string_view bekannt : {kDeutschland, kOesterreich, kSchweiz}) {
    if (land == bekannt) return land;
  }
  throw FalscherAufruf{"Unbekanntes Land \"" + it->second + "\" (Deutschland, Österreich oder Schweiz)"};
}

// Questions of the data store answered from the command line; messages go to stderr.
class KommandozeilenAntworten : public Rueckfragen {
 public:
  KommandozeilenAntworten(bool ja, std::ostream& err) : ja_(ja), err_(err) {}
  void meldung(const std::string& text) override { err_ << "orvano-cli: " << text << "\n"; }
  bool frage(const std::string&) override { return ja_; }

 private:
  bool ja_;
  std::ostream& err_;
};

// Points the data store at the program folder and the data folder of the call.
void OrdnerSetzen(const Aufruf& a, const std::string& standardOrdner) {
  std::string prog = standardOrdner;
  if (auto it = a.optionen.find("--programmordner"); it != a.optionen.end()) prog = it->second;
  if (prog.empty()) prog = ".";
  if (prog.back() != kTrenner) prog += kTrenner;
  if (!VerzeichnisVorhanden(prog)) throw Fehlschlag{"Programmordner " + prog + " nicht gefunden"};
  ProgVerzeichnis = prog;

  std::string ordner = "Ord_1";
  if (auto it = a.optionen.find("--ordner"); it != a.optionen.end()) ordner = it->second;
  while (!ordner.empty() && ordner.back() == kTrenner) ordner.pop_back();
  if (ordner.empty() || ordner.find(kTrenner) != std::string::npos || ordner == "." || ordner == "..") {
    throw Fehlschlag{"Ungültiger Datenordner \"" + ordner + "\""};
  }
  if (!VerzeichnisVorhanden(ProgVerzeichnis + ordner)) {
    throw Fehlschlag{"Datenordner " + ProgVerzeichnis + ordner + " nicht gefunden"};
  }
  OrdnerPfad = ordner + kTrenner;
}

// A file we are about to read must be a plain file, or reading fails with a clear message.
void MussDateiSein(const std::string& name) {
  if (VerzeichnisVorhanden(name)) throw Fehlschlag{"Datei " + name + " kann nicht gelesen werden: es ist ein Ordner"};
}

int Info(const Aufruf& a, const std::string& standardOrdner, std::ostream& out) {
  NurErlaubt(a, {"--ordner"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben für info"};
  OrdnerSetzen(a, standardOrdner);
  out << "Programmordner: " << ProgVerzeichnis << "\n";
  out << "Datenordner: " << OrdnerPfad.substr(0, OrdnerPfad.size() - 1) << "\n";
  for (std::string_view land : {kDeutschland, kOesterreich, kSchweiz}) {
    out << Cp1252ZuUtf8(land) << "\n";
    const std::string plz = PLZDateiName(land);
    if (DateiVorhanden(plz)) {
      MussDateiSein(plz);
      const std::int64_t n = RecordsBlockweise(plz, sizeof(TPLZRecord), 4096, [](const char*, std::size_t) {});
      out << "  Postleitzahlen: " << plz << ": " << n << " Datensätze\n";
    } else {
      out << "  Postleitzahlen: " << plz << " nicht vorhanden\n";
    }
    const std::string str = StrassenDateiName(land);
    if (DateiVorhanden(str)) {
      MussDateiSein(str);
      std::int64_t gueltig = 0;
      const std::int64_t n = RecordsBlockweise(str, sizeof(TStrassenRecord), 65536, [&](const char* d, std::size_t k) {
        for (std::size_t i = 0; i < k; ++i) {
          TStrassenRecord r;
          std::memcpy(&r, d + i * sizeof r, sizeof r);
          if (StrasseGueltig(r)) ++gueltig;
        }
      });
      out << "  Straßen: " << str << ": " << n << " Datensätze, davon " << gueltig << " gültig\n";
    } else {
      out << "  Straßen: " << str << " nicht vorhanden\n";
    }
  }
  return 0;
}

int Bereinigen(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--ordner", "--land", "--ja"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben für bereinigen"};
  const std::string land = Land(a);
  OrdnerSetzen(a, standardOrdner);
  const std::string datei = StrassenDateiName(land);
  if (!DateiVorhanden(datei)) throw Fehlschlag{NichtGefundenText(datei)};
  MussDateiSein(datei);
  const bool ja = a.schalter.count("--ja") > 0;
  KommandozeilenAntworten antworten(ja, err);
  const StrassenLadeErgebnis e = StrassenLaden(land, KeinFortschritt(), antworten);
  out << datei << ": " << e.ungueltig << " ungültige Einträge\n";
  if (e.bereinigt) {
    out << e.ungueltig << " ungültige Einträge gelöscht, " << StrassenZahl << " Einträge bleiben\n";
  } else if (e.ungueltig > 0) {
    out << "Nichts geschrieben (mit --ja werden sie gelöscht)\n";
  }
  return 0;
}

}  // namespace

int CliAusfuehren(const std::vector<std::string>& argumente, const std::string& standardOrdner, std::ostream& out,
                  std::ostream& err) {
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

}  // namespace orvano
