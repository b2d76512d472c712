#include "SicherungsAblage.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <fstream>
#include <set>
#include <utility>

#include "AnhangJournal.h"
#include "Dateien.h"
#include "Pfade.h"
#include "RecordDatei.h"
#include "Texte.h"

namespace orvano {

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

// Backup (when TAG is set) of the file at ZIEL, then the new file in its place.
std::string SichernUndEinsetzen(const std::string& ziel, const std::string& tag, const std::string& datum,
                                const std::function<void()>& einsetzen) {
  std::string kopie;
  if (!tag.empty() && DateiVorhanden(ziel)) {
    if (!VerzeichnisVorhanden(SicherungsOrdner()) && !VerzeichnisAnlegen(SicherungsOrdner())) {
      throw DateiFehler("Die Sicherheitskopie wurde nicht erstellt: der Ordner " + SicherungsOrdner() + " kann nicht angelegt werden");
    }
    try {
      kopie = SicherungAnlegen(ziel, datum, tag);
    } catch (const DateiFehler& f) {
      throw DateiFehler(std::string("Die Sicherheitskopie wurde nicht erstellt: ") + f.what());
    }
  }
  einsetzen();
  return kopie;
}

}  // namespace

std::string SichernUndErsetzen(const std::string& datei, const std::string& datum, const std::string& tag,
                               const std::function<void(Schreiber&)>& inhalt) {
  if (DateiVorhanden(datei)) {
    // What cannot be replaced is not backed up either: the message comes before any copy.
    struct stat st {};
    if (::stat(datei.c_str(), &st) == 0 && (st.st_mode & 0222) == 0) {
      throw DateiFehler("Datei " + datei + " ist schreibgesch\xC3\xBCtzt und wurde nicht ge\xC3\xA4ndert");
    }
    if (DateiGesperrt(datei)) throw DateiFehler("Datei " + datei + " ist von anderem Programm ge\xC3\xB6" "ffnet und wurde nicht ge\xC3\xA4ndert");
  }
  // The backup is made once the new file is complete, right before it takes the old one's
  // place: a backup that fails stops the replace, and a killed run leaves no backup that
  // shares its bytes with a file still in use.
  NeueDatei neu(datei, inhalt);
  return SichernUndEinsetzen(datei, tag, datum, [&] { neu.einsetzen(); });
}

namespace {

constexpr const char* kErsetzenJournal = ".~Ersetzen.journal";
constexpr const char* kErsetzenKennung = "ORVANO-ERSETZEN 1";

void TextSchreiben(int fd, const std::string& text, const std::string& name) {
  std::size_t n = 0;
  while (n < text.size()) {
    const ssize_t w = ::write(fd, text.data() + n, text.size() - n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) throw DateiFehler("Datei " + name + " kann nicht geschrieben werden: " + FehlerText(w < 0 ? errno : EIO));
    n += static_cast<std::size_t>(w);
  }
}

}  // namespace

namespace testhaken {
std::function<void()> ZwischenDenErsetzungen;
}  // namespace testhaken

std::vector<std::string> SichernUndBeideErsetzen(const Ersetzung& a, const Ersetzung& b, const std::string& datum) {
  // A write-protected file is refused by NeueDatei before anything is written.
  NeueDatei neuA(a.datei, a.inhalt), neuB(b.datei, b.inhalt);
  const std::string journal = OrdnerTeil(neuA.ziel()) + kErsetzenJournal;
  const int fd = ::open(journal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) throw DateiFehler("Datei " + journal + " kann nicht angelegt werden: " + FehlerText(errno));
  struct Ende {
    int fd;
    const std::string& name;
    bool ersterErsetzt = false;
    ~Ende() {
      // Before the first replace nothing has changed: the journal goes with the new files.
      if (!ersterErsetzt) ::unlink(name.c_str());
      ::close(fd);
    }
  } ende{fd, journal};
  ::flock(fd, LOCK_EX | LOCK_NB);
  TextSchreiben(fd, std::string(kErsetzenKennung) + "\n" + datum + "\n" + neuA.temp() + "\t" + neuA.ziel() + "\t" + a.tag + "\n" +
                        neuB.temp() + "\t" + neuB.ziel() + "\t" + b.tag + "\n",
                journal);
  if (::fsync(fd) != 0) throw DateiFehler("Datei " + journal + " kann nicht geschrieben werden: " + FehlerText(errno));
  OrdnerEintragSichern(journal);
  std::vector<std::string> kopien;
  kopien.push_back(SichernUndEinsetzen(a.datei, a.tag, datum, [&] { neuA.einsetzen(); }));
  // From here on the journal stays if this run dies: the next opening finishes B.
  ende.ersterErsetzt = true;
  if (testhaken::ZwischenDenErsetzungen) testhaken::ZwischenDenErsetzungen();
  kopien.push_back(SichernUndEinsetzen(b.datei, b.tag, datum, [&] { neuB.einsetzen(); }));
  ::unlink(journal.c_str());
  OrdnerEintragSichern(journal);
  return kopien;
}

