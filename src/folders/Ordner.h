// The data folders "Ord_*" beside the program.
#pragma once

#include <string>
#include <vector>

namespace orvano {

// Names of the directories "Ord_*" in ProgVerzeichnis that can be listed, in the order of
// EintraegeNachNummerSortieren (names with equal keys by name). Plain files are skipped.
std::vector<std::string> OrdnerListe();

// Removes every "/", "\", ":" and '"' from a typed folder name; nothing else.
std::string OrdnerNameBereinigen(const std::string& name);

enum class OrdnerAnlegen { NameFehlt, SchonVorhanden, Angelegt, Fehlgeschlagen };

// Creates ProgVerzeichnis/"Ord_" + NAME (NAME already cleaned).
OrdnerAnlegen NeuenOrdnerAnlegen(const std::string& name);

// "Ord_n" with the lowest n >= 1 for which no entry of that name exists.
std::string NaechsterFreierOrdner();

enum class OrdnerLoeschen { NichtLeer, Geloescht, Fehlgeschlagen };
// Removes ProgVerzeichnis/NAME when it is an empty folder; a folder with anything in it stays.
OrdnerLoeschen LeerenOrdnerLoeschen(const std::string& name);

}  // namespace orvano
