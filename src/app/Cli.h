// orvano-cli: batch use of the data store from a terminal.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace orvano {

// Exit status: 0 done, 1 failed (German message on ERR), 2 wrong usage (usage text on ERR).
// STANDARDORDNER is the program folder used without --programmordner.
int CliAusfuehren(const std::vector<std::string>& argumente, const std::string& standardOrdner, std::ostream& out,
                  std::ostream& err);

}  // namespace orvano
