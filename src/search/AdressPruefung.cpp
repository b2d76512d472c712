#include "AdressPruefung.h"

#include <algorithm>
#include <cstring>

#include "core/Listen.h"
#include "exchange/Export.h"
#include "core/RecordDatei.h"
#include "core/Records.h"
#include "core/Texte.h"
#include "core/Windows1252.h"

namespace orvano {

namespace {

// A cell without the double quotes a spreadsheet puts around it ("PLZ";"Ort").
std::string_view OhneAnfuehrung(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.remove_suffix(1);
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  return s;
}

std::string Klein(std::string_view s) {
  std::string t = BlanksAbschneiden(OhneAnfuehrung(s));
  for (char& c : t) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return t;
}

std::uint64_t PaarHash(std::int32_t plz, std::string_view name) {
  return std::hash<std::string_view>{}(name) ^ (static_cast<std::uint64_t>(static_cast<std::uint32_t>(plz)) * 0x9E3779B97F4A7C15ull);
}

// The edit distance when it is below GRENZE, else GRENZE: a row whose every entry has reached
// the bound cannot come back below it.
std::size_t LevenshteinUnter(std::string_view a, std::string_view b, std::size_t grenze, std::vector<std::size_t>& zeile) {
  zeile.resize(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) zeile[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = zeile[0];
    zeile[0] = i;
    std::size_t kleinste = zeile[0];
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t oben = zeile[j];
      zeile[j] = std::min({zeile[j] + 1, zeile[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = oben;
      kleinste = std::min(kleinste, zeile[j]);
    }
    if (kleinste >= grenze) return grenze;
  }
  return std::min(zeile[b.size()], grenze);
}

// The digits of a postal code as a number; -1 without digits or with more than six.
std::int32_t PLZZahl(std::string_view text) {
  std::int32_t wert = 0;
  int ziffern = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') continue;
    if (++ziffern > 6) return -1;
    wert = wert * 10 + (c - '0');
  }
  return ziffern == 0 ? -1 : wert;
}

}  // namespace

AdressSpalten AdressSpaltenFinden(const std::vector<std::string>& kopf) {
  AdressSpalten s;
  for (int i = 0; i < static_cast<int>(kopf.size()); ++i) {
    const std::string t = Klein(kopf[static_cast<std::size_t>(i)]);
    if (t == "plz" && s.plz < 0) s.plz = i;
    else if (t == "ort" && s.ort < 0) s.ort = i;
    else if ((t == "strasse" || t == "stra\xDF" "e") && s.strasse < 0) s.strasse = i;
    else if ((t == "hausnummer" || t == "nr") && s.nr < 0) s.nr = i;
  }
  return s;
}

char ListenTrenner(std::string_view ersteZeile) {
  const auto n = [&](char c) { return std::count(ersteZeile.begin(), ersteZeile.end(), c); };
  const auto semikolon = n(';'), tab = n('\t'), komma = n(',');
  if (semikolon >= tab && semikolon >= komma && semikolon > 0) return ';';
  if (tab >= komma && tab > 0) return '\t';
  return komma > 0 ? ',' : ';';
}

std::size_t Levenshtein(std::string_view a, std::string_view b) {
  std::vector<std::size_t> zeile;
  // No distance reaches the longer length plus one: that bound never cuts.
  return LevenshteinUnter(a, b, std::max(a.size(), b.size()) + 1, zeile);
}

AdressPruefer::AdressPruefer(const Datenbestand& db) : db_(db) {
  orte_.resize(static_cast<std::size_t>(db.PLZAnzahl) + 1);
  for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) {
    const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
    plzSaetze_[r.PLZ].push_back(k);
    orte_[static_cast<std::size_t>(k)] = VergleichsText(r.Ort.text());
    ortErster_.try_emplace(orte_[static_cast<std::size_t>(k)], k);
  }
  const auto n = static_cast<std::size_t>(std::max(0, db.StrassenZahl));
  anfang_.assign(n + 2, 0);
  naechster_.assign(n + 1, 0);
  namen_.reserve(n * 16);
  paare_.reservieren(n);
  // The last street of each pair so far, by the pair's first street.
  std::vector<std::int32_t> letzter(n + 1, 0);
  for (std::int32_t i = 1; i <= db.StrassenZahl; ++i) {
    const TStrassenRecord& s = db.StrassenTabelle[static_cast<std::size_t>(i)];
    anfang_[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(namen_.size());
    const std::size_t laenge = std::min<std::size_t>(s.Strasse.laenge, sizeof s.Strasse.zeichen);
    StrassenNameAnhaengen(namen_, std::string_view(s.Strasse.zeichen, laenge));
    anfang_[static_cast<std::size_t>(i) + 1] = static_cast<std::uint32_t>(namen_.size());
    const std::int32_t plz = s.PLZ;
    plzStrassen_[plz].push_back(i);
    const std::string_view eigener = name(i);
    const auto [erster, neu] = paare_.finden(
        PaarHash(plz, eigener),
        [&](std::int32_t k) { return db.StrassenTabelle[static_cast<std::size_t>(k)].PLZ == plz && name(k) == eigener; }, i);
    if (neu) {
      letzter[static_cast<std::size_t>(i)] = i;
    } else {
      naechster_[static_cast<std::size_t>(letzter[static_cast<std::size_t>(erster)])] = i;
      letzter[static_cast<std::size_t>(erster)] = i;
    }
  }
}

AdressBefund AdressPruefer::pruefen(std::string_view plzText, std::string_view ort, std::string_view strasse, std::string_view nr,
                                    bool mitStrasse) const {
  const std::int32_t plz = PLZZahl(plzText);
  // Buffers reused from row to row: a list has a million of them.
  thread_local std::string ortText, name;
  thread_local std::vector<std::size_t> zeile;
  ortText.clear();
  VergleichsTextAnhaengen(ortText, ort);
  const auto saetze = plzSaetze_.find(plz);
  if (saetze == plzSaetze_.end()) {
    const auto o = ortErster_.find(ortText);
    return {kAdressStatus[kPLZUnbekannt], o == ortErster_.end() ? std::string() : PLZText(db_.PLZTabelle[static_cast<std::size_t>(o->second)])};
  }
  const bool ortPasst = std::any_of(saetze->second.begin(), saetze->second.end(),
                                   [&](std::int32_t k) { return orte_[static_cast<std::size_t>(k)] == ortText; });
  if (!ortPasst) return {kAdressStatus[kOrtPasstNicht], db_.PLZTabelle[static_cast<std::size_t>(saetze->second.front())].Ort.text()};
  const auto strassen = plzStrassen_.find(plz);
  if (!mitStrasse) return {kAdressStatus[kAdresseOK], {}};
  if (BlanksAbschneiden(strasse).empty()) return {kAdressStatus[kStrasseFehlt], {}};
  // Without a single street of the code there is nothing to check the street against.
  if (strassen == plzStrassen_.end()) return {kAdressStatus[kNichtGeprueft], {}};
  name.clear();
  StrassenNameAnhaengen(name, strasse);
  const std::int32_t erster = paare_.suchen(PaarHash(plz, name), [&](std::int32_t k) {
    return db_.StrassenTabelle[static_cast<std::size_t>(k)].PLZ == plz && this->name(k) == name;
  });
  if (erster < 0) {
    // The nearest name of the code, when it is near enough; the first of equals.
    std::size_t beste = 3;
    std::int32_t wahl = -1;
    for (const std::int32_t i : strassen->second) {
      const std::string_view n = this->name(i);
      if (n.size() > name.size() + 2 || name.size() > n.size() + 2) continue;
      const std::size_t d = LevenshteinUnter(name, n, beste, zeile);
      if (d < beste) {
        beste = d;
        wahl = i;
      }
    }
    return {kAdressStatus[kStrasseUnbekannt], wahl < 0 ? std::string() : db_.StrassenTabelle[static_cast<std::size_t>(wahl)].Strasse.text()};
  }
  const std::int64_t hausnummer = HausnummerZahl(nr);
  if (hausnummer >= 0) {
    bool mitNummern = false, drin = false;
    for (std::int32_t i = erster; i != 0; i = naechster_[static_cast<std::size_t>(i)]) {
      const TStrassenRecord& s = db_.StrassenTabelle[static_cast<std::size_t>(i)];
      const std::int64_t ab = HausnummerZahl(s.AbNr.text());
      std::int64_t bis = HausnummerZahl(s.BisNr.text());
      if (ab < 0) continue;
      if (bis < 0) bis = ab;
      mitNummern = true;
      drin = drin || (hausnummer >= ab && hausnummer <= bis);
    }
    if (mitNummern && !drin) return {kAdressStatus[kHausnummerAusserhalb], {}};
  }
  return {kAdressStatus[kAdresseOK], {}};
}

std::vector<std::string> AdressPruefErgebnis::zellen(std::size_t i) const {
  return TextTeilen(std::string_view(&trenner, 1), zeilen[i], 0);
}

AdressPruefErgebnis AdressListePruefen(const Datenbestand& db, const std::string& datei, Fortschritt& f) {
  AdressPruefErgebnis e;
  TextDatei t = TextDateiLesen(datei);
  e.zeilen = std::move(t.zeilen);
  e.kodierung = t.kodierung;
  if (e.zeilen.empty()) throw DateiFehler("Datei " + datei + " ist leer");
  e.trenner = ListenTrenner(e.zeilen.front());
  const std::vector<std::string> kopf = e.zellen(0);
  e.spalten = AdressSpaltenFinden(kopf);
  if (e.spalten.plz < 0 || e.spalten.ort < 0) {
    std::string namen;
    for (const std::string& k : kopf) namen += (namen.empty() ? "" : ", ") + k;
    throw DateiFehler("Datei " + datei + ": die Kopfzeile braucht die Spalten PLZ und Ort (gefunden: " + namen + ")");
  }
  const AdressPruefer pruefer(db);
  const auto n = static_cast<std::int64_t>(e.zeilen.size()) - 1;
  f.beginnen(n);
  e.befunde.reserve(static_cast<std::size_t>(n));
  auto zelle = [](const std::vector<std::string_view>& z, int i) {
    return i >= 0 && i < static_cast<int>(z.size()) ? OhneAnfuehrung(z[static_cast<std::size_t>(i)]) : std::string_view();
  };
  // The cells of a line as views into it, cut as TextTeilen cuts them.
  std::vector<std::string_view> z;
  for (std::int64_t r = 1; r <= n; ++r) {
    const std::string_view zeile = e.zeilen[static_cast<std::size_t>(r)];
    z.clear();
    if (!zeile.empty()) {
      std::size_t start = 0;
      for (std::size_t pos = zeile.find(e.trenner); pos != std::string_view::npos; pos = zeile.find(e.trenner, start)) {
        z.push_back(zeile.substr(start, pos - start));
        start = pos + 1;
      }
      z.push_back(zeile.substr(std::min(start, zeile.size())));
    }
    e.befunde.push_back(pruefer.pruefen(zelle(z, e.spalten.plz), zelle(z, e.spalten.ort), zelle(z, e.spalten.strasse),
                                        zelle(z, e.spalten.nr), e.spalten.strasse >= 0));
    if (r % 1000 == 0) {
      f.position(r);
      if (f.abbrechen()) {
        e.abgebrochen = true;
        break;
      }
    }
  }
  f.beenden();
  return e;
}

void AdressListeSchreiben(const Datenbestand& db, const AdressPruefErgebnis& e, const std::string& ziel) {
  if (const std::string nein = ExportZielVerboten(db, ziel); !nein.empty()) throw DateiFehler(nein);
  AusgabeSchreiben(ziel, [&](Schreiber& w) {
    w.schreiben(KodierungsMarke(e.kodierung));
    std::string zeile;
    for (std::size_t i = 0; i < e.zeilen.size() && i <= e.befunde.size(); ++i) {
      zeile = e.zeilen[i];
      if (i == 0) {
        ((zeile += e.trenner) += "Status") += e.trenner;
        zeile += "Vorschlag";
      } else {
        ((zeile += e.trenner) += Utf8ZuCp1252(e.befunde[i - 1].status)) += e.trenner;
        zeile += e.befunde[i - 1].vorschlag;
      }
      zeile += "\r\n";
      w.schreiben(InKodierung(zeile, e.kodierung));
    }
  });
}

}  // namespace orvano
