// Entry point of orvano-cli.
#include <csignal>
#include <iostream>

#include "Cli.h"
#include "core/Dateien.h"

int main(int argc, char** argv) {
  // A file-size limit makes a write fail (EFBIG) like a full disk instead of ending the run.
  ::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> argumente(argv + 1, argv + argc);
  return orvano::CliAusfuehren(argumente, orvano::ProgrammOrdnerDerExe(), std::cout, std::cerr);
}
