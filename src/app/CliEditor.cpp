// orvano-cli: the two-folder editor's comparison, new data and replace.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "CliAufruf.h"
#include "core/RecordDatei.h"
#include "core/Dateien.h"
#include "core/SeitenDatei.h"
#include "core/Texte.h"
#include "core/Windows1252.h"
#include "editor/Ersetzen.h"
#include "editor/Vergleich.h"
#include "streets/WebStrassen.h"

namespace orvano::cli {

namespace {

EditorArt Art(const Aufruf& a) { return PLZArt(a, true) ? EditorArt::PLZ : EditorArt::Strassen; }

// The two sides of a comparison: their folders must exist and pass the editor's checks.
struct ZweiDateien {
  std::string eins;
  std::string zwei;
};
ZweiDateien DateienPruefen(const Aufruf& a, const std::string& standardOrdner, EditorArt art) {
  ProgrammOrdnerPruefen(a, standardOrdner);
  const VergleichsSeite s1{Wert(a, "--ordner1"), Land(a, "--land1"), art};
  const VergleichsSeite s2{Wert(a, "--ordner2"), Land(a, "--land2"), art};
  if (s1.ordner.empty() || s2.ordner.empty()) throw FalscherAufruf{"--ordner1 und --ordner2 sind nötig"};
  const VergleichsPruefung p = VergleichPruefen(s1, s2);
  if (p != VergleichsPruefung::Ok) throw Fehlschlag{VergleichsMeldung(p)};
  for (const VergleichsSeite* s : {&s1, &s2}) {
    if (s->ordner.find(kTrenner) != std::string::npos || s->ordner == "." || s->ordner == ".." ||
        !VerzeichnisVorhanden(ProgVerzeichnis + s->ordner)) {
      throw Fehlschlag{"Datenordner " + ProgVerzeichnis + s->ordner + " nicht gefunden"};
    }
  }
  const bool plz = art == EditorArt::PLZ;
  return {DatenbankDatei(s1.ordner + kTrenner, s1.land, plz), DatenbankDatei(s2.ordner + kTrenner, s2.land, plz)};
}

void MussDa(const std::string& datei) {
  if (!DateiVorhanden(datei)) throw Fehlschlag{datei + " nicht gefunden"};
  MussDateiSein(datei);
}

}  // namespace

int VergleichenBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out) {
  NurErlaubt(a, {"--art", "--ordner1", "--land1", "--ordner2", "--land2", "--ab", "--rueckwaerts"});
  const EditorArt art = Art(a);
  std::int32_t ab = 1;
  if (!GanzzahlLesen(Wert(a, "--ab", "1"), ab) || ab < 0) throw FalscherAufruf{"--ab braucht eine Zahl ab 0"};
  std::int64_t position = ab;
  const ZweiDateien d = DateienPruefen(a, standardOrdner, art);
  MussDa(d.eins);
  MussDa(d.zwei);
  const std::int64_t k = Vergleichen(d.eins, d.zwei, art, position, a.schalter.count("--rueckwaerts") > 0, KeinFortschritt());
  if (k > 0) {
    out << k << "\n";
  } else {
    out << "Keine Unterschiede\n";
  }
  return 0;
}

int NeueDatenBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out) {
  NurErlaubt(a, {"--art", "--ordner1", "--land1", "--ordner2", "--land2", "--ja"});
  const EditorArt art = Art(a);
  const ZweiDateien d = DateienPruefen(a, standardOrdner, art);
  MussDa(d.eins);
  // File 2 is read for its keys and appended to: locked from the read to the append.
  std::optional<SchreibSperre> sperre;
  if (a.schalter.count("--ja")) sperre.emplace(d.zwei);
  // The result lies beside file 2, where a killed run's leftovers are found and removed.
  const std::string neu = TempDateiPraefix(d.zwei) + "neu-" + std::to_string(::getpid());
  VerwaisteTempDateienEntfernen(d.zwei);
  struct Aufraeumen {
    const std::string& datei;
    ~Aufraeumen() { DateiLoeschen(datei); }
  } aufraeumen{neu};
  const NeueDaten n = NeueDatenSuchen(d.eins, d.zwei, art, neu, KeinFortschritt());
  // Held like a temporary file while it lives, so that no other run takes it for an orphan.
  struct Halten {
    int fd;
    ~Halten() {
      if (fd >= 0) ::close(fd);
    }
  } halten{::open(neu.c_str(), O_RDONLY | O_CLOEXEC)};
  if (halten.fd >= 0) ::flock(halten.fd, LOCK_EX | LOCK_NB);
  out << n.gefunden << " neue Datensätze in " << d.eins << "\n";
  if (n.gefunden == 0) return 0;
  if (!a.schalter.count("--ja")) {
    out << "Mit --ja an " << d.zwei << " anhängen\n";
    return 0;
  }
  const std::int64_t angehaengt = RecordsAnhaengen(neu, d.zwei, art, KeinFortschritt());
  out << angehaengt << " Datensätze an " << d.zwei << " angehängt\n";
  return 0;
}

int ErsetzenBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--art", "--feld", "--alt", "--neu", "--ordner", "--land", "--ja"});
  const EditorArt art = Art(a);
  if (!a.optionen.count("--feld") || !a.optionen.count("--alt") || !a.optionen.count("--neu")) {
    throw FalscherAufruf{"ersetzen braucht --feld, --alt und --neu"};
  }
  const int spalte = EditorSpalteMitTitel(art, Utf8ZuCp1252(Wert(a, "--feld")));
  if (spalte < 0) throw FalscherAufruf{"Unbekanntes Feld \"" + Wert(a, "--feld") + "\""};
  if (const std::string nein = ErsetzenVerboten(art, spalte); !nein.empty()) throw Fehlschlag{nein};
  const std::string alt = Utf8ZuCp1252(Wert(a, "--alt"));
  if (alt.empty()) throw Fehlschlag{"Zeichenkette in Alt eingeben"};
  Datenbestand db = OrdnerSetzen(a, standardOrdner, Land(a));
  const std::string ziel = art == EditorArt::PLZ ? db.PLZDateiName() : db.StrassenDateiName();
  MussDa(ziel);
  const bool ja = a.schalter.count("--ja") > 0;
  std::optional<SchreibSperre> sperre;
  if (ja) sperre.emplace(ziel);
  KommandozeilenAntworten nein(false, err);
  if (art == EditorArt::PLZ) {
    db.PLZLaden(nein);
  } else {
    db.StrassenLaden(KeinFortschritt(), nein);
  }
  const std::string temp = ErsetzenTempDatei(ziel, art);
  // The copy goes whatever happens: saved over the target, or left behind by a refusal.
  struct Aufraeumen {
    const std::string& datei;
    ~Aufraeumen() { DateiLoeschen(datei); }
  } aufraeumen{temp};
  ErsetzenErgebnis e;
  try {
    e = ErsetzenLaufen(db, art, spalte, alt, Utf8ZuCp1252(Wert(a, "--neu")), temp, KeinFortschritt());
  } catch (const DateiFehler& f) {
    // The copy is written first: the message names the file the user asked to change.
    throw Fehlschlag{std::string(f.what()) + "\n" + ziel + " wurde nicht ge\xC3\xA4ndert"};
  }
  for (const ErsetzenAenderung& x : e.aenderungen) {
    out << x.nr << ';' << Cp1252ZuUtf8(x.alt) << ';' << Cp1252ZuUtf8(x.neu) << ';' << x.nrInDb << '\n';
  }
  out << (e.aenderungen.empty() ? std::string("Keine Anderung") : "Anzahl Änderung: " + std::to_string(e.aenderungen.size())) << "\n";
  if (!ja) {
    out << "Mit --ja in " << ziel << " speichern\n";
    return 0;
  }
  ErsetzenSpeichern(temp, ziel);
  out << ziel << " gespeichert\n";
  return 0;
}

int StrassenlisteBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out) {
  NurErlaubt(a, {"--ort", "--plz", "--ja"});
  if (!a.optionen.count("--ort") || !a.optionen.count("--plz")) throw FalscherAufruf{"strassenliste braucht --ort und --plz"};
  ProgrammOrdnerPruefen(a, standardOrdner);
  const std::string basis = StrassenlistenDienst();
  if (basis.empty()) {
    std::string text = KeinStrassenlistenDienstText();
    for (char& c : text) c = c == '\r' ? ' ' : c;
    throw Fehlschlag{text};
  }
  const std::string ort = WebOrtAus(Utf8ZuCp1252(Wert(a, "--ort")));
  const std::string plz = Utf8ZuCp1252(Wert(a, "--plz"));
  const WebAntwort antwort = WebHolen(StrassenlistenAnfrage(ort, plz));
  if (!antwort.fehler.empty()) throw Fehlschlag{StrassenlisteFehlerText(antwort)};
  // Without a main table the postal codes of "0" stay as the service sends them.
  const std::vector<std::string> zeilen = WebSeiteUmwandeln(SeiteNachCp1252(antwort.inhalt, antwort.contentType), plz, std::nullopt);
  const std::string datei = WebStrassenDateiName(ort, plz);
  if (zeilen.empty()) throw Fehlschlag{"Die Antwort des Stra\xC3\x9F" "enlisten-Dienstes enth\xC3\xA4lt keine Stra\xC3\x9F" "en"};
  if (DateiVorhanden(datei) && !a.schalter.count("--ja")) throw Fehlschlag{"Datei " + datei + " ist vorhanden (mit --ja \xC3\xBC" "berschreiben)"};
  if (!VerzeichnisAnlegen(OrdnerTeil(datei))) throw Fehlschlag{"Ordner " + OrdnerTeil(datei) + " kann nicht angelegt werden"};
  WebStrassenSchreiben(datei, zeilen);
  out << datei << "\n" << "n = " << zeilen.size() << "\n";
  return 0;
}

}  // namespace orvano::cli
