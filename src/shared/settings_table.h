#pragma once
// The settings file as one table: each key's bytes, the record field it
// fills, the rule that turns its text into the field, and the field's value
// when the key is missing or empty. Reading and writing both walk the table,
// in its order, which is the order the file has always been written in.
#include <array>
#include <cstdint>
#include <string>
#include <variant>

#include "shared/base_module.h"

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

enum class SettingRule {
  // Signed 16-bit: the number rounded down; a value that does not fit or is
  // no number leaves the field alone.
  Whole,
  // Signed 32-bit: the number rounded half to even; otherwise as Whole.
  Long,
  // The music path in its stored form; a path that names no readable file
  // is dropped, and file music (MusicKind 2) with it.
  MusicPath,
};

using SettingField = std::variant<int16_t SettingsRecord::*, int32_t SettingsRecord::*,
                                  std::string SettingsRecord::*>;

struct SettingEntry {
  const char* key;
  SettingField field;
  SettingRule rule;
  int32_t fallback;  // when the key is missing or empty
};

// MusicKind comes before MusicFile: a missing music file turns file music off.
inline constexpr std::array<SettingEntry, 5> kSettingsTable{{
    {keys::kMusicKind, &SettingsRecord::MusicKind, SettingRule::Whole, 0},
    {keys::kRepeatTrack, &SettingsRecord::RepeatTrack, SettingRule::Whole, 0},
    {keys::kMusicFile, &SettingsRecord::MusicFile, SettingRule::MusicPath, 0},
    {keys::kFadeDepth, &SettingsRecord::FadeDepth, SettingRule::Whole, 24},
    {keys::kFadeSpeed, &SettingsRecord::FadeSpeed, SettingRule::Long, 10},
}};

// Each rule works on one kind of field.
constexpr bool SettingsTableIsConsistent() {
  for (const SettingEntry& e : kSettingsTable) {
    const size_t want = e.rule == SettingRule::Whole ? 0 : e.rule == SettingRule::Long ? 1 : 2;
    if (e.field.index() != want) return false;
  }
  return true;
}
static_assert(SettingsTableIsConsistent());

}  // namespace tl
