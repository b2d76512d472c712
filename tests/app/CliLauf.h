// orvano-cli run in the test's own process: its status and what it wrote.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "app/Cli.h"

namespace orvano::test {

inline int CliLauf(const std::vector<std::string>& argumente, std::string& out, std::string& err) {
  std::ostringstream o, e;
  const int status = CliAusfuehren(argumente, "/nirgends/", o, e);
  out = o.str();
  err = e.str();
  return status;
}

}  // namespace orvano::test
