// The step-by-step search of the search mask: a place by part of its name, then a street of
// that place; each search goes on after the last hit.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/Datenbestand.h"
#include "core/Fortschritt.h"

namespace orvano {

class SuchMaske {
 public:
  explicit SuchMaske(const Datenbestand& db) : db_(db) {}

  // Typing and opening start afresh.
  void zuruecksetzen();

  struct Treffer {
    std::int32_t satz = 0;      // index in PLZTabelle; 0: nothing found
    int strasse = -1;           // 0-based item in the record's street list; -1: none
    std::int32_t strassenIndex = 0;  // the street's index in StrassenTabelle
    int strassenNr = 0;         // 1-based position in the street list
  };

  // One click of "Suchen" with the trimmed texts (Windows-1252). ZEIGEN is called for every
  // record visited, in table order, as the main window shows it. "Nicht gefunden" goes to R.
  Treffer weiter(const std::string& ort, const std::string& strasse, Fortschritt& f, Rueckfragen& r,
                 const std::function<void(std::int32_t)>& zeigen);

  std::int32_t ortStart() const { return ortStart_; }

 private:
  std::int32_t ortSuchen(const std::string& text, Rueckfragen& r);
  int strasseSuchen(std::int32_t satz, const std::string& text);

  const Datenbestand& db_;
  std::int32_t ortStart_ = 1;
  std::int32_t gemerkterOrtStart_ = 1;
  int strassenStart_ = 1;
  std::int32_t aktuell_ = 0;
  // Without a place, the next click looks at the record of a street hit again.
  bool nochmal_ = false;
};

}  // namespace orvano
