// Any bytes as the settings file: loading never fails, and what a save
// writes loads back as the same record. The profile writer keeps every other
// line and reads back every value it wrote.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "backends/headless/headless_platform.h"
#include "base/cp932.h"
#include "base/profile.h"
#include "shared/settings.h"

namespace {

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    auto p = std::filesystem::temp_directory_path() /
             ("tidelight-fuzz-profile-" + std::to_string(::getpid()));
    std::filesystem::create_directories(p);
    return p;
  }();
  return folder;
}

bool SameRecord(const tl::SettingsRecord& a, const tl::SettingsRecord& b) {
  return a.MusicKind == b.MusicKind && a.RepeatTrack == b.RepeatTrack &&
         a.MusicFile == b.MusicFile && a.FadeDepth == b.FadeDepth && a.FadeSpeed == b.FadeSpeed;
}

// Names and values lose blanks and tabs at their ends on the way back.
bool Blank(char c) { return c == ' ' || c == '\t'; }

// A value the writer stores as it is: no line breaks, no blanks or quotes at
// its ends (the reader trims those), and no NUL.
bool StoresVerbatim(const std::string& v) {
  if (v.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return false;
  if (v.empty()) return true;
  const auto edge = [](char c) { return Blank(c) || c == '"'; };
  return !edge(v.front()) && !edge(v.back()) && v.size() < 255;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string section = in.ConsumeRandomLengthString(40);
  const std::string key = in.ConsumeRandomLengthString(40);
  const std::string value = in.ConsumeRandomLengthString(300);
  const std::vector<uint8_t> file = in.ConsumeRemainingBytes<uint8_t>();

  // The byte-level writer and reader agree on whatever file they are given.
  const tl::Bytes written = tl::ProfileWrite(file, section, key, value);
  const bool plainName = !section.empty() && !key.empty() &&
                         section.find_first_of(std::string("[]\r\n=\0", 6)) == std::string::npos &&
                         key.find_first_of(std::string("[]\r\n=;\0", 7)) == std::string::npos &&
                         !Blank(section.front()) && !Blank(section.back()) &&
                         !Blank(key.front()) && !Blank(key.back()) &&
                         // Names are code-page-932 text: a lone lead byte at the
                         // end would take the closing bracket as its trail byte.
                         tl::Cp932ToUtf8(section) && tl::Cp932ToUtf8(key);
  if (plainName && StoresVerbatim(value) &&
      tl::ProfileRead(written, section, key, 256) != value)
    std::abort();

  // The whole store: load, save, load again gives the same record.
  tl::HeadlessPlatform p;
  p.programPath = (Folder() / "Tidelight.scr").string();
  std::ofstream(Folder() / "Tidelight.ini", std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  tl::BaseModule first;
  tl::LoadSettings(p, first);
  tl::SaveSettings(p, first);
  tl::BaseModule second;
  tl::LoadSettings(p, second);
  if (!SameRecord(first.settings, second.settings)) std::abort();
  return 0;
}
