#pragma once
// The settings record and its file, Tidelight.ini beside the program.
#include <cstdint>
#include <string>

#include "toolkit/platform.h"

namespace tl {

struct SettingsRecord {
  int16_t MusicKind = 0;
  int16_t RepeatTrack = 0;
  std::string MusicFile;  // UTF-8
  int16_t FadeDepth = 0;
  int32_t FadeSpeed = 0;
};

// Module-wide values of the base module, zero or empty at program start.
struct BaseModule {
  SettingsRecord settings;
  int32_t CursorCount = 0;
  int16_t CursorX = 0, CursorY = 0;
  int32_t LastApiResult = 0;
  bool TransitionRunning = false;
  int32_t LastStepTick = 0;
  int32_t StepInterval = 0;
};

// The key names as the exact code-page-932 bytes the file holds on every system.
namespace keys {
inline constexpr char kSection[] = "Section";
inline constexpr char kMusicKind[] = "BGM\x8B\xE6\x95\xAA";
inline constexpr char kRepeatTrack[] = "BGM\xD8\xCB\xDF\xB0\xC4";
inline constexpr char kMusicFile[] = "BGM\xCC\xA7\xB2\xD9";
inline constexpr char kFadeDepth[] = "\xCC\xAA\xB0\xC4\xDE\x93\x78";
inline constexpr char kFadeSpeed[] = "\xCC\xAA\xB0\xC4\xDE\xBD\xCB\xDF\xB0\xC4\xDE";
}  // namespace keys

// Marks a stored path that code page 932 cannot hold; '*' never occurs in a
// Windows path, so the marker cannot be mistaken for a real one.
inline constexpr char kUtf8PathMarker[] = "*UTF-8*";

std::string SettingsFile(Platform& p);      // the program folder's file
std::string UserSettingsFile(Platform& p);  // %APPDATA%\Tidelight\Tidelight.ini

// Raw profile access on the file's bytes (section and key are file bytes).
std::string GetIniValue(Platform& p, std::string_view section, std::string_view key,
                        const std::string& file);
// Returns the empty text; the success flag (1 or 0) lands in LastApiResult.
std::string PutIniValue(Platform& p, BaseModule& b, std::string_view section,
                        std::string_view key, std::string_view value, const std::string& file);

bool FileExists(Platform& p, std::string path);
std::string FolderOfPath(std::string_view path);

// Music paths as stored in the file and back.
std::string EncodeStoredPath(Platform& p, std::string_view utf8);
std::string DecodeStoredPath(Platform& p, std::string_view bytes);

void LoadSettings(Platform& p, BaseModule& b);
// Writes the five keys in the dialog's order; falls back to the per-user file
// when the program folder cannot be written.
void SaveSettings(Platform& p, BaseModule& b);

}  // namespace tl
