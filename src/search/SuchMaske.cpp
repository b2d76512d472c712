#include "SuchMaske.h"

#include <utility>

#include "core/Texte.h"

namespace orvano {

void SuchMaske::zuruecksetzen() {
  ortStart_ = gemerkterOrtStart_ = 1;
  strassenStart_ = 1;
  aktuell_ = 0;
  nochmal_ = false;
}

std::int32_t SuchMaske::ortSuchen(const std::string& text, Rueckfragen& r) {
  const std::string t = KleinText(text);
  gemerkterOrtStart_ = ortStart_;
  for (std::int32_t i = ortStart_; i <= db_.PLZAnzahl; ++i) {
    if (KleinText(db_.PLZTabelle[static_cast<std::size_t>(i)].Ort.text()).find(t) != std::string::npos) {
      ortStart_ = i + 1;
      return i;
    }
  }
  r.meldung("Nicht gefunden");
  ortStart_ = gemerkterOrtStart_ = 1;
  return 0;
}

int SuchMaske::strasseSuchen(std::int32_t satz, const std::string& text) {
  const std::string t = KleinText(text);
  // The record's street list as the main window shows it: the streets of its code in table order.
  const StrassenBereich liste = db_.StrassenNachPLZ(db_.PLZTabelle[static_cast<std::size_t>(satz)].PLZ);
  for (int q = strassenStart_; q <= static_cast<int>(liste.size()); ++q) {
    const std::int32_t i = liste.anfang[q - 1];
    if (KleinText(db_.StrassenTabelle[static_cast<std::size_t>(i)].Strasse.text()).find(t) != std::string::npos) {
      strassenStart_ = q + 1;
      return q - 1;
    }
  }
  return -1;
}

SuchMaske::Treffer SuchMaske::weiter(const std::string& ort, const std::string& strasse, Fortschritt& f, Rueckfragen& r,
                                     const std::function<void(std::int32_t)>& zeigen) {
  Treffer t;
  f.beginnen(db_.PLZAnzahl);
  const bool ortLeer = BlanksAbschneiden(ort).empty();
  const bool strasseLeer = BlanksAbschneiden(strasse).empty();
  for (;;) {
    if (!ortLeer) {
      aktuell_ = ortSuchen(ort, r);
    } else if (std::exchange(nochmal_, false)) {
      // The record of the last street hit may hold further matching streets.
    } else if (++aktuell_ > db_.PLZAnzahl) {
      // The walk one record after the other ends with the last record.
      r.meldung("Nicht gefunden");
      zuruecksetzen();
    }
    f.position(aktuell_);
    if (aktuell_ == 0) break;
    zeigen(aktuell_);
    if (strasseLeer) {
      t.satz = aktuell_;
      break;
    }
    const int a = strasseSuchen(aktuell_, strasse);
    if (a >= 0) {
      ortStart_ = gemerkterOrtStart_;
      nochmal_ = true;
      t.satz = aktuell_;
      t.strasse = a;
      t.strassenNr = a + 1;
      t.strassenIndex = db_.StrassenNachPLZ(db_.PLZTabelle[static_cast<std::size_t>(aktuell_)].PLZ).anfang[a];
      break;
    }
    strassenStart_ = 1;
    if (f.abbrechen()) break;
  }
  f.beenden();
  return t;
}

}  // namespace orvano
