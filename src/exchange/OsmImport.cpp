#include "OsmImport.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "core/Dateien.h"
#include "core/RecordDatei.h"
#include "core/Records.h"
#include "core/StrassenZuordnung.h"
#include "core/Texte.h"
#include "exchange/Import.h"
#include "exchange/OsmLesen.h"
#include "folders/Sicherung.h"
#include "streets/Optimierung.h"
#include "streets/StrassenZaehlen.h"

namespace orvano {

namespace {

std::int32_t Median(std::vector<std::int32_t>& werte) {
  const std::size_t mitte = (werte.size() - 1) / 2;
  std::nth_element(werte.begin(), werte.begin() + static_cast<std::ptrdiff_t>(mitte), werte.end());
  return werte[mitte];
}

// The streets as records, grouped by postal code ascending, then by the record they belong to
// in TABELLE (in its order; places without a record by their comparison text), the streets of
// one record by their sort name, then as first seen. So each record's streets lie in one block
// that the street sort leaves as it is.
RecordFeld<TStrassenRecord> StrassenSaetze(const OsmDaten& d, const RecordFeld<TPLZRecord>& tabelle) {
  // Pairs of one code and one owner share a rank; streets then sort by rank first, and names
  // are compared only within one rank.
  const StrassenZuordnung zuordnung(tabelle, static_cast<std::int32_t>(tabelle.size()) - 1);
  std::vector<std::string> ortSchluessel(d.paare.size());
  std::vector<std::int32_t> besitzer(d.paare.size());
  for (std::size_t p = 0; p < d.paare.size(); ++p) {
    besitzer[p] = zuordnung.besitzer(d.paare[p].plz, d.paare[p].ort);
    if (besitzer[p] == 0) ortSchluessel[p] = VergleichsText(d.paare[p].ort);
  }
  auto schluessel = [&](std::size_t p) { return std::tie(d.paare[p].plz, besitzer[p], ortSchluessel[p]); };
  std::vector<std::size_t> paarFolge(d.paare.size());
  std::iota(paarFolge.begin(), paarFolge.end(), 0);
  std::sort(paarFolge.begin(), paarFolge.end(), [&](std::size_t a, std::size_t b) { return schluessel(a) < schluessel(b); });
  std::vector<std::int32_t> rang(d.paare.size());
  for (std::size_t i = 0; i < paarFolge.size(); ++i) {
    const std::size_t p = paarFolge[i], vor = i > 0 ? paarFolge[i - 1] : p;
    const bool gleich = i > 0 && schluessel(p) == schluessel(vor);
    rang[p] = i == 0 ? 0 : rang[vor] + (gleich ? 0 : 1);
  }
  std::vector<std::string> namen(d.strassen.size());
  for (std::size_t i = 0; i < d.strassen.size(); ++i) namen[i] = SortierName(d.strassen[i].name);
  std::vector<std::size_t> ordnung(d.strassen.size());
  std::iota(ordnung.begin(), ordnung.end(), 0);
  std::stable_sort(ordnung.begin(), ordnung.end(), [&](std::size_t a, std::size_t b) {
    const std::int32_t ra = rang[static_cast<std::size_t>(d.strassen[a].paar)], rb = rang[static_cast<std::size_t>(d.strassen[b].paar)];
    if (ra != rb) return ra < rb;
    return namen[a] < namen[b];
  });
  RecordFeld<TStrassenRecord> saetze(d.strassen.size() + 1);
  saetze[0] = TStrassenRecord{};
  for (std::size_t i = 0; i < ordnung.size(); ++i) {
    const OsmStrasse& s = d.strassen[ordnung[i]];
    TStrassenRecord r{};
    r.PLZ = d.paare[static_cast<std::size_t>(s.paar)].plz;
    r.Ort.setzen(d.paare[static_cast<std::size_t>(s.paar)].ort);
    r.Strasse.setzen(s.name);
    r.AbNr.setzen(s.ab);
    r.BisNr.setzen(s.bis);
    r.HausNrKz = s.abZahl >= 0 ? '1' : '0';
    saetze[i + 1] = r;
  }
  return saetze;
}

// What the folder's records of a code agree on goes to a new record of that code: state,
// region, district, dialling code and vehicle prefix, each only when every record of the code
// (of those the folder held before) has the same value.
void GemeinsamesUebernehmen(const RecordFeld<TPLZRecord>& tabelle, const std::vector<std::size_t>& saetze, std::size_t alteAnzahl,
                            TPLZRecord& neu) {
  const TPLZRecord* erster = nullptr;
  bool land = true, bezirk = true, kreis = true, vorwahl = true, kennzeichen = true;
  for (const std::size_t k : saetze) {
    if (k > alteAnzahl || !InBenutzung(tabelle[k])) continue;
    const TPLZRecord& r = tabelle[k];
    if (erster == nullptr) {
      erster = &r;
      continue;
    }
    land = land && r.Bundesland.text() == erster->Bundesland.text();
    bezirk = bezirk && r.Regierungsbezirk.text() == erster->Regierungsbezirk.text();
    kreis = kreis && r.Landkreis.text() == erster->Landkreis.text();
    vorwahl = vorwahl && static_cast<std::int32_t>(r.Vorwahl) == static_cast<std::int32_t>(erster->Vorwahl);
    kennzeichen = kennzeichen && r.Autokennzeichen.text() == erster->Autokennzeichen.text();
  }
  if (erster == nullptr) return;
  if (land) neu.Bundesland = erster->Bundesland;
  if (bezirk) neu.Regierungsbezirk = erster->Regierungsbezirk;
  if (kreis) neu.Landkreis = erster->Landkreis;
  if (vorwahl) neu.Vorwahl = static_cast<std::int32_t>(erster->Vorwahl);
  if (kennzeichen) neu.Autokennzeichen = erster->Autokennzeichen;
}

// Coordinates for the records of each pair that have none; new records for pairs without one.
void PLZErgaenzen(OsmDaten& d, RecordFeld<TPLZRecord>& tabelle, const std::string& staat, bool nurStrassen, OsmErgebnis& e) {
  const std::size_t alteAnzahl = tabelle.size() - 1;
  std::unordered_map<std::int32_t, std::vector<std::size_t>> nachPLZ;
  for (std::size_t k = 1; k < tabelle.size(); ++k) nachPLZ[tabelle[k].PLZ].push_back(k);
  std::vector<std::size_t> ordnung(d.paare.size());
  std::iota(ordnung.begin(), ordnung.end(), 0);
  std::stable_sort(ordnung.begin(), ordnung.end(), [&](std::size_t a, std::size_t b) { return d.paare[a].plz < d.paare[b].plz; });
  for (const std::size_t p : ordnung) {
    OsmPaar& paar = d.paare[p];
    const bool lage = !paar.breite.empty();
    const double breite = lage ? Median(paar.breite) / 1e7 : 0.0, laenge = lage ? Median(paar.laenge) / 1e7 : 0.0;
    bool gefunden = false;
    for (const std::size_t k : nachPLZ[paar.plz]) {
      TPLZRecord& r = tabelle[k];
      if (!TexteGleich(r.Ort.text(), paar.ort)) continue;
      gefunden = true;
      if (!lage) continue;
      bool gefuellt = false;
      // Set coordinates are never changed.
      if (static_cast<double>(r.Breitengrad) == 0.0) {
        r.Breitengrad = breite;
        gefuellt = true;
      }
      if (static_cast<double>(r.Laengengrad) == 0.0) {
        r.Laengengrad = laenge;
        gefuellt = true;
      }
      e.gefuellt += gefuellt ? 1 : 0;
    }
    if (gefunden || nurStrassen) continue;
    TPLZRecord r{};
    GemeinsamesUebernehmen(tabelle, nachPLZ[paar.plz], alteAnzahl, r);
    r.Ort.setzen(paar.ort);
    r.PLZ = paar.plz;
    r.Staat.setzen(staat);
    r.Breitengrad = breite;
    r.Laengengrad = laenge;
    r.AbBisNr = 99999999;
    tabelle.push_back(r);
    nachPLZ[paar.plz].push_back(tabelle.size() - 1);
    ++e.neu;
  }
}

}  // namespace

OsmErgebnis OsmImportieren(Datenbestand& db, const std::string& datei, const OsmOptionen& o, Fortschritt& f, Rueckfragen& r) {
  OsmErgebnis e;
  const std::string plzDatei = db.PLZDateiName(), strassenDatei = db.StrassenDateiName();
  if (plzDatei.empty()) throw DateiFehler("Unbekanntes Land: " + db.Land);
  // Read and replaced under both locks; what another program wrote since loading comes first.
  std::optional<SchreibSperren> sperren;
  if (o.schreiben) {
    sperren.emplace(std::vector<std::string>{plzDatei, strassenDatei});
    if (db.PLZDateiVeraendert()) db.PLZLaden(r);
    if (db.StrassenDateiVeraendert()) db.StrassenLaden(KeinFortschritt(), r, false);
  }
  const std::string staat = LandISO(db.Land.empty() ? ' ' : db.Land.front());
  OsmDaten d;
  if (!OsmAdressenLesen(datei, staat, d, e, f)) {
    e.abgebrochen = true;
    return e;
  }
  // An extract without a single address would only empty the street file.
  if (e.adressen == 0) {
    throw DateiFehler("In " + datei + " steht keine Adresse (addr:postcode); es wurde nichts geschrieben");
  }
  // The new tables in a store of their own: counted and sorted there, then written.
  Datenbestand neu;
  neu.PLZTabelle = db.PLZTabelle;
  if (neu.PLZTabelle.empty()) neu.PLZTabelle.resize(1, TPLZRecord{});
  PLZErgaenzen(d, neu.PLZTabelle, staat, o.nurStrassen, e);
  neu.PLZAnzahl = static_cast<std::int32_t>(neu.PLZTabelle.size() - 1);
  RecordFeld<TStrassenRecord> strassen = StrassenSaetze(d, neu.PLZTabelle);
  e.strassen = static_cast<std::int64_t>(strassen.size()) - 1;
  // Appended streets follow the whole records already in the file.
  const std::int32_t dateiSaetze = o.anhaengen ? static_cast<std::int32_t>(std::max<std::int64_t>(DateiGroesse(strassenDatei), 0) / sizeof(TStrassenRecord)) : 0;
  if (o.anhaengen) {
    neu.StrassenTabelle = db.StrassenTabelle;
    neu.StrassenPosition = db.StrassenPosition;
    if (neu.StrassenTabelle.empty()) {
      neu.StrassenTabelle.resize(1, TStrassenRecord{});
      neu.StrassenPosition.resize(1);
    }
    for (std::size_t i = 1; i < strassen.size(); ++i) {
      neu.StrassenTabelle.push_back(strassen[i]);
      neu.StrassenPosition.push_back(dateiSaetze + static_cast<std::int32_t>(i));
    }
  } else {
    neu.StrassenTabelle = strassen;
    neu.StrassenPosition.resize(strassen.size());
    std::iota(neu.StrassenPosition.begin(), neu.StrassenPosition.end(), 0);
  }
  neu.StrassenZahl = static_cast<std::int32_t>(neu.StrassenTabelle.size() - 1);
  f.status(0, "Strassen z\xC3\xA4hlen");
  if (StrassenNeuZaehlen(neu, f).abgebrochen) {
    e.abgebrochen = true;
    return e;
  }
  // The streets lie in each record's block already in the street sort's order (StrassenSaetze):
  // a sort afterwards moves nothing.
  if (!o.schreiben) return e;
  // A cut-off or too small extract must not replace a street file it would mostly empty.
  const std::int64_t alt = DateiVorhanden(strassenDatei) ? std::max<std::int64_t>(DateiGroesse(strassenDatei), 0) / static_cast<std::int64_t>(sizeof(TStrassenRecord)) : 0;
  if (!o.anhaengen && alt > 0 && static_cast<std::int64_t>(neu.StrassenZahl) * 2 < alt) {
    e.zuWenigeText = "Die neue Strassen-Datenbank h\xC3\xA4tte nur " + std::to_string(neu.StrassenZahl) + " Strassen, " +
                     DateiNameTeil(strassenDatei) + " hat jetzt " + std::to_string(alt) + ".";
    if (!o.wenigerErlaubt && !r.frage(e.zuWenigeText + "\rTrotzdem ersetzen?")) {
      e.zuWenige = true;
      return e;
    }
  }
  if (!OrdnerTeil(strassenDatei).empty() && !VerzeichnisVorhanden(OrdnerTeil(strassenDatei))) {
    throw DateiFehler("Der Ordner " + OrdnerTeil(strassenDatei) + " fehlt");
  }
  auto sicherung = [&](const std::string& kopie) {
    if (!kopie.empty()) e.sicherungen.push_back(kopie);
  };
  auto plzInhalt = [&](Schreiber& w) { neu.PLZSchreiben(w, true); };
  if (o.anhaengen) {
    SaetzeAnhaengen(strassenDatei, sizeof(TStrassenRecord), e.strassen,
                    [&](std::int64_t i, void* satz) {
                      std::memcpy(satz, &strassen[static_cast<std::size_t>(i)], sizeof(TStrassenRecord));
                      return true;
                    },
                    KeinFortschritt());
    sicherung(SichernUndErsetzen(plzDatei, o.datum, "_OS", plzInhalt));
  } else {
    // Both files as one step: a kill between them is finished at the next opening.
    for (const std::string& k : SichernUndBeideErsetzen(
             {strassenDatei, "_OS",
              [&](Schreiber& w) {
                if (neu.StrassenZahl > 0) w.schreiben(neu.StrassenTabelle.data() + 1, static_cast<std::size_t>(neu.StrassenZahl) * sizeof(TStrassenRecord));
              }},
             {plzDatei, "_OS", plzInhalt}, o.datum)) {
      sicherung(k);
    }
  }
  e.geschrieben = true;
  db.PLZLaden(r);
  db.StrassenLaden(KeinFortschritt(), r, false);
  return e;
}

std::vector<std::string> OsmZusammenfassung(const OsmErgebnis& e) {
  auto n = [](std::int64_t x) { return std::to_string(x); };
  std::vector<std::string> z = {
      "Adressen gelesen: " + n(e.adressen),
      "ohne Ort (addr:city): " + n(e.ohneOrt),
      "ohne Stra\xC3\x9F" "e (addr:street, addr:place): " + n(e.ohneStrasse),
      "PLZ mit falscher Stellenzahl: " + n(e.falschePLZ),
      "anderes Land (addr:country): " + n(e.anderesLand),
      "Stra\xC3\x9F" "en: " + n(e.strassen),
      "Texte gek\xC3\xBCrzt: " + n(e.gekuerzt),
      "Listen mit \";\" (nur der erste Wert genommen): " + n(e.listen),
      "PLZ-Eintr\xC3\xA4ge mit neuen Koordinaten: " + n(e.gefuellt),
      "neue PLZ-Eintr\xC3\xA4ge: " + n(e.neu),
  };
  for (const std::string& s : e.sicherungen) z.push_back("Sicherheitskopie: " + s);
  return z;
}

}  // namespace orvano
