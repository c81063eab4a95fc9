#pragma once
// The settings record and its file, Tidelight.ini beside the program.
#include <cstdint>
#include <string>

#include "startup/base_module.h"
#include "toolkit/platform.h"

namespace tl {

// The key names as the exact code-page-932 bytes the file holds on every system.
namespace keys {
inline constexpr char kSection[] = "Section";
inline constexpr char kMusicKind[] = "BGM\x8B\xE6\x95\xAA";
inline constexpr char kRepeatTrack[] = "BGM\xD8\xCB\xDF\xB0\xC4";
inline constexpr char kMusicFile[] = "BGM\xCC\xA7\xB2\xD9";
inline constexpr char kFadeDepth[] = "\xCC\xAA\xB0\xC4\xDE\x93\x78";
inline constexpr char kFadeSpeed[] = "\xCC\xAA\xB0\xC4\xDE\xBD\xCB\xDF\xB0\xC4\xDE";
}  // namespace keys

// The program's folder, from its full path: without a trailing separator,
// except at a drive root ("C:\\").
std::string ProgramFolderOf(std::string_view programPath);

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

void LoadSettings(Platform& p, BaseModule& b);
// Writes the five keys in the dialog's order; falls back to the per-user file
// when the program folder cannot be written.
void SaveSettings(Platform& p, BaseModule& b);

}  // namespace tl
