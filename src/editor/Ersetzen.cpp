#include "Ersetzen.h"

#include <cstring>

#include "core/Dateien.h"
#include "core/Datenbestand.h"
#include "core/RecordDatei.h"
#include "core/Records.h"

namespace orvano {

namespace {

// Lower case of a Windows-1252 letter, umlauts and accented letters included.
unsigned char Klein(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 16);
  if (c == 0x9F) return 0xFF;
  return c;
}

template <class T>
struct Feld {
  std::string (*lesen)(const T&);
  void (*setzen)(T&, std::string_view);
};

#define ORVANO_FELD(T, f) \
  Feld<T> { [](const T& r) { return r.f.text(); }, [](T& r, std::string_view s) { r.f.setzen(s); } }

const Feld<TPLZRecord>* PLZFeld(int spalte) {
  static const Feld<TPLZRecord> ort = ORVANO_FELD(TPLZRecord, Ort), land = ORVANO_FELD(TPLZRecord, Bundesland),
                                teil = ORVANO_FELD(TPLZRecord, Ortsteil), kreis = ORVANO_FELD(TPLZRecord, Landkreis),
                                kz = ORVANO_FELD(TPLZRecord, Autokennzeichen);
  switch (spalte) {
    case 1: return &ort;
    case 3: return &land;
    case 4: return &teil;
    case 5: return &kreis;
    case 7: return &kz;
    default: return nullptr;
  }
}

const Feld<TStrassenRecord>* StrassenFeld(int spalte) {
  static const Feld<TStrassenRecord> ort = ORVANO_FELD(TStrassenRecord, Ort), strasse = ORVANO_FELD(TStrassenRecord, Strasse),
                                     ab = ORVANO_FELD(TStrassenRecord, AbNr), bis = ORVANO_FELD(TStrassenRecord, BisNr);
  switch (spalte) {
    case 1: return &ort;
    case 3: return &strasse;
    case 4: return &ab;
    case 5: return &bis;
    default: return nullptr;
  }
}

#undef ORVANO_FELD

}  // namespace

std::string ErsetzenVerboten(EditorArt art, int spalte) {
  if ((art == EditorArt::PLZ && spalte == 6) || (art == EditorArt::Strassen && spalte == 2)) return "Ersetzen in PLZ micht m\xC3\xB6glich";
  if (art == EditorArt::PLZ && spalte > 7) return "Ersetzen micht m\xC3\xB6glich";
  return {};
}

std::string AllesErsetzen(std::string_view text, std::string_view alt, std::string_view neu) {
  std::string ergebnis;
  std::size_t i = 0;
  while (i < text.size()) {
    bool passt = !alt.empty() && i + alt.size() <= text.size();
    for (std::size_t j = 0; passt && j < alt.size(); ++j) {
      passt = Klein(static_cast<unsigned char>(text[i + j])) == Klein(static_cast<unsigned char>(alt[j]));
    }
    if (passt) {
      ergebnis.append(neu);
      i += alt.size();
    } else {
      ergebnis.push_back(text[i++]);
    }
  }
  return ergebnis;
}

std::string ErsetzenTempDatei(const std::string& ziel, EditorArt art) {
  return OrdnerTeil(ziel) + (art == EditorArt::PLZ ? "PLZTemp.tmp" : "StrassenTemp.tmp");
}

namespace {

template <class T>
struct Lauf {
  const Feld<T>* feld;
  const std::string& alt;
  const std::string& neu;
  Fortschritt& f;
  std::int64_t anzahl;
  int schritt;
  ErsetzenErgebnis ergebnis;

  // Record I of the table, replaced in where the old text occurs.
  T bearbeiten(T r, std::int64_t i) {
    if (i % schritt == 0) {
      f.position(i);
      f.status(0, "Nr = " + std::to_string(i) + " von " + std::to_string(anzahl));
      if (f.abbrechen()) throw Abbrechen{};
    }
    if (feld == nullptr) return r;
    const std::string text = feld->lesen(r);
    if (text.find(alt) == std::string::npos) return r;
    std::string ersetzt = AllesErsetzen(text, alt, neu);
    feld->setzen(r, ersetzt);
    ergebnis.aenderungen.push_back({static_cast<std::int64_t>(ergebnis.aenderungen.size()) + 1, text, std::move(ersetzt), i});
    return r;
  }
  struct Abbrechen {};
};

}  // namespace

ErsetzenErgebnis ErsetzenLaufen(const Datenbestand& db, EditorArt art, int spalte, const std::string& alt,
                                const std::string& neu, const std::string& temp, Fortschritt& f) {
  // What an earlier run left is not this run's result.
  DateiLoeschen(temp);
  // The copy is made from the loaded table: the file must still be the one loaded.
  db.MussUnveraendertSein(art == EditorArt::PLZ);
  if (art == EditorArt::PLZ) {
    Lauf<TPLZRecord> l{PLZFeld(spalte), alt, neu, f, db.PLZAnzahl, 100, {}};
    f.beginnen(l.anzahl);
    try {
      AtomarSchreiben(temp, [&](Schreiber& w) {
        for (std::int64_t i = 1; i <= l.anzahl; ++i) {
          const TPLZRecord r = l.bearbeiten(db.PLZTabelle[static_cast<std::size_t>(i)], i);
          w.schreiben(&r, sizeof r);
        }
      });
    } catch (const Lauf<TPLZRecord>::Abbrechen&) {
      l.ergebnis = {{}, true};
    }
    f.beenden();
    return l.ergebnis;
  }
  Lauf<TStrassenRecord> l{StrassenFeld(spalte), alt, neu, f, db.StrassenZahl, 1000, {}};
  f.beginnen(l.anzahl);
  const auto& pos = db.StrassenPosition;
  try {
    AtomarSchreiben(temp, [&](Schreiber& w) {
      std::int64_t i = 1;
      std::int64_t p = 0;
      auto tabelle = [&] {
        const TStrassenRecord s = l.bearbeiten(db.StrassenTabelle[static_cast<std::size_t>(i)], i);
        w.schreiben(&s, sizeof s);
        ++i;
      };
      // The file's records in their order: the table's where it holds them, the skipped
      // (invalid) ones as they are.
      if (DateiVorhanden(db.strassenDatei())) {
        RecordsBlockweise(db.strassenDatei(), sizeof(TStrassenRecord), 4096, [&](const char* d, std::size_t n) {
          for (std::size_t j = 0; j < n; ++j) {
            ++p;
            if (i <= l.anzahl && static_cast<std::size_t>(i) < pos.size() && pos[static_cast<std::size_t>(i)] == p) {
              tabelle();
            } else {
              w.schreiben(d + j * sizeof(TStrassenRecord), sizeof(TStrassenRecord));
            }
          }
        });
      }
      while (i <= l.anzahl) tabelle();
    });
  } catch (const Lauf<TStrassenRecord>::Abbrechen&) {
    l.ergebnis = {{}, true};
  }
  f.beenden();
  return l.ergebnis;
}

void ErsetzenSpeichern(const std::string& temp, const std::string& ziel) {
  if (!DateiVorhanden(temp)) throw DateiFehler("Datei " + temp + " nicht gefunden");
  FertigeDateiEinsetzen(temp, ziel);
}

}  // namespace orvano
