// What the commands of orvano-cli share: the parsed call, its errors and its helpers.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "core/Dateien.h"
#include "core/Datenbestand.h"
#include "core/Fortschritt.h"
#include "core/Pfade.h"

namespace orvano::cli {

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

class KommandozeilenAntworten : public Rueckfragen {
 public:
  KommandozeilenAntworten(bool ja, std::ostream& err) : ja_(ja), err_(err) {}
  void meldung(const std::string& text) override { err_ << "orvano-cli: " << text << "\n"; }
  bool frage(const std::string&) override { return ja_; }

 private:
  bool ja_;
  std::ostream& err_;
};

void NurErlaubt(const Aufruf& a, const std::set<std::string>& erlaubt);
// The country of --land as Windows-1252 text (Deutschland without it).
std::string Land(const Aufruf& a, const std::string& option = "--land");
// Points ProgVerzeichnis at the program folder of the call and returns the data store of its
// data folder and LAND.
Datenbestand OrdnerSetzen(const Aufruf& a, const std::string& standardOrdner, const std::string& land = std::string(kDeutschland));
// The data store of the call with the one table the command works on (postal codes with PLZ,
// else streets). With SPERRE the file is locked before it is read, for a command that rewrites it.
Datenbestand TabelleLaden(const Aufruf& a, const std::string& standardOrdner, bool plz, std::ostream& err,
                          std::optional<SchreibSperren>* sperre = nullptr);
// The number of option NAME, with a decimal comma or point; FalscherAufruf when it is none.
double KommaWert(const Aufruf& a, const std::string& name);
// What opening the folder did by itself (a killed import taken back), said after the command.
std::vector<std::string>& OrdnerHinweise();
// A file we are about to read must be a plain file, or reading fails with a clear message.
void MussDateiSein(const std::string& name);
std::string Wert(const Aufruf& a, const std::string& name, const std::string& standard = {});
// --art plz|strassen; without it "plz" unless PFLICHT.
bool PLZArt(const Aufruf& a, bool pflicht);

// The maintenance commands (CliPflege.cpp).
int Optimieren(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err);
// The street list of one record as the street window shows it; with --datei replaced.
int StrassenBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err);
// The radius search and the address-list check.
int UmkreisBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err);
int AdressenPruefenBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err);
// Streets and postal-code coordinates from an OpenStreetMap extract.
int OsmImportBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err);
int StrassenZaehlenBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err);
int Suchen(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err);
int Pruefen(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err);
int RouteZeigen(const Aufruf& a, const std::string& standardOrdner, std::ostream& out);
int OrtBei(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err);
// The editor's comparison, new data and replace (CliEditor.cpp).
int VergleichenBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out);
int NeueDatenBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out);
int StrassenlisteBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out);
int ErsetzenBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err);
// Points ProgVerzeichnis at the program folder of the call.
void ProgrammOrdnerPruefen(const Aufruf& a, const std::string& standardOrdner);

}  // namespace orvano::cli
