// Entry point of orvano-cli.
#include <iostream>

#include "Cli.h"
#include "core/Dateien.h"

int main(int argc, char** argv) {
  const std::vector<std::string> argumente(argv + 1, argv + argc);
  return orvano::CliAusfuehren(argumente, orvano::ProgrammOrdnerDerExe(), std::cout, std::cerr);
}
