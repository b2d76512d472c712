#include "Import.h"

#include "core/AnhangJournal.h"

#include <sys/file.h>

#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "core/Dateien.h"
#include "core/Felder.h"
#include "core/Texte.h"

namespace orvano {

TPLZRecord ImportZeileZuPLZ(const Tabelle& t, int r) { return PLZAusZeile(t, r, false); }
TPLZRecord ImportZellenZuPLZ(const std::vector<std::string>& zellen) { return PLZAusZellen(zellen); }

TStrassenRecord ImportZeileZuStrasse(const Tabelle& t, int r) {
  TStrassenRecord s = StrasseAusZeile(t, r, kImportStrassenSpalten);
  s.HausNrKz = '1';
  return s;
}

TStrassenRecord ImportZellenZuStrasse(const std::vector<std::string>& zellen) {
  TStrassenRecord s = StrasseAusZellen(zellen, kImportStrassenSpalten);
  s.HausNrKz = '1';
  return s;
}

namespace {

// A row of the import table.
struct TabellenZeile {
  const Tabelle& t;
  int r;
};
TPLZRecord ZuPLZ(const TabellenZeile& z) { return ImportZeileZuPLZ(z.t, z.r); }
TPLZRecord ZuPLZ(const std::vector<std::string>& zellen) { return ImportZellenZuPLZ(zellen); }
TStrassenRecord ZuStrasse(const TabellenZeile& z) { return ImportZeileZuStrasse(z.t, z.r); }
TStrassenRecord ZuStrasse(const std::vector<std::string>& zellen) { return ImportZellenZuStrasse(zellen); }

std::size_t SatzGroesse(bool plz) { return plz ? sizeof(TPLZRecord) : sizeof(TStrassenRecord); }

// Puts the record of ZEILE into SATZ (room for either kind); true when it is one to write:
// postal codes with Ort and PLZ, streets with a PLZ of 1..99999 and a street name.
template <class Zeile>
bool SatzFuellen(bool plz, const Zeile& zeile, void* satz) {
  if (plz) {
    const TPLZRecord d = ZuPLZ(zeile);
    std::memcpy(satz, &d, sizeof d);
    return InBenutzung(d);
  }
  const TStrassenRecord s = ZuStrasse(zeile);
  std::memcpy(satz, &s, sizeof s);
  return StrasseGueltig(s);
}

}  // namespace

std::int64_t ImportGueltigeZeilen(const Tabelle& t, bool plz) {
  std::int64_t n = 0;
  char satz[sizeof(TPLZRecord)];
  for (int r = 1; r < t.zeilen(); ++r) n += SatzFuellen(plz, TabellenZeile{t, r}, satz) ? 1 : 0;
  return n;
}

std::int64_t ImportZeilen(const Tabelle& t) {
  std::int64_t n = 0;
  for (int r = 1; r < t.zeilen(); ++r) {
    for (int c = 1; c < t.spalten(); ++c) {
      if (!t.zelle(c, r).empty()) {
        ++n;
        break;
      }
    }
  }
  return n;
}

std::string ImportBericht(std::int64_t geschrieben, std::int64_t uebersprungen, bool plz) {
  std::string text = std::to_string(geschrieben) + (geschrieben == 1 ? " Datensatz" : " Datens\xC3\xA4tze") + " geschrieben";
  if (uebersprungen > 0) {
    text += ", " + std::to_string(uebersprungen) + (uebersprungen == 1 ? " Zeile" : " Zeilen") +
            (plz ? " ohne Ort oder PLZ" : " ohne g\xC3\xBCltige PLZ oder Strasse") + " \xC3\xBC" "bersprungen";
  }
  return text;
}

AnhaengenErgebnis ImportAnhaengen(const std::string& ziel, bool plz, const Tabelle& t, Fortschritt& fortschritt) {
  return SaetzeAnhaengen(
      ziel, SatzGroesse(plz), t.zeilen() - 1,
      [&](std::int64_t i, void* satz) { return SatzFuellen(plz, TabellenZeile{t, static_cast<int>(i)}, satz); }, fortschritt);
}

SatzAnhang::SatzAnhang(const std::string& ziel, std::size_t groesse) : ziel_(ziel), groesse_(groesse) {
  // No other writer meanwhile; the lock is taken before the file may be created.
  if (DateiVorhanden(ziel)) sperre_.emplace(ziel);
  // An earlier import of this file that was killed is taken back first.
  if (auto m = AbgebrochenenAnhangZuruecknehmen(ziel)) ergebnis_.zurueckgenommen = *m;
  fd_ = ::open(ziel.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) throw DateiFehler("Datei " + ziel + " kann nicht geöffnet werden: " + FehlerText(errno));
  try {
    if (!sperre_ && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) throw DateiFehler(GesperrtText(ziel));
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw DateiFehler("Datei " + ziel + " kann nicht gelesen werden: " + FehlerText(errno));
    // By the permission bits, so that root (who could write anyway) respects them too.
    if ((st.st_mode & 0222) == 0) throw DateiFehler("Datei " + ziel + " ist schreibgeschützt und wurde nicht geändert");
    // The new records follow the last whole one: a torn tail (a cut-off append) is never read,
    // and records behind it would all be out of line.
    alteGroesse_ = st.st_size;
    ergebnis_.anfang = alteGroesse_ / static_cast<std::int64_t>(groesse) * static_cast<std::int64_t>(groesse);
    // The torn tail's bytes, to put back when the append fails.
    schwanz_.assign(static_cast<std::size_t>(alteGroesse_ - ergebnis_.anfang), '\0');
    if (!schwanz_.empty() &&
        ::pread(fd_, schwanz_.data(), schwanz_.size(), ergebnis_.anfang) != static_cast<ssize_t>(schwanz_.size())) {
      schwanz_.clear();
    }
    // A kill from here on is taken back at the next opening of the folder.
    journal_.emplace(ziel, fd_, alteGroesse_, ergebnis_.anfang, groesse);
    if (::lseek(fd_, ergebnis_.anfang, SEEK_SET) < 0) {
      throw DateiFehler("Datei " + ziel + " kann nicht geschrieben werden: " + FehlerText(errno));
    }
    // Written by a second thread and sent to the disk as it goes: the fsync at the end has
    // little left to wait for.
    schreiber_.emplace(fd_, ziel, true, ergebnis_.anfang);
  } catch (...) {
    ::close(fd_);
    throw;
  }
}

SatzAnhang::~SatzAnhang() {
  schreiber_.reset();
  if (journal_) {
    // Not finished (a full disk, a write error, a failed source): the file as it was before.
    if (::ftruncate(fd_, alteGroesse_) == 0 &&
        (schwanz_.empty() || ::pwrite(fd_, schwanz_.data(), schwanz_.size(), ergebnis_.anfang) >= 0) && ::fsync(fd_) == 0) {
      journal_->entfernen();
    }
    journal_.reset();
  }
  ::close(fd_);
}

void SatzAnhang::hinzufuegen(const void* satz) {
  schreiber_->schreiben(satz, groesse_);
  ++ergebnis_.geschrieben;
}

AnhaengenErgebnis SatzAnhang::abschliessen() {
  schreiber_->leeren();
  schreiber_.reset();
  if (::fsync(fd_) != 0) throw DateiFehler("Datei " + ziel_ + " kann nicht geschrieben werden: " + FehlerText(errno));
  journal_->entfernen();
  journal_.reset();
  return ergebnis_;
}

DirektImportErgebnis DirektImportieren(const std::string& quelle, ImportFormat& format, const CSVLeseOptionen& optionen,
                                       const std::string& ziel, bool plz, bool schreiben, Fortschritt& fortschritt) {
  DirektImportErgebnis e;
  std::optional<SatzAnhang> anhang;
  if (schreiben) anhang.emplace(ziel, SatzGroesse(plz));
  char satz[sizeof(TPLZRecord)];
  e.gelesen = CSVZeilenLesen(quelle, format, optionen, fortschritt, [&](int, std::vector<std::string>& zellen) {
    if (!SatzFuellen(plz, zellen, satz)) return;
    if (anhang) anhang->hinzufuegen(satz);
    ++e.gueltig;
  });
  if (anhang) e.anhang = anhang->abschliessen();
  return e;
}

AnhaengenErgebnis SaetzeAnhaengen(const std::string& ziel, std::size_t groesse, std::int64_t anzahl,
                                  const std::function<bool(std::int64_t, void*)>& satz, Fortschritt& fortschritt) {
  SatzAnhang anhang(ziel, groesse);
  fortschritt.beginnen(anzahl);
  struct Beenden {
    Fortschritt& f;
    ~Beenden() { f.beenden(); }
  } beenden{fortschritt};
  std::vector<char> neu(groesse);
  for (std::int64_t r = 1; r <= anzahl; ++r) {
    if (satz(r, neu.data())) anhang.hinzufuegen(neu.data());
    if (r % 10 == 0) fortschritt.position(r);
  }
  return anhang.abschliessen();
}

}  // namespace orvano
