#include "Datenbestand.h"

#include <unistd.h>

#include "AnhangJournal.h"
#include "Dateien.h"
#include "SicherungsAblage.h"

namespace orvano {

bool ArbeitLaeuft = false;

namespace testhaken {
std::function<void(const std::string& datei)> NachDemLaden;
}  // namespace testhaken

namespace {

constexpr std::int64_t kSchritt = 1000;

class OhneAnzeige : public Fortschritt {};

// Loading a file sets right what a killed run left in its folder (an append, a replace of two
// files, temporary files, a backup sharing the file's storage), and says so.
void AbgebrochenenAnhangMelden(const std::string& datei, Rueckfragen& r) {
  if (datei.empty()) return;
  for (const std::string& m : OrdnerAufraeumen(OrdnerTeil(datei))) r.hinweis(m);
}

}  // namespace

Fortschritt& KeinFortschritt() {
  static OhneAnzeige keiner;
  return keiner;
}

std::string NichtGefundenText(const std::string& datei) {
  // A folder we may not search hides its files: that is said, not "nicht gefunden".
  const std::string ordner = OrdnerTeil(datei);
  if (!ordner.empty() && VerzeichnisVorhanden(ordner) && ::access(ordner.c_str(), X_OK) != 0) {
    return "Ordner " + ordner + " kann nicht durchsucht werden: " + FehlerText(errno);
  }
  return "Datei " + datei + " nicht gefunden";
}

Datenbestand::Datenbestand() : PLZTabelle(1) { PLZTabelle[0] = TPLZRecord{}; }

std::string Datenbestand::OrdnerName() const {
  std::string n = OrdnerPfad;
  while (!n.empty() && n.back() == kTrenner) n.pop_back();
  return n;
}

std::string Datenbestand::PLZDateiName() const {
  if (PLZDateiCode(Land).empty()) return {};
  return DatenbankDatei(OrdnerPfad, Land, true);
}

std::string Datenbestand::StrassenDateiName() const { return DatenbankDatei(OrdnerPfad, Land, false); }

bool Datenbestand::PLZDateiVeraendert() const { return !plzDatei_.empty() && KennungLesen(plzDatei_) != plzKennung_; }
bool Datenbestand::StrassenDateiVeraendert() const {
  return !strassenDatei_.empty() && KennungLesen(strassenDatei_) != strassenKennung_;
}

std::string Datenbestand::VeraendertText(const std::string& datei) {
  return "Die Datei " + datei + " wurde inzwischen von einem anderen Programm ge\xC3\xA4ndert.";
}

void Datenbestand::MussUnveraendertSein(bool plz) const {
  if (plz ? PLZDateiVeraendert() : StrassenDateiVeraendert()) {
    throw DateiFehler(VeraendertText(plz ? plzDatei_ : strassenDatei_) + "\rEs wurde nichts geschrieben; die Datei wird neu geladen.");
  }
}

void Datenbestand::SelbstGeschrieben(bool plz) {
  if (plz) {
    plzKennung_ = KennungLesen(plzDatei_);
  } else {
    strassenKennung_ = KennungLesen(strassenDatei_);
  }
}

bool Datenbestand::HaeltDatei(const std::string& datei) const {
  if (datei.empty()) return false;
  const std::string echt = EchterPfad(datei);
  return (!plzDatei_.empty() && echt == EchterPfad(plzDatei_)) ||
         (!strassenDatei_.empty() && echt == EchterPfad(strassenDatei_));
}

void Datenbestand::StrassenIndexAufbauen() {
  std::vector<std::int32_t> plz(static_cast<std::size_t>(StrassenZahl) + 1, 0);
  for (std::int32_t k = 1; k <= StrassenZahl; ++k) plz[static_cast<std::size_t>(k)] = StrassenTabelle[static_cast<std::size_t>(k)].PLZ;
  verzeichnis_.aufbauen(plz);
}

bool Datenbestand::PLZLaden(Rueckfragen& rueckfragen) {
  const std::string datei = PLZDateiName();
  // As the street table: the old table's memory takes the file again when it is large enough.
  RecordFeld<TPLZRecord> alt = std::move(PLZTabelle);
  PLZTabelle = RecordFeld<TPLZRecord>(1);
  PLZTabelle[0] = TPLZRecord{};
  PLZAnzahl = 0;
  // Even a missing file is where the table belongs: saving creates it there.
  plzDatei_ = datei;
  AbgebrochenenAnhangMelden(datei, rueckfragen);
  plzKennung_ = KennungLesen(datei);
  if (!DateiVorhanden(datei)) {
    rueckfragen.meldung(NichtGefundenText(datei));
    return false;
  }
  auto tabelle = TabelleLesen<TPLZRecord>(datei, std::move(alt));
  PLZAnzahl = static_cast<std::int32_t>(tabelle.size() - 1);
  PLZTabelle = std::move(tabelle);
  leereGeladen_ = PLZLeereSaetze();
  if (testhaken::NachDemLaden) testhaken::NachDemLaden(datei);
  return true;
}

std::int32_t Datenbestand::PLZLeereSaetze() const {
  std::int32_t n = 0;
  for (std::int32_t k = 1; k <= PLZAnzahl; ++k) n += InBenutzung(PLZTabelle[static_cast<std::size_t>(k)]) ? 0 : 1;
  return n;
}

void Datenbestand::PLZSpeichern(bool leereBehalten) {
  if (plzDatei_.empty()) throw DateiFehler("Kein Land gewählt: die PLZ-Datei kann nicht gespeichert werden");
  AtomarSchreiben(plzDatei_, [this, leereBehalten](Schreiber& s) { PLZSchreiben(s, leereBehalten); });
  plzKennung_ = KennungLesen(plzDatei_);
  Geaendert = false;
}

void Datenbestand::PLZSchreiben(Schreiber& s, bool leereBehalten) const {
  for (std::int32_t k = 1; k <= PLZAnzahl; ++k) {
    const TPLZRecord& r = PLZTabelle[static_cast<std::size_t>(k)];
    if (leereBehalten || InBenutzung(r)) s.schreiben(&r, sizeof r);
  }
}

std::int32_t Datenbestand::PLZSpeichern(Rueckfragen& rueckfragen) {
  const std::int32_t leere = PLZLeereSaetze();
  bool behalten = false;
  if (leere > 0 && leereGeladen_ > 0) {
    const std::string anzahl = leere == 1 ? "1 Datensatz" : std::to_string(leere) + " Datens\xC3\xA4tze";
    behalten = plzBehalten_ == plzDatei_ ||
               !rueckfragen.frage(DateiNameTeil(plzDatei_) + " enth\xC3\xA4lt " + anzahl + kOhneOrtOderPLZ + "\rBeim Speichern entfernen?");
    if (behalten) plzBehalten_ = plzDatei_;
  }
  PLZSpeichern(behalten);
  if (!behalten) leereGeladen_ = 0;
  return behalten ? 0 : leere;
}

void Datenbestand::StrassenSchreiben(const std::string& datei, Fortschritt& fortschritt) const {
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

void Datenbestand::StrassenSpeichern(Fortschritt& fortschritt) {
  if (strassenDatei_.empty()) throw DateiFehler("Keine Stra\xC3\x9F" "endatei geladen: es wurde nichts gespeichert");
  StrassenSchreiben(strassenDatei_, fortschritt);
  strassenKennung_ = KennungLesen(strassenDatei_);
}

void Datenbestand::StrassenLeeren() {
  // Freed first, so that a reload never holds two street tables at once.
  RecordFeld<TStrassenRecord>().swap(StrassenTabelle);
  std::vector<std::int32_t>().swap(StrassenPosition);
  StrassenZahl = 0;
  StrassenIndexAufbauen();
}

std::int32_t Datenbestand::StrassenEinlesen(const std::string& datei, Fortschritt& fortschritt, RecordFeld<TStrassenRecord>&& wieder) {
  // The old table's memory takes the file again when it is large enough: a reload or a change of
  // folder then touches no new memory.
  RecordFeld<TStrassenRecord> alt = std::move(wieder);
  if (alt.empty()) alt = std::move(StrassenTabelle);
  std::vector<std::int32_t> position = std::move(StrassenPosition);
  StrassenLeeren();
  const auto erwartet = static_cast<std::size_t>(std::max<std::int64_t>(DateiGroesse(datei), 0) / std::int64_t{sizeof(TStrassenRecord)});
  // Room for the whole file; each block takes what it needs (more only if the file grew).
  std::vector<std::int32_t> plz;
  position.reserve(erwartet + 1);
  plz.reserve(erwartet + 1);
  position.assign(1, 0);
  plz.assign(1, 0);
  fortschritt.beginnen(static_cast<std::int64_t>(erwartet));
  // Invalid records are dropped as each block arrives, while it is still in the cache.
  std::int64_t dateiSaetze = 0;
  auto tabelle = TabelleLesen<TStrassenRecord>(datei, std::move(alt), [&](TStrassenRecord* block, std::int64_t nummer, std::int64_t anzahl) {
    const std::size_t belegt = position.size();
    position.resize(belegt + static_cast<std::size_t>(anzahl));
    plz.resize(position.size());
    std::int32_t* naechstePosition = position.data() + belegt;
    std::int32_t* naechstePLZ = plz.data() + belegt;
    std::int64_t bleiben = 0;
    for (std::int64_t i = 0; i < anzahl; ++i) {
      const TStrassenRecord& r = block[i];
      if (!StrasseGueltig(r)) continue;
      if (bleiben != i) block[bleiben] = r;
      *naechstePosition++ = static_cast<std::int32_t>(nummer + i);
      *naechstePLZ++ = r.PLZ;
      ++bleiben;
    }
    position.resize(belegt + static_cast<std::size_t>(bleiben));
    plz.resize(position.size());
    dateiSaetze = nummer + anzahl - 1;
    for (std::int64_t k = (nummer + kSchritt - 1) / kSchritt * kSchritt; k <= dateiSaetze; k += kSchritt) fortschritt.position(k);
    return bleiben;
  });
  fortschritt.beenden();
  StrassenZahl = static_cast<std::int32_t>(tabelle.size() - 1);
  StrassenTabelle = std::move(tabelle);
  StrassenPosition = std::move(position);
  // From the codes gathered here, which lie close together, not again from the 126-byte records.
  verzeichnis_.aufbauen(plz);
  if (testhaken::NachDemLaden) testhaken::NachDemLaden(datei);
  return static_cast<std::int32_t>(dateiSaetze - StrassenZahl);
}

StrassenLadeErgebnis Datenbestand::StrassenLaden(Fortschritt& fortschritt, Rueckfragen& rueckfragen, bool fragen) {
  StrassenLadeErgebnis ergebnis;
  // The table's memory is kept for the file: no new memory where the old one is large enough.
  RecordFeld<TStrassenRecord> alt = std::move(StrassenTabelle);
  StrassenLeeren();
  const std::string datei = StrassenDateiName();
  strassenDatei_ = datei;
  AbgebrochenenAnhangMelden(datei, rueckfragen);
  strassenKennung_ = KennungLesen(datei);
  if (!DateiVorhanden(datei)) return ergebnis;
  ergebnis.vorhanden = true;
  ergebnis.ungueltig = StrassenEinlesen(datei, fortschritt, std::move(alt));
  if (ergebnis.ungueltig > 0 && fragen && strassenBehalten_ != datei) {
    if (!rueckfragen.frage("Leere Einträge in Strassen-DB löschen?")) {
      strassenBehalten_ = datei;
      return ergebnis;
    }
    StrassenSchreiben(datei, fortschritt);
    ergebnis.bereinigt = true;
    strassenKennung_ = KennungLesen(datei);
    StrassenEinlesen(datei, fortschritt);
  }
  return ergebnis;
}

}  // namespace orvano
