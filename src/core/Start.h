// The data store's part of the program start: program folder, last data folder, folders that
// must exist, and the desktop entry.
#pragma once

#include <string>

#include "Einstellungen.h"

namespace orvano {

// Sets ProgVerzeichnis (a trailing separator is added).
void ProgrammOrdnerSetzen(std::string ordner);

// The data folder to start with (with its separator): the settings' LetzterOrdner when it
// exists, else Ord_1.
std::string StartOrdner(const Einstellungen& e);

// Creates ProgVerzeichnis/Route when it is missing; false when that failed.
bool RouteOrdnerAnlegen();

constexpr const char* kDesktopDateiName = "Orvano 1.5.desktop";

// Text of a freedesktop entry that starts PROGRAMM in its own folder.
std::string DesktopEintragText(const std::string& progVerzeichnis, const std::string& programm);

// Writes DESKTOPORDNER/"Orvano 1.5.desktop" (replacing an existing one, creating the folder),
// executable as desktops require. False on failure; the caller stays silent about it.
bool DesktopEintragSchreiben(const std::string& desktopOrdner, const std::string& progVerzeichnis);

}  // namespace orvano
