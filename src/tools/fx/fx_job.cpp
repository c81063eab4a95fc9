#include "tools/fx/fx_job.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "backends/headless/headless_platform.h"
#include "base/random.h"
#include "base/utf8_path.h"
#include "gfx/bmp_file.h"
#include "gfx/picture_codec.h"
#include "gfx/picture_probe.h"

namespace tl::fx {

namespace {

constexpr const char* kName = "tidelight-fx: ";

std::optional<PixelMemory> ReadInput(const std::string& path, PictureError& error) {
  const auto host = PathFromUtf8(path);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(host, ec)) {
    error = PictureError::CannotRead;
    return std::nullopt;
  }
  const auto size = std::filesystem::file_size(host, ec);
  if (ec || size > kMaxPictureFileBytes) {
    error = ec ? PictureError::CannotRead : PictureError::TooLarge;
    return std::nullopt;
  }
  // One read into memory of the file's size.
  PixelMemory bytes(static_cast<size_t>(size));
  std::ifstream in(host, std::ios::binary);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (!in || in.peek() != std::char_traits<char>::eof()) {
    error = PictureError::CannotRead;
    return std::nullopt;
  }
  return bytes;
}

// A name beside the output that no other run picks at the same moment.
std::filesystem::path TemporaryBeside(const std::filesystem::path& output) {
  static std::atomic<uint32_t> counter{0};
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  std::filesystem::path temp = output;
  temp += ".tidelight-fx-" + std::to_string(ticks) + "-" + std::to_string(counter++) + ".tmp";
  return temp;
}

bool WriteWhole(const std::string& path, std::span<const uint8_t> bytes, std::string& why) {
  const auto output = PathFromUtf8(path);
  const auto temp = TemporaryBeside(output);
  std::error_code ec;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::filesystem::remove(temp, ec);
      why = "cannot be written";
      return false;
    }
  }
  std::filesystem::rename(temp, output, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    why = "cannot be written (" + ec.message() + ")";
    return false;
  }
  return true;
}

uint64_t WallClockMs() {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

}  // namespace

ChainResult ApplyChain(Surface picture, uint32_t background, const std::vector<Step>& steps,
                       std::optional<uint32_t> seed) {
  // With nothing to do, what the engine would draw is the picture as read.
  if (steps.empty()) return {std::move(picture), {}};
  // The engine on a screenless platform: its message boxes are collected.
  HeadlessPlatform platform;
  platform.clockMs = seed ? *seed : WallClockMs();
  RandomGenerator random;
  PictureBox box(platform, true);
  box.backColor = background;
  box.AdoptPicture(std::move(picture));
  Tidelight_C engine(platform, random);
  ChainResult result;
  engine.PictureBox(box);
  const Context context{engine, static_cast<int32_t>(ColorRefFromPixel(background) & 0xFFFFFF), seed};
  for (const Step& step : steps) {
    if (!platform.messageBoxes.empty() || platform.ended) break;
    step.effect->apply(context, step);
    ++platform.clockMs;
  }
  for (const auto& m : platform.messageBoxes) result.engineMessages.push_back(m.text);
  if (result.engineMessages.empty()) result.pixels = std::move(box.Pixels());
  return result;
}

int RunJob(const Job& job, std::ostream& err) {
  PictureError error = PictureError::None;
  const auto bytes = ReadInput(job.input, error);
  if (!bytes) {
    err << kName << job.input << ": " << PictureErrorText(error) << "\n";
    return kFileError;
  }
  DecodedPicture picture = DecodePicture({bytes->data(), bytes->size()}, job.background);
  if (!picture.ok()) {
    err << kName << job.input << ": " << PictureErrorText(picture.error) << "\n";
    return kFileError;
  }
  const ChainResult result = ApplyChain(std::move(picture.pixels), job.background, job.steps, job.seed);
  if (!result.engineMessages.empty()) {
    for (const auto& m : result.engineMessages) err << kName << "the engine reports: " << m << "\n";
    return kFileError;
  }
  std::string why = "cannot be encoded";
  bool written = false;
  if (job.format == OutputFormat::Png) {
    const auto png = codec::EncodePng(result.pixels);
    written = png && WriteWhole(job.output, *png, why);
  } else {
    PixelMemory bmp(BmpFileBytes(result.pixels));
    WriteBmpFile(result.pixels, bmp.data());
    written = WriteWhole(job.output, {bmp.data(), bmp.size()}, why);
  }
  if (!written) {
    err << kName << job.output << ": " << why << "\n";
    return kFileError;
  }
  return kSuccess;
}

}  // namespace tl::fx
