// Every test binary that runs the program on the headless back end holds the
// program to the seam's contract: nothing is called after EndProgram.
#include <gtest/gtest.h>

#include "backends/headless/headless_platform.h"

namespace {
const bool kInstalled = [] {
  tl::HeadlessPlatform::onLateCall = [](const std::string& call) {
    ADD_FAILURE() << "called through the seam after EndProgram: " << call;
  };
  return true;
}();
}  // namespace
