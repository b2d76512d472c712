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

std::string SicherungsName(const std::string& datenbankDatei, const std::string& datum, const std::string& tag) {
  return VorDemPunkt(DateiNameTeil(datenbankDatei)) + "_" + datum + tag + ".ppp";
}

FreieSicherung FreieSicherungSuchen(const std::string& datenbankDatei, const std::string& datum) {
  FreieSicherung f;
  for (int n = 1; n <= 10; ++n) {
    const std::string tag = n < 10 ? "_0" + std::to_string(n) : "_10";
    f.pfad = SicherungsOrdner() + SicherungsName(datenbankDatei, datum, tag);
    if (!DateiVorhanden(f.pfad)) return f;
  }
  f.ueberschreiben = true;
  return f;
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

std::string WiederherstellZiel(const std::string& name) {
  if (name.size() <= kNachDerBasis || name.compare(name.size() - 4, 4, ".ppp") != 0) return {};
  const std::size_t b = name.size() - kNachDerBasis;
  const std::string basis = name.substr(0, b);
  static const char* kBasen[] = {"Dat_D", "Dat_A", "Dat_CH", "Strassen_D", "Strassen_A", "Strassen_CH"};
  if (std::none_of(std::begin(kBasen), std::end(kBasen), [&](const char* k) { return basis == k; })) return {};
  // "_yyyy-mm-dd" then the tag "_xx".
  const std::string rest = name.substr(b, kNachDerBasis - 4);
  const bool datum = rest[0] == '_' && Ziffer(rest[1]) && Ziffer(rest[2]) && Ziffer(rest[3]) && Ziffer(rest[4]) &&
                     rest[5] == '-' && Ziffer(rest[6]) && Ziffer(rest[7]) && rest[8] == '-' && Ziffer(rest[9]) &&
                     Ziffer(rest[10]) && rest[11] == '_';
  if (!datum) return {};
  return basis + ".ppp";
}

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
void SicherungAnlegen(const std::string& datei, const std::string& kopie) {
  const std::string echt = EchterPfad(datei);
  const std::string zwischen = TempDateiPraefix(kopie) + "link";
  ::unlink(zwischen.c_str());
  if (::link(echt.c_str(), zwischen.c_str()) == 0) {
    if (::rename(zwischen.c_str(), kopie.c_str()) == 0) {
      OrdnerEintragSichern(kopie);
      return;
    }
    ::unlink(zwischen.c_str());
  }
  DateiKopieren(datei, kopie);
}

}  // namespace

std::string SichernUndErsetzen(const std::string& datei, const std::string& datum, const std::string& tag,
                               const std::function<void(Schreiber&)>& inhalt) {
  std::string kopie;
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
    kopie = SicherungsOrdner() + SicherungsName(datei, datum, tag);
  }
  // The backup is made once the new file is complete, right before it takes the old one's
  // place: a backup that fails stops the replace, and a killed run leaves no backup that
  // shares its bytes with a file still in use.
  AtomarSchreiben(datei, inhalt, [&] {
    if (kopie.empty()) return;
    try {
      SicherungAnlegen(datei, kopie);
    } catch (const DateiFehler& f) {
      throw DateiFehler(std::string("Die Sicherheitskopie wurde nicht erstellt: ") + f.what());
    }
  });
  return kopie;
}

}  // namespace orvano
