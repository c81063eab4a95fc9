#pragma once
// What tidelight-fx prints for --help and --list, made from the effect table.
#include <iosfwd>

namespace tl::fx {

inline constexpr const char* kUsageLine = "tidelight-fx INPUT [--EFFECT [VALUE...][:PART...]]... -o OUTPUT";

// Every effect by group, each with its values, parts and what it does.
void PrintHelp(std::ostream& out);
// One effect a line, tab-separated, for scripts: name, values and parts,
// engine call, what it does, an example chain.
void PrintList(std::ostream& out);

}  // namespace tl::fx
