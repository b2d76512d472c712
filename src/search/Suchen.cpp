#include "Suchen.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "core/Dateien.h"
#include "core/RecordDatei.h"
#include "core/Texte.h"

namespace orvano {

const std::vector<std::string>& PLZSuchFelder() {
  static const std::vector<std::string> felder = {"2xPLZ", "Ort", "Bundesland", "Ortsteil", "Landkreis", "Postleitzahl",
                                                  "Autokennzeichen", "Breitengrad", "Laengengrad", "Vorwahl", "Strassen"};
  return felder;
}

const std::vector<std::string>& StrassenSuchFelder() {
  static const std::vector<std::string> felder = {"PLZ", "Ort", "Strasse", "Ab", "Bis"};
  return felder;
}

namespace {

std::string Ganz(std::int32_t z) { return std::to_string(z); }

}  // namespace

std::string SuchWert(const TPLZRecord& r, const std::string& feld) {
  if (feld == "Ort") return r.Ort.text();
  if (feld == "Bundesland") return r.Bundesland.text();
  if (feld == "Ortsteil") return r.Ortsteil.text();
  if (feld == "Landkreis") return r.Landkreis.text();
  if (feld == "Postleitzahl" || feld == "PLZ") return PLZText(r);
  if (feld == "Autokennzeichen") return r.Autokennzeichen.text();
  if (feld == "Breitengrad") return RealZuText(r.Breitengrad);
  if (feld == "Laengengrad") return RealZuText(r.Laengengrad);
  if (feld == "Vorwahl") return VorwahlText(r.Vorwahl);
  if (feld == "Strassen") return Ganz(r.Strassen);
  return {};
}

std::string SuchWert(const TStrassenRecord& s, const std::string& feld) {
  if (feld == "PLZ" || feld == "Postleitzahl") return Ganz(s.PLZ);
  if (feld == "Ort") return s.Ort.text();
  if (feld == "Strasse") return s.Strasse.text();
  if (feld == "Ab") return s.AbNr.text();
  if (feld == "Bis") return s.BisNr.text();
  return {};
}

namespace {

// The same number without the leading zero it is shown with, so that "7389" finds 07389 as
// "07389" does; empty when the field has no such second form.
std::string OhneNull(const TPLZRecord& r, const std::string& feld) {
  if (feld == "Postleitzahl" || feld == "PLZ") return Ganz(r.PLZ);
  if (feld == "Vorwahl") return r.Vorwahl == 0 ? std::string() : Ganz(r.Vorwahl);
  return {};
}

// A street's code is stored without its country: a German one may be searched with its zero.
std::string OhneNull(const TStrassenRecord& s, const std::string& feld) {
  if ((feld == "PLZ" || feld == "Postleitzahl") && s.PLZ > 0 && s.PLZ < 10000) return "0" + Ganz(s.PLZ);
  return {};
}

bool BeginntMit(const std::string& wert, const std::string& anfang) {
  // An empty beginning is found nowhere.
  return !anfang.empty() && wert.compare(0, anfang.size(), anfang) == 0;
}

template <class Record>
SuchErgebnis Durchsuchen(const RecordFeld<Record>& tabelle, std::int32_t n, const SuchAuftrag& a, bool zweite,
                         std::int32_t schritt, Fortschritt& f) {
  SuchErgebnis e;
  const std::int32_t start = std::max(a.start, 1);
  f.beginnen(n);
  for (std::int32_t k = start; k <= n; ++k) {
    const Record& r = tabelle[static_cast<std::size_t>(k)];
    auto passt = [&](const std::string& v) { return a.genau ? v == a.text : v.find(a.text) != std::string::npos; };
    const std::string v1 = SuchWert(r, a.feld);
    bool treffer = passt(v1);
    if (!treffer) {
      const std::string v0 = OhneNull(r, a.feld);
      treffer = !v0.empty() && passt(v0);
    }
    if (treffer && zweite) {
      const std::string v2 = SuchWert(r, a.feld2);
      if (!v2.empty() && !BeginntMit(v2, a.text2)) treffer = false;
    }
    if (treffer) {
      e.positionen.push_back(k);
      e.markiert.push_back(true);
    }
    if (k % schritt == 0) {
      f.position(k);
      f.status(0, (a.plz ? "n = " + Ganz(static_cast<std::int32_t>(e.positionen.size())) : " n = " + Ganz(k)));
      if (f.abbrechen()) {
        e.abgebrochen = true;
        break;
      }
    }
  }
  f.beenden();
  return e;
}

}  // namespace

SuchErgebnis FeldSuchen(const Datenbestand& db, const SuchAuftrag& a, Fortschritt& f) {
  if (a.plz) return Durchsuchen(db.PLZTabelle, db.PLZAnzahl, a, !a.feld2.empty() && !a.text2.empty(), 100, f);
  return Durchsuchen(db.StrassenTabelle, db.StrassenZahl, a, !a.feld2.empty(), 1000, f);
}

SuchErgebnis DoppeltePLZ(const Datenbestand& db, std::int32_t start, Fortschritt& f) {
  SuchErgebnis e;
  start = std::max(start, 1);
  const std::int32_t n = db.PLZAnzahl;
  f.beginnen(n);
  auto schluessel = [&](std::int32_t k) {
    const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
    const std::int32_t plz = r.PLZ;
    return std::string(reinterpret_cast<const char*>(&plz), sizeof plz) + GrossText(LeerzeichenEntfernen(r.Ort.text()));
  };
  // How many later twins each record has, counted from the end.
  std::unordered_map<std::string, std::int32_t> spaeter;
  std::vector<std::int32_t> anzahl(static_cast<std::size_t>(std::max(0, n - start + 1)), 0);
  for (std::int32_t k = n; k >= start; --k) anzahl[static_cast<std::size_t>(k - start)] = spaeter[schluessel(k)]++;
  for (std::int32_t k = start; k <= n; ++k) {
    const std::int32_t c = anzahl[static_cast<std::size_t>(k - start)];
    for (std::int32_t i = 0; i < c; ++i) {
      e.positionen.push_back(k);
      e.markiert.push_back(i == 0);
    }
    if (k % 10 == 0) {
      f.position(k);
      f.status(0, "n = " + Ganz(k));
      if (f.abbrechen()) {
        e.abgebrochen = true;
        break;
      }
    }
  }
  f.beenden();
  return e;
}

char SuchLand(const Datenbestand& db) { return db.Land.empty() ? 0 : LandBuchstabe(db.Land.front()); }

std::vector<std::string> PLZSuchZeile(const TPLZRecord& r, std::int32_t pos) {
  return {"",
          r.Ort.text(),
          r.Staat.text(),
          r.Bundesland.text(),
          r.Ortsteil.text(),
          r.Landkreis.text(),
          PLZText(r),
          r.Autokennzeichen.text(),
          RealZuText(r.Breitengrad),
          RealZuText(r.Laengengrad),
          Ganz(pos),
          r.Regierungsbezirk.text(),
          r.Gemeindeteil.text(),
          r.Verwaltungszusammenschluss.text(),
          VorwahlText(r.Vorwahl),
          Ganz(r.Strassen),
          "",
          "",
          kMarke};
}

std::vector<std::string> StrassenSuchZeile(const TStrassenRecord& s, std::int32_t pos, char land) {
  std::vector<std::string> z(kSuchSpalten);
  z[1] = s.Ort.text();
  z[2] = std::string(1, s.HausNrKz);
  z[6] = land ? PLZText(s.PLZ, land) : Ganz(s.PLZ);
  z[kSuchSpalteDBNr] = Ganz(pos);
  z[15] = s.Strasse.text();
  z[16] = s.AbNr.text();
  z[17] = s.BisNr.text();
  z[kSuchSpalteMarke] = kMarke;
  return z;
}

std::vector<int> MarkierteZeilen(const Tabelle& t) {
  std::vector<int> z;
  for (int r = 1; r < t.zeilen(); ++r) {
    if (t.zelle(kSuchSpalteMarke, r) == kMarke) z.push_back(r);
  }
  return z;
}

std::vector<int> GeleerteZeilen(const Tabelle& t) {
  std::vector<int> z;
  for (const int r : MarkierteZeilen(t)) {
    if (t.zelle(6, r).empty() || t.zelle(15, r).empty()) z.push_back(r);
  }
  return z;
}

namespace {

// The record as stored with the cells applied that differ from what the row showed of it.
TPLZRecord PLZAusZeile(const TPLZRecord& gespeichert, std::int32_t pos, const Tabelle& t, int zeile) {
  TPLZRecord r = gespeichert;
  const std::vector<std::string> vorher = PLZSuchZeile(gespeichert, pos);
  auto neu = [&](int c) { return t.zelle(c, zeile) != vorher[static_cast<std::size_t>(c)]; };
  auto text = [&](int c) { return std::string(t.zelle(c, zeile)); };
  if (neu(1)) r.Ort.setzen(text(1));
  if (neu(2)) r.Staat.setzen(text(2));
  if (neu(3)) r.Bundesland.setzen(text(3));
  if (neu(4)) r.Ortsteil.setzen(text(4));
  if (neu(5)) r.Landkreis.setzen(text(5));
  if (neu(6)) r.PLZ = TextZuZahl(text(6));
  if (neu(7)) r.Autokennzeichen.setzen(text(7));
  if (neu(8)) r.Breitengrad = TextZuReal(text(8));
  if (neu(9)) r.Laengengrad = TextZuReal(text(9));
  if (neu(11)) r.Regierungsbezirk.setzen(text(11));
  if (neu(12)) r.Gemeindeteil.setzen(text(12));
  if (neu(13)) r.Verwaltungszusammenschluss.setzen(text(13));
  if (neu(14)) r.Vorwahl = TextZuZahl(text(14));
  if (neu(15)) r.Strassen = TextZuZahl(text(15));
  if (neu(16)) r.AbBisNr = TextZuZahl(text(16));
  return r;
}

TStrassenRecord StrasseAusZeile(const TStrassenRecord& gespeichert, std::int32_t pos, const Tabelle& t, int zeile, char land) {
  TStrassenRecord s = gespeichert;
  const std::vector<std::string> vorher = StrassenSuchZeile(gespeichert, pos, land);
  auto neu = [&](int c) { return t.zelle(c, zeile) != vorher[static_cast<std::size_t>(c)]; };
  auto text = [&](int c) { return std::string(t.zelle(c, zeile)); };
  if (neu(1)) s.Ort.setzen(text(1));
  if (neu(2)) s.HausNrKz = text(2).empty() ? '0' : text(2).front();
  if (neu(6)) s.PLZ = TextZuZahl(text(6));
  if (neu(15)) s.Strasse.setzen(text(15));
  if (neu(16)) s.AbNr.setzen(text(16));
  if (neu(17)) s.BisNr.setzen(text(17));
  return s;
}

void Beschreibbar(const std::string& datei) {
  struct stat st {};
  if (::stat(datei.c_str(), &st) != 0) throw DateiFehler(NichtGefundenText(datei));
  if ((st.st_mode & 0222) == 0) throw DateiFehler("Datei " + datei + " ist schreibgesch\xC3\xBCtzt und wurde nicht ge\xC3\xA4ndert");
  if (DateiGesperrt(datei)) throw DateiFehler("Datei " + datei + " ist von anderem Programm ge\xC3\xB6" "ffnet und wurde nicht ge\xC3\xA4ndert");
}

}  // namespace

std::int32_t ZeilenZurueckschreiben(Datenbestand& db, bool plz, const Tabelle& t, Fortschritt& f) {
  const std::string datei = plz ? db.plzDatei() : db.strassenDatei();
  Beschreibbar(datei);
  const SchreibSperre sperre(datei);
  db.MussUnveraendertSein(plz);
  const int fd = ::open(datei.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) throw DateiFehler("Datei " + datei + " kann nicht ge\xC3\xB6" "ffnet werden: " + FehlerText(errno));
  struct Zu {
    int fd;
    ~Zu() { ::close(fd); }
  } zu{fd};
  const std::vector<int> zeilen = MarkierteZeilen(t);
  std::int32_t geschrieben = 0;
  f.beginnen(static_cast<std::int64_t>(zeilen.size()));
  for (std::size_t i = 0; i < zeilen.size(); ++i) {
    const int z = zeilen[i];
    const std::int32_t k = TextZuZahl(t.zelle(kSuchSpalteDBNr, z));
    const std::int32_t n = plz ? db.PLZAnzahl : db.StrassenZahl;
    if (k <= 0 || k > n) continue;
    std::string satz;
    std::int64_t position = 0;
    if (plz) {
      const TPLZRecord r = PLZAusZeile(db.PLZTabelle[static_cast<std::size_t>(k)], k, t, z);
      satz.assign(reinterpret_cast<const char*>(&r), sizeof r);
      position = static_cast<std::int64_t>(k - 1) * static_cast<std::int64_t>(sizeof r);
    } else {
      const TStrassenRecord s = StrasseAusZeile(db.StrassenTabelle[static_cast<std::size_t>(k)], k, t, z, SuchLand(db));
      satz.assign(reinterpret_cast<const char*>(&s), sizeof s);
      // Where the record lies in the file: invalid entries before it were skipped by the loading.
      position = static_cast<std::int64_t>(db.StrassenPosition[static_cast<std::size_t>(k)] - 1) * static_cast<std::int64_t>(sizeof s);
    }
    std::size_t erledigt = 0;
    while (erledigt < satz.size()) {
      const ssize_t w = ::pwrite(fd, satz.data() + erledigt, satz.size() - erledigt, position + static_cast<std::int64_t>(erledigt));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) throw DateiFehler("Datei " + datei + " kann nicht geschrieben werden: " + FehlerText(w < 0 ? errno : EIO));
      erledigt += static_cast<std::size_t>(w);
    }
    ++geschrieben;
    f.position(static_cast<std::int64_t>(i) + 1);
    f.status(0, "n = " + std::to_string(i + 1) + " von " + std::to_string(zeilen.size()));
    if (f.abbrechen()) break;
  }
  if (::fsync(fd) != 0) throw DateiFehler("Datei " + datei + " kann nicht geschrieben werden: " + FehlerText(errno));
  // Our own write: the owner loads the file again, no other program is to be reported.
  db.SelbstGeschrieben(plz);
  f.beenden();
  return geschrieben;
}

