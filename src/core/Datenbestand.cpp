#include "Datenbestand.h"

#include "Dateien.h"
#include "Pfade.h"

namespace orvano {

RecordFeld<TPLZRecord> PLZTabelle(1);
std::int32_t PLZAnzahl = 0;
RecordFeld<TStrassenRecord> StrassenTabelle;
std::int32_t StrassenZahl = 0;
std::vector<std::int32_t> StrassenPosition;
std::int32_t ZeilenGesamt = 0;
bool Geaendert = false;
bool ArbeitLaeuft = false;

namespace {

constexpr std::int64_t kSchritt = 1000;
constexpr std::int32_t kPLZGrenze = 100000;

// Counting sort of the street indexes by postal code: erste[p]..erste[p+1] in indexe.
std::vector<std::int32_t> g_erste;
std::vector<std::int32_t> g_indexe;

class OhneAnzeige : public Fortschritt {};

}  // namespace

Fortschritt& KeinFortschritt() {
  static OhneAnzeige keiner;
  return keiner;
}

void StrassenIndexAufbauen() {
  std::vector<std::int32_t> erste(kPLZGrenze + 1, 0);
  for (std::int32_t k = 1; k <= StrassenZahl; ++k) {
    const std::int32_t plz = StrassenTabelle[static_cast<std::size_t>(k)].PLZ;
    if (plz > 0 && plz < kPLZGrenze) ++erste[static_cast<std::size_t>(plz) + 1];
  }
  for (std::size_t p = 1; p < erste.size(); ++p) erste[p] += erste[p - 1];
  std::vector<std::int32_t> indexe(static_cast<std::size_t>(erste.back()));
  std::vector<std::int32_t> naechste(erste.begin(), erste.end() - 1);
  for (std::int32_t k = 1; k <= StrassenZahl; ++k) {
    const std::int32_t plz = StrassenTabelle[static_cast<std::size_t>(k)].PLZ;
    if (plz > 0 && plz < kPLZGrenze) indexe[static_cast<std::size_t>(naechste[static_cast<std::size_t>(plz)]++)] = k;
  }
  g_erste = std::move(erste);
  g_indexe = std::move(indexe);
}

StrassenBereich StrassenNachPLZ(std::int32_t plz) {
  if (plz <= 0 || plz >= kPLZGrenze || g_erste.empty()) return {};
  const std::int32_t* basis = g_indexe.data();
  return {basis + g_erste[static_cast<std::size_t>(plz)], basis + g_erste[static_cast<std::size_t>(plz) + 1]};
}

std::string NichtGefundenText(const std::string& datei) { return "Datei " + datei + " nicht gefunden"; }

bool PLZLaden(std::string_view landText, Rueckfragen& rueckfragen) {
  const std::string datei = PLZDateiName(landText);
  PLZTabelle = RecordFeld<TPLZRecord>(1);
  PLZTabelle[0] = TPLZRecord{};
  PLZAnzahl = 0;
  if (!DateiVorhanden(datei)) {
    rueckfragen.meldung(NichtGefundenText(datei));
    return false;
  }
  auto tabelle = TabelleLesen<TPLZRecord>(datei);
  PLZAnzahl = static_cast<std::int32_t>(tabelle.size() - 1);
  PLZTabelle = std::move(tabelle);
  return true;
}

void PLZSpeichern(std::string_view landText) {
  const std::string datei = PLZDateiName(landText);
  if (datei.empty()) throw DateiFehler("Kein Land gewählt: die PLZ-Datei kann nicht gespeichert werden");
  AtomarSchreiben(datei, [](Schreiber& s) {
    for (std::int32_t k = 1; k <= PLZAnzahl; ++k) {
      if (InBenutzung(PLZTabelle[static_cast<std::size_t>(k)])) s.schreiben(&PLZTabelle[static_cast<std::size_t>(k)], sizeof(TPLZRecord));
    }
  });
  Geaendert = false;
}

void StrassenSpeichern(const std::string& datei, Fortschritt& fortschritt) {
  fortschritt.beginnen(StrassenZahl);
  AtomarSchreiben(datei, [&](Schreiber& s) {
    for (std::int32_t k = 1; k <= StrassenZahl; ++k) {
      const TStrassenRecord& r = StrassenTabelle[static_cast<std::size_t>(k)];
      if (StrasseGueltig(r)) s.schreiben(&r, sizeof r);
      if (k % kSchritt == 0) fortschritt.position(k);
    }
  });
  fortschritt.beenden();
}

namespace {

// Frees the street table, so that a reload never holds two of them at once.
void StrassenTabelleLeeren() {
  RecordFeld<TStrassenRecord>().swap(StrassenTabelle);
  std::vector<std::int32_t>().swap(StrassenPosition);
  StrassenZahl = 0;
  StrassenIndexAufbauen();
}

// Reads the street file and keeps its valid records; returns how many were skipped.
std::int32_t StrassenEinlesen(const std::string& datei, Fortschritt& fortschritt) {
  StrassenTabelleLeeren();

  auto tabelle = TabelleLesen<TStrassenRecord>(datei);
  const auto n = static_cast<std::int64_t>(tabelle.size()) - 1;
  std::vector<std::int32_t> position(tabelle.size());
  fortschritt.beginnen(n);
  std::int64_t naechste = 1;
  for (std::int64_t i = 1; i <= n; ++i) {
    const TStrassenRecord& r = tabelle[static_cast<std::size_t>(i)];
    if (StrasseGueltig(r)) {
      if (naechste != i) tabelle[static_cast<std::size_t>(naechste)] = r;
      position[static_cast<std::size_t>(naechste)] = static_cast<std::int32_t>(i);
      ++naechste;
    }
    if (i % kSchritt == 0) fortschritt.position(i);
  }
  fortschritt.beenden();
  StrassenZahl = static_cast<std::int32_t>(naechste - 1);
  position.resize(static_cast<std::size_t>(naechste));
  StrassenTabelle = std::move(tabelle);
  StrassenPosition = std::move(position);
  StrassenIndexAufbauen();
  return static_cast<std::int32_t>(n - StrassenZahl);
}

}  // namespace

StrassenLadeErgebnis StrassenLaden(std::string_view landText, Fortschritt& fortschritt, Rueckfragen& rueckfragen) {
  StrassenLadeErgebnis ergebnis;
  StrassenTabelleLeeren();
  const std::string datei = StrassenDateiName(landText);
  if (!DateiVorhanden(datei)) return ergebnis;
  ergebnis.vorhanden = true;
  ergebnis.ungueltig = StrassenEinlesen(datei, fortschritt);
  if (ergebnis.ungueltig > 0 && rueckfragen.frage("Leere Einträge in Strassen-DB löschen?")) {
    StrassenSpeichern(datei, fortschritt);
    ergebnis.bereinigt = true;
    StrassenEinlesen(datei, fortschritt);
  }
  return ergebnis;
}

}  // namespace orvano
