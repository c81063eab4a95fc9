// The command line: the mode letter and the whole program's run on the
// headless back end, for any arguments. Every run ends or stops at the loop
// limit, and nothing is called after the program has ended.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "backends/headless/headless_platform.h"
#include "backends/headless/headless_window.h"
#include "shared/command_line.h"
#include "startup/main_dispatch.h"
#include "startup/program.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const bool runningCopy = in.ConsumeBool();
  const bool hostExists = in.ConsumeBool();
  const std::string line = in.ConsumeRemainingBytesAsString();

  (void)tl::ModeLetter(line);
  (void)tl::ArgumentsAfterProgramPath(line);

  tl::HeadlessPlatform p;
  p.commandLine = line;
  p.programPath = "/nonexistent/Tidelight.scr";
  p.screenWidth = 16;
  p.screenHeight = 12;
  p.loopLimitMs = 300;
  if (runningCopy) p.openWindows = {"Tidelight_Main"};
  if (hostExists) p.hostWindows[123] = {0, 0, 40, 30};
  p.At(200, [&p] {
    for (auto* w : p.Windows()) p.PressKey(*w, 0x41);
  });
  tl::RunProgram(p);
  if (p.lateCalls != 0) std::abort();
  return 0;
}
