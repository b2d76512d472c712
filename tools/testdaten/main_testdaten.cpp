// orvano-testdaten: writes a program folder with generated German sample data.
#include <cstdlib>
#include <iostream>
#include <string>

#include "Testdaten.h"

int main(int argc, char** argv) {
  orvano::testdaten::Optionen opt;
  std::string ziel;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto wert = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::cerr << "Option " << a << " braucht einen Wert\n";
        std::exit(2);
      }
      return argv[++i];
    };
    if (a == "--plz") {
      opt.plzAnzahl = std::stoi(wert());
    } else if (a == "--strassen") {
      opt.strassenAnzahl = std::stoi(wert());
    } else if (a == "--seed") {
      opt.seed = std::stoull(wert());
    } else if (a.rfind("-", 0) == 0 || !ziel.empty()) {
      std::cerr << "Aufruf: orvano-testdaten [--plz N] [--strassen N] [--seed N] PROGRAMMORDNER\n";
      return 2;
    } else {
      ziel = a;
    }
  }
  if (ziel.empty() || opt.plzAnzahl < 1 || opt.strassenAnzahl < 0) {
    std::cerr << "Aufruf: orvano-testdaten [--plz N] [--strassen N] [--seed N] PROGRAMMORDNER\n";
    return 2;
  }
  try {
    orvano::testdaten::Schreiben(ziel, opt);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  std::cout << ziel << "/Ord_1: " << opt.plzAnzahl << " PLZ, " << opt.strassenAnzahl << " Strassen\n";
  return 0;
}
