#include "Sicherung.h"

#include <sys/stat.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

#include "core/Dateien.h"
#include "core/Pfade.h"
#include "core/RecordDatei.h"
#include "core/Records.h"
#include "core/Texte.h"


namespace orvano {

namespace {

constexpr std::size_t kNachDerBasis = 18;  // "_", 10 date characters, 3 tag characters, ".ppp"

bool Ziffer(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string SicherungsOrdner() { return ProgVerzeichnis + "SichCopy" + kTrenner; }

std::string HeutigesDatum() {
  const std::time_t jetzt = std::time(nullptr);
  std::tm t{};
  ::localtime_r(&jetzt, &t);
  char puffer[16];
  std::strftime(puffer, sizeof puffer, "%Y-%m-%d", &t);
  return puffer;
}

std::string SicherungsName(const std::string& datenbankDatei, const std::string& datum, const std::string& tag, int nummer) {
  std::string name = VorDemPunkt(DateiNameTeil(datenbankDatei)) + "_" + datum + tag;
  if (nummer >= 2) name += "-" + std::to_string(nummer);
  std::string ordner = OrdnerTeil(datenbankDatei);
  while (!ordner.empty() && ordner.back() == kTrenner) ordner.pop_back();
  ordner = DateiNameTeil(ordner);
  if (!ordner.empty() && ordner != "." && ordner != "..") name += "_" + ordner;
  return name + ".ppp";
}

namespace {

// The Nth name tried for a backup of DATEI: TAG, TAG-2, ...; the manual backups _01.._10 first.
std::string Kandidat(const std::string& datei, const std::string& datum, const std::string& tag, int n) {
  if (!tag.empty()) return SicherungsName(datei, datum, tag, n);
  if (n <= 10) return SicherungsName(datei, datum, n < 10 ? "_0" + std::to_string(n) : "_10");
  return SicherungsName(datei, datum, "_10", n - 9);
}

// Gives the finished file FERTIG (in SichCopy) the first candidate name no entry has: a link
// never replaces an entry, so two programs backing up at once still get two names.
std::string UnterNeuemNamenAblegen(const std::string& fertig, const std::string& datei, const std::string& datum,
                                   const std::string& tag) {
  for (int n = 1; n < 100000; ++n) {
    const std::string kopie = SicherungsOrdner() + Kandidat(datei, datum, tag, n);
    if (::link(fertig.c_str(), kopie.c_str()) == 0) {
      OrdnerEintragSichern(kopie);
      return kopie;
    }
    if (errno != EEXIST) throw DateiFehler("Datei " + kopie + " kann nicht angelegt werden: " + FehlerText(errno));
  }
  throw DateiFehler("Kein freier Name f\xC3\xBCr die Sicherheitskopie von " + datei);
}

// Removes a temporary name when it goes out of scope.
struct Wegraeumen {
  const std::string& pfad;
  ~Wegraeumen() { ::unlink(pfad.c_str()); }
};

}  // namespace

std::string SicherungErstellen(const std::string& datenbankDatei, const std::string& datum, const std::string& tag) {
  MussNormaleDateiSein(datenbankDatei);
  // Copied whole under a temporary name first; only a complete copy gets a backup's name.
  const std::string fertig =
      TempDateiPraefix(SicherungsOrdner() + DateiNameTeil(datenbankDatei)) + "kopie" + std::to_string(::getpid());
  AtomarSchreiben(fertig, [&](Schreiber& s) {
    RecordsBlockweise(datenbankDatei, 1, 1 << 20, [&](const char* d, std::size_t n) { s.schreiben(d, n); });
  });
  const Wegraeumen weg{fertig};
  return UnterNeuemNamenAblegen(fertig, datenbankDatei, datum, tag);
}

std::int64_t SicherungsAnzahl(const std::string& name, std::int64_t groesse) {
  if (groesse < 0) return -1;
  const std::int64_t satz = name.rfind("Dat_", 0) == 0 ? sizeof(TPLZRecord) : sizeof(TStrassenRecord);
  return groesse / satz;
}

std::vector<SicherungsEintrag> SicherungenListe() {
  std::vector<SicherungsEintrag> liste;
  for (const std::string& n : VerzeichnisNamen(SicherungsOrdner())) {
    if (n.size() > 4 && n.compare(n.size() - 4, 4, ".ppp") == 0) {
      liste.push_back({n, SicherungsAnzahl(n, DateiGroesse(SicherungsOrdner() + n))});
    }
  }
  return liste;
}

namespace {

struct Teile {
  std::string datei, ordner;
};

// Base "_yyyy-mm-dd" "_xx" ["-n"] ["_" folder] ".ppp"; an empty datei when it is no backup name.
Teile Zerlegen(const std::string& name) {
  if (name.size() <= 4 || name.compare(name.size() - 4, 4, ".ppp") != 0) return {};
  static const char* kBasen[] = {"Strassen_CH", "Strassen_D", "Strassen_A", "Dat_CH", "Dat_D", "Dat_A"};
  for (const char* b : kBasen) {
    const std::string basis = b;
    if (name.compare(0, basis.size(), basis) != 0) continue;
    const std::string rest = name.substr(basis.size(), name.size() - 4 - basis.size());
    if (rest.size() < kNachDerBasis - 4) continue;
    // "_yyyy-mm-dd" then the tag "_xx".
    const bool datum = rest[0] == '_' && Ziffer(rest[1]) && Ziffer(rest[2]) && Ziffer(rest[3]) && Ziffer(rest[4]) &&
                       rest[5] == '-' && Ziffer(rest[6]) && Ziffer(rest[7]) && rest[8] == '-' && Ziffer(rest[9]) &&
                       Ziffer(rest[10]) && rest[11] == '_';
    if (!datum) continue;
    std::size_t i = kNachDerBasis - 4;
    if (i < rest.size() && rest[i] == '-') {
      const std::size_t von = ++i;
      while (i < rest.size() && Ziffer(rest[i])) ++i;
      if (i == von) continue;
    }
    if (i == rest.size()) return {basis + ".ppp", ""};
    if (rest[i] != '_' || i + 1 == rest.size()) continue;
    return {basis + ".ppp", rest.substr(i + 1)};
  }
  return {};
}

}  // namespace

std::string WiederherstellZiel(const std::string& name) { return Zerlegen(name).datei; }
std::string SicherungsHerkunft(const std::string& name) { return Zerlegen(name).ordner; }

void DateiKopieren(const std::string& quelle, const std::string& ziel) {
  MussNormaleDateiSein(quelle);
  const int fd = ::open(quelle.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw DateiFehler("Datei " + quelle + " kann nicht gelesen werden: " + FehlerText(errno));
  struct Schliessen {
    int fd;
    ~Schliessen() { ::close(fd); }
  } zu{fd};
  const std::string ordner = OrdnerTeil(ziel);
  if (!ordner.empty() && !VerzeichnisVorhanden(ordner)) throw DateiFehler("Kopie nicht möglich: der Ordner " + ordner + " fehlt");
  AtomarSchreiben(ziel, [&](Schreiber& s) {
    std::vector<char> puffer(1 << 20);
    for (;;) {
      const ssize_t r = ::read(fd, puffer.data(), puffer.size());
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) throw DateiFehler("Datei " + quelle + " kann nicht gelesen werden: " + FehlerText(errno));
      if (r == 0) break;
      s.schreiben(puffer.data(), static_cast<std::size_t>(r));
    }
  });
}

namespace {

// The old file becomes the backup by a second name: the replace gives the live name a new
// file, so the backup keeps the old bytes without copying them. Where the backup folder
// cannot take a link (another file system), it is a copy.
std::string SicherungAnlegen(const std::string& datei, const std::string& datum, const std::string& tag) {
  const std::string echt = EchterPfad(datei);
  const std::string zwischen = TempDateiPraefix(SicherungsOrdner() + DateiNameTeil(datei)) + "link" + std::to_string(::getpid());
  ::unlink(zwischen.c_str());
  if (::link(echt.c_str(), zwischen.c_str()) == 0) {
    const Wegraeumen weg{zwischen};
    return UnterNeuemNamenAblegen(zwischen, datei, datum, tag);
  }
  return SicherungErstellen(datei, datum, tag);
}

}  // namespace

Wiederherstellung SicherungWiederherstellen(const std::string& name, const std::string& ordnerPfad, const std::string& datum) {
  Wiederherstellung w;
  const std::string ziel = WiederherstellZiel(name);
  if (ziel.empty() || name.find(kTrenner) != std::string::npos) {
    throw DateiFehler(name + " ist keine Sicherheitskopie einer Datenbank");
  }
  const std::string quelle = SicherungsOrdner() + name;
  if (!DateiVorhanden(quelle)) throw DateiFehler(quelle + " nicht gefunden");
  MussNormaleDateiSein(quelle);
  const std::string ordner = ordnerPfad.empty() || ordnerPfad.back() == kTrenner ? ordnerPfad : ordnerPfad + kTrenner;
  if (!ordner.empty() && !VerzeichnisVorhanden(ordner)) throw DateiFehler("Kopie nicht m\xC3\xB6glich: der Ordner " + ordner + " fehlt");
  w.ziel = ordner + ziel;
  const SchreibSperre sperre(w.ziel);
  w.sicherung = SichernUndErsetzen(w.ziel, datum, "_WH", [&](Schreiber& s) {
    RecordsBlockweise(quelle, 1, 1 << 20, [&](const char* d, std::size_t n) { s.schreiben(d, n); });
  });
  const bool plz = ziel.rfind("Dat_", 0) == 0;
  const std::string land = ziel.substr(plz ? 4 : 9);
  w.zahlenVeraltet = DateiVorhanden(ordner + (plz ? "Strassen_" : "Dat_") + land);
  return w;
}

std::string ZahlenVeraltetText(const Wiederherstellung& w) {
  std::string ordner = OrdnerTeil(w.ziel);
  while (!ordner.empty() && ordner.back() == kTrenner) ordner.pop_back();
  ordner = DateiNameTeil(ordner);
  return (ordner.empty() ? std::string() : ordner + kTrenner) + DateiNameTeil(w.ziel) + " ist wiederhergestellt. Die Strassen-Anzahlen der PLZ-Eintr\xC3\xA4ge passen "
         "vielleicht nicht mehr zur Strassen-Datenbank.\rStrassen jetzt neu z\xC3\xA4hlen?";
}

std::string SichernUndErsetzen(const std::string& datei, const std::string& datum, const std::string& tag,
                               const std::function<void(Schreiber&)>& inhalt) {
  bool sichern = false;
  if (DateiVorhanden(datei)) {
    // What cannot be replaced is not backed up either: the message comes before any copy.
    struct stat st {};
    if (::stat(datei.c_str(), &st) == 0 && (st.st_mode & 0222) == 0) {
      throw DateiFehler("Datei " + datei + " ist schreibgesch\xC3\xBCtzt und wurde nicht ge\xC3\xA4ndert");
    }
    if (DateiGesperrt(datei)) throw DateiFehler("Datei " + datei + " ist von anderem Programm ge\xC3\xB6" "ffnet und wurde nicht ge\xC3\xA4ndert");
    if (!VerzeichnisVorhanden(SicherungsOrdner()) && !VerzeichnisAnlegen(SicherungsOrdner())) {
      throw DateiFehler("Die Sicherheitskopie wurde nicht erstellt: der Ordner " + SicherungsOrdner() + " kann nicht angelegt werden");
    }
    sichern = true;
  }
  std::string kopie;
  // The backup is made once the new file is complete, right before it takes the old one's
  // place: a backup that fails stops the replace, and a killed run leaves no backup that
  // shares its bytes with a file still in use.
  AtomarSchreiben(datei, inhalt, [&] {
    if (!sichern) return;
    try {
      kopie = SicherungAnlegen(datei, datum, tag);
    } catch (const DateiFehler& f) {
      throw DateiFehler(std::string("Die Sicherheitskopie wurde nicht erstellt: ") + f.what());
    }
  });
  return kopie;
}

}  // namespace orvano