std::int32_t ZeilenLoeschen(Datenbestand& db, bool plz, const Tabelle& t, const std::vector<int>& zeilen, Fortschritt& f) {
  const std::string datei = plz ? db.plzDatei() : db.strassenDatei();
  Beschreibbar(datei);
  const SchreibSperre sperre(datei);
  db.MussUnveraendertSein(plz);
  std::unordered_set<std::int32_t> weg;
  for (const int z : zeilen) weg.insert(TextZuZahl(t.zelle(kSuchSpalteDBNr, z)));
  const std::int32_t n = plz ? db.PLZAnzahl : db.StrassenZahl;
  std::int32_t geloescht = 0;
  f.beginnen(n);
  AtomarSchreiben(datei, [&](Schreiber& s) {
    for (std::int32_t k = 1; k <= n; ++k) {
      if (weg.count(k)) {
        ++geloescht;
      } else if (plz) {
        s.schreiben(&db.PLZTabelle[static_cast<std::size_t>(k)], sizeof(TPLZRecord));
      } else {
        s.schreiben(&db.StrassenTabelle[static_cast<std::size_t>(k)], sizeof(TStrassenRecord));
      }
      if (k % 1000 == 0) f.position(k);
    }
  });
  f.beenden();
  return geloescht;
}

}  // namespace orvano
