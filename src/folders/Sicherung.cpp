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
  for (const std::string_view datei : kDatenbankDateien) {
    const std::string basis = VorDemPunkt(datei);
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
  w.zahlenVeraltet = DateiVorhanden(ordner + PaarDatei(ziel));
  return w;
}

std::string ZahlenVeraltetText(const Wiederherstellung& w) {
  std::string ordner = OrdnerTeil(w.ziel);
  while (!ordner.empty() && ordner.back() == kTrenner) ordner.pop_back();
  ordner = DateiNameTeil(ordner);
  return (ordner.empty() ? std::string() : ordner + kTrenner) + DateiNameTeil(w.ziel) + " ist wiederhergestellt. Die Stra\xC3\x9F" "enanzahlen der PLZ-Eintr\xC3\xA4ge passen "
         "vielleicht nicht mehr zur Strassen-Datenbank.\rStrassen jetzt neu z\xC3\xA4hlen?";
}

}  // namespace orvano
