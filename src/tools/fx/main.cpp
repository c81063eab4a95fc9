// tidelight-fx: Tidelight's picture effects on the command line.
#include <iostream>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "tools/fx/fx_cli.h"

#ifdef _WIN32
// The wide command line, so that paths outside the ANSI code page arrive whole.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(tl::Utf8FromPath(std::filesystem::path(argv[i])));
  return tl::fx::RunCommandLine(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
  return tl::fx::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
#endif
