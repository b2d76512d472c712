// The national-scale program folder the benchmarks work on.
#pragma once

#include <string>

namespace orvano::bench {

// $ORVANO_BENCHDATEN when set (./benchmark fills it once), else a folder generated on first use
// with 20,000 postal codes and 1,500,000 streets.
const std::string& ProgrammOrdner();

}  // namespace orvano::bench
