#pragma once
// The command line of tidelight-fx:
//   tidelight-fx INPUT [--EFFECT [VALUE...][:PART...]]... -o OUTPUT
// read by our own reader, one option per entry of the effect table; INPUT
// and the options in any order, every message in the tool's own words.
#include <iosfwd>
#include <string>
#include <vector>

namespace tl::fx {

inline constexpr const char* kVersionText = "tidelight-fx 1.00";

// Runs the whole program on `args` (without the program's own name) and
// returns its exit status: 0 done, 1 a file error, 2 a usage error.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tl::fx
