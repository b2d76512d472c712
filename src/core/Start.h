// The data store's part of the program start: program folder, last data folder, folders that
// must exist, and the desktop entry.
#pragma once

#include <string>

#include "Einstellungen.h"

namespace orvano {

// Sets ProgVerzeichnis (a trailing separator is added).
void ProgrammOrdnerSetzen(std::string ordner);

// Where the program keeps its data, from the executable's folder EXE (with separator):
// - UMGEBUNG, the value of ORVANO_PROGRAMMORDNER, when not empty;
// - EXE itself when the user may write there and it is no installed system layout (a
//   share/orvano beside its folder), as the folder ./run installs into;
// - else XDG_DATA_HOME/Orvano (XDG_DATA_HOME empty: HOME/.local/share/Orvano), made at the first
//   start and given every shipped entry of EXE/../share/orvano that it lacks. An entry it has
//   (a data folder, the settings, SichCopy) is never touched.
// The result ends with a separator. DateiFehler when the folder cannot be made.
struct ProgrammOrdnerUmgebung {
  std::string programmOrdner;  // ORVANO_PROGRAMMORDNER
  std::string xdgDataHome;     // XDG_DATA_HOME
  std::string home;            // HOME
};
std::string ProgrammOrdnerBereitstellen(const std::string& exe, const ProgrammOrdnerUmgebung& umgebung);
// The same with the process's environment.
std::string ProgrammOrdnerBereitstellen(const std::string& exe);

// The data folder to start with (with its separator): the settings' LetzterOrdner when it
// exists, else Ord_1.
std::string StartOrdner(const Einstellungen& e);

// Creates ProgVerzeichnis/Route when it is missing; false when that failed.
bool RouteOrdnerAnlegen();

constexpr const char* kDesktopDateiName = "Orvano 1.5.desktop";

// What --version prints (UTF-8): PROGRAMM, the version, and the sources of the shipped data.
std::string VersionsText(const std::string& programm);

// Text of a freedesktop entry that starts PROGRAMM in its own folder.
std::string DesktopEintragText(const std::string& progVerzeichnis, const std::string& programm);

// Writes DESKTOPORDNER/"Orvano 1.5.desktop" (replacing an existing one, creating the folder),
// executable as desktops require. False on failure, which the caller reports.
// PROGRAMM is the executable to start (the running one: an installed program does not lie in its
// program folder); empty means PROGVERZEICHNIS + "Orvano".
bool DesktopEintragSchreiben(const std::string& desktopOrdner, const std::string& progVerzeichnis, const std::string& programm = {});

}  // namespace orvano
