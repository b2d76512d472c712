#include "Start.h"

#include <sys/stat.h>

#include "Dateien.h"
#include "Pfade.h"
#include "RecordDatei.h"

namespace orvano {

void ProgrammOrdnerSetzen(std::string ordner) {
  if (ordner.empty() || ordner.back() != kTrenner) ordner += kTrenner;
  ProgVerzeichnis = std::move(ordner);
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

bool DesktopEintragSchreiben(const std::string& desktopOrdner, const std::string& progVerzeichnis) {
  if (desktopOrdner.empty()) return false;
  std::string ordner = desktopOrdner;
  if (ordner.back() != kTrenner) ordner += kTrenner;
  if (!VerzeichnisVorhanden(ordner) && !VerzeichnisAnlegen(ordner)) return false;
  const std::string ziel = ordner + kDesktopDateiName;
  const std::string text = DesktopEintragText(progVerzeichnis, progVerzeichnis + "Orvano");
  try {
    AtomarSchreiben(ziel, [&](Schreiber& s) { s.schreiben(text.data(), text.size()); });
  } catch (const DateiFehler&) {
    return false;
  }
  return ::chmod(ziel.c_str(), 0755) == 0;
}

}  // namespace orvano
