// Entry point of orvano-cli.
#include <csignal>
#include <iostream>

#include "Cli.h"
#include <algorithm>

#include "core/Dateien.h"
#include "core/Start.h"

int main(int argc, char** argv) {
  // A file-size limit makes a write fail (EFBIG) like a full disk instead of ending the run.
  ::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> argumente(argv + 1, argv + argc);
  if (argumente.size() == 1 && argumente[0] == "--version") {
    std::cout << orvano::VersionsText("orvano-cli");
    return 0;
  }
  // The help needs no program folder: nothing is made or filled for it.
  if (std::find(argumente.begin(), argumente.end(), "--help") != argumente.end() ||
      std::find(argumente.begin(), argumente.end(), "-h") != argumente.end()) {
    return orvano::CliAusfuehren(argumente, orvano::ProgrammOrdnerDerExe(), std::cout, std::cerr);
  }
  // The folder is made and filled only when no other one is named.
  std::string standard = orvano::ProgrammOrdnerDerExe();
  if (std::find(argumente.begin(), argumente.end(), "--programmordner") == argumente.end()) {
    try {
      standard = orvano::ProgrammOrdnerBereitstellen(standard);
    } catch (const orvano::DateiFehler& f) {
      std::cerr << "orvano-cli: " << f.what() << "\n";
      return 1;
    }
  }
  return orvano::CliAusfuehren(argumente, standard, std::cout, std::cerr);
}
