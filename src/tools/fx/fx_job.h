#pragma once
// One run of tidelight-fx: read a picture, bind the engine to a box holding
// it, apply the effects in order, and write what the engine last drew.
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "gfx/surface.h"
#include "tools/fx/effect_table.h"

namespace tl::fx {

// Exit statuses.
inline constexpr int kSuccess = 0;
inline constexpr int kFileError = 1;  // a file cannot be read or written, or the engine refused
inline constexpr int kUsageError = 2;

enum class OutputFormat { Png, Bmp };

struct Job {
  std::string input, output;  // UTF-8 paths
  OutputFormat format = OutputFormat::Png;
  uint32_t background = 0;  // the box's colour, a pixel value
  std::vector<Step> steps;
  std::optional<uint32_t> seed;  // --seed
};

struct ChainResult {
  Surface pixels;
  std::vector<std::string> engineMessages;  // what the engine reported, if anything
};

// The engine's work on a picture, without files. The engine's clock starts
// at the seed, or at the wall clock's milliseconds without one, and moves
// on by one after each step.
ChainResult ApplyChain(Surface picture, uint32_t background, const std::vector<Step>& steps,
                       std::optional<uint32_t> seed = std::nullopt);

// Runs the job; messages go to `err`. The output appears whole or not at
// all: it is written under a temporary name and then renamed.
int RunJob(const Job& job, std::ostream& err);

}  // namespace tl::fx