namespace {

// Finishes the replace of two files a killed run began, when its journal lies in ORDNER.
void ErsetzungAbschliessen(const std::string& ordner, std::vector<std::string>& meldungen) {
  const std::string journal = ordner + kErsetzenJournal;
  const int fd = ::open(journal.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return;
  struct Zu {
    int fd;
    ~Zu() { ::close(fd); }
  } zu{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > 65536) return;
  // Its writer is still at work.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return;
  std::string text(static_cast<std::size_t>(st.st_size), '\0');
  if (::pread(fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size())) return;
  std::vector<std::string> zeilen;
  for (std::size_t p = 0, q; (q = text.find('\n', p)) != std::string::npos; p = q + 1) zeilen.push_back(text.substr(p, q - p));
  const bool gut = zeilen.size() == 4 && zeilen[0] == kErsetzenKennung;
  for (std::size_t i = 2; gut && i < 4; ++i) {
    const std::string& z = zeilen[i];
    const std::size_t t1 = z.find('\t'), t2 = t1 == std::string::npos ? t1 : z.find('\t', t1 + 1);
    if (t2 == std::string::npos) continue;
    const std::string temp = z.substr(0, t1), ziel = z.substr(t1 + 1, t2 - t1 - 1), tag = z.substr(t2 + 1);
    // Only files of this folder, under our own temporary names.
    if (OrdnerTeil(ziel) != OrdnerTeil(journal) && EchterPfad(OrdnerTeil(ziel)) != EchterPfad(ordner)) continue;
    if (temp.rfind(TempDateiPraefix(ziel), 0) != 0) continue;
    struct stat ts {};
    if (::lstat(temp.c_str(), &ts) != 0 || !S_ISREG(ts.st_mode)) continue;
    try {
      SichernUndEinsetzen(ziel, tag, zeilen[1], [&] {
        if (::rename(temp.c_str(), ziel.c_str()) != 0) throw DateiFehler("Datei " + ziel + " kann nicht ersetzt werden: " + FehlerText(errno));
        OrdnerEintragSichern(ziel);
        JournalVerwerfen(ziel);
      });
      meldungen.push_back("Ein abgebrochenes Speichern wurde abgeschlossen: " + ziel);
    } catch (const DateiFehler& f) {
      meldungen.push_back("Ein abgebrochenes Speichern konnte nicht abgeschlossen werden (" + std::string(f.what()) + "); " + ziel +
                          " ist noch die alte Datei, die Stra\xC3\x9F" "enanzahlen passen vielleicht nicht: bitte Stra\xC3\x9F" "en neu z\xC3\xA4hlen");
    }
  }
  ::unlink(journal.c_str());
  OrdnerEintragSichern(journal);
}

// A backup made as a second name of a live file that a kill left unreplaced would change with it.
void GeteilteSicherungenTrennen(const std::string& ordner, std::vector<std::string>& meldungen) {
  std::set<std::pair<dev_t, ino_t>> lebend;
  for (const std::string_view n : kDatenbankDateien) {
    struct stat st {};
    if (::stat((ordner + std::string(n)).c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink > 1) lebend.insert({st.st_dev, st.st_ino});
  }
  if (lebend.empty()) return;
  for (const std::string& n : VerzeichnisNamen(SicherungsOrdner())) {
    const std::string pfad = SicherungsOrdner() + n;
    struct stat st {};
    if (::lstat(pfad.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !lebend.count({st.st_dev, st.st_ino})) continue;
    // A copy of its own under a temporary name, then in the backup's place.
    try {
      AtomarSchreiben(pfad + ".kopie", [&](Schreiber& s) {
        RecordsBlockweise(pfad, 1, 1 << 20, [&](const char* d, std::size_t k) { s.schreiben(d, k); });
      });
      if (::rename((pfad + ".kopie").c_str(), pfad.c_str()) == 0) {
        OrdnerEintragSichern(pfad);
        meldungen.push_back("Die Sicherheitskopie " + n + " teilte ihren Speicher mit der Datenbank und ist jetzt eine eigene Kopie");
      }
    } catch (const DateiFehler&) {
      ::unlink((pfad + ".kopie").c_str());
    }
  }
}

}  // namespace

std::vector<std::string> OrdnerAufraeumen(const std::string& ordner) {
  std::vector<std::string> meldungen;
  // One look at the folder: what a killed run leaves starts with ".~"; mostly there is nothing.
  bool spuren = false;
  for (const std::string& n : VerzeichnisNamen(ordner.empty() ? "." : ordner)) spuren = spuren || n.rfind(".~", 0) == 0;
  if (spuren) {
    ErsetzungAbschliessen(ordner, meldungen);
    for (std::string& m : AbgebrocheneAnhaengeZuruecknehmen(ordner)) meldungen.push_back(std::move(m));
    for (const std::string_view n : kDatenbankDateien) VerwaisteTempDateienEntfernen(ordner + std::string(n));
  }
  GeteilteSicherungenTrennen(ordner, meldungen);
  return meldungen;
}

}  // namespace orvano
