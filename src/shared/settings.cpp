#include "shared/settings.h"

#include "base/cp932_chars.h"
#include "base/numeric.h"
#include "base/stored_path.h"
#include "base/profile.h"

namespace tl {

namespace {

std::string Join(const std::string& folder, std::string_view name) {
  // At a drive root the folder keeps its separator and the plain join gives
  // two in a row, which the file functions accept.
  return folder + "\\" + std::string(name);
}

// Reads: a per-user file that exists wins over the program folder's.
std::string ReadTarget(Platform& p) {
  const std::string user = UserSettingsFile(p);
  if (!user.empty() && p.files.CanOpenForReading(user)) return user;
  return SettingsFile(p);
}

// Section and key travel in fixed fields of 128 characters: a longer name is
// cut after its 128th character, never inside a double-byte one.
std::string_view NameField(std::string_view name) { return Cp932FirstChars(name, 128); }

Bytes WithValue(const Bytes& file, std::string_view section, std::string_view key,
                std::string_view value) {
  return ProfileWrite(file, NameField(section), NameField(key), value);
}

Bytes FileBytes(Platform& p, const std::string& file) {
  auto bytes = p.files.ReadFile(file);
  return bytes ? std::move(*bytes) : Bytes{};
}

void ApplyNumber(const std::string& text, const SettingEntry& e, SettingsRecord& s) {
  if (e.rule == SettingRule::Whole) {
    int16_t& field = s.*std::get<int16_t SettingsRecord::*>(e.field);
    if (text.empty()) { field = static_cast<int16_t>(e.fallback); return; }
    if (auto v = ParseNumberText(text))
      if (auto w = FloorToInt16(*v)) field = *w;
    return;
  }
  int32_t& field = s.*std::get<int32_t SettingsRecord::*>(e.field);
  if (text.empty()) { field = e.fallback; return; }
  if (auto v = ParseNumberText(text))
    if (auto w = RoundToInt32(*v)) field = *w;
}

void ApplyMusicPath(Platform& p, const std::string& stored, const SettingEntry& e,
                    SettingsRecord& s) {
  std::string& path = s.*std::get<std::string SettingsRecord::*>(e.field);
  path = stored.empty() ? std::string() : DecodeStoredPath(stored);
  if (path.empty() || !FileExists(p, path)) {
    path.clear();
    if (s.MusicKind == 2) s.MusicKind = 0;
  }
}

// The value text a field is written as.
std::string StoredText(const SettingsRecord& s, const SettingEntry& e) {
  switch (e.rule) {
    case SettingRule::Whole: return FormatWithSignPosition(s.*std::get<int16_t SettingsRecord::*>(e.field));
    case SettingRule::Long: return FormatWithSignPosition(s.*std::get<int32_t SettingsRecord::*>(e.field));
    case SettingRule::MusicPath: return EncodeStoredPath(s.*std::get<std::string SettingsRecord::*>(e.field));
  }
  return "";
}

}  // namespace

std::string ProgramFolderOf(std::string_view path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash == std::string_view::npos) return "";
  // A drive root keeps its separator ("C:\\").
  return std::string(path.substr(0, slash == 2 && path[1] == ':' ? 3 : slash));
}

std::string SettingsFile(Platform& p) { return Join(ProgramFolderOf(p.files.ProgramPath()), "Tidelight.ini"); }

std::string UserSettingsFile(Platform& p) {
  const std::string base = p.files.UserDataFolder();
  if (base.empty()) return "";
  return Join(Join(base, "Tidelight"), "Tidelight.ini");
}

std::string GetIniValue(Platform& p, std::string_view section, std::string_view key,
                        const std::string& file) {
  return ProfileRead(FileBytes(p, file), section, key, 256);
}

std::string PutIniValue(Platform& p, BaseModule& b, std::string_view section,
                        std::string_view key, std::string_view value, const std::string& file) {
  b.LastApiResult = p.files.WriteFile(file, WithValue(FileBytes(p, file), section, key, value)) ? 1 : 0;
  return "";
}

bool FileExists(Platform& p, std::string path) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  if (path.empty()) return false;
  return p.files.CanOpenForReading(path);
}

std::string FolderOfPath(std::string_view path) {
  size_t pos = 0;
  for (size_t i = 0; i < path.size(); ++i)
    if (path[i] == ':' || path[i] == '\\') pos = i + 1;
  std::string out(path.substr(0, pos));
  if (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

void LoadSettings(Platform& p, BaseModule& b) { LoadSettingsFrom(p, b, ReadTarget(p)); }

void LoadSettingsFrom(Platform& p, BaseModule& b, const std::string& path) {
  const Bytes file = FileBytes(p, path);
  SettingsRecord& s = b.settings;
  for (const SettingEntry& e : kSettingsTable) {
    // Numbers keep the reader's 255-byte cut, which changes nothing for them;
    // a path comes back whole, however many bytes its characters take.
    const size_t buffer = e.rule == SettingRule::MusicPath ? kWholeValue : 256;
    const std::string text = ProfileRead(file, keys::kSection, e.key, buffer);
    if (e.rule == SettingRule::MusicPath)
      ApplyMusicPath(p, text, e, s);
    else
      ApplyNumber(text, e, s);
  }
}

void SaveSettings(Platform& p, BaseModule& b) {
  // Each write starts from what the file holds, as PutIniValue does, so keys
  // the file already has keep their place and spelling.
  auto writeAll = [&](const std::string& file) {
    Bytes bytes = FileBytes(p, file);
    for (const SettingEntry& e : kSettingsTable)
      bytes = WithValue(bytes, keys::kSection, e.key, StoredText(b.settings, e));
    b.LastApiResult = p.files.WriteFile(file, bytes) ? 1 : 0;
    return b.LastApiResult != 0;
  };
  const std::string user = UserSettingsFile(p);
  const bool userExists = !user.empty() && p.files.CanOpenForReading(user);
  if (!userExists && writeAll(SettingsFile(p))) return;
  if (user.empty()) return;
  p.files.MakeFolder(p.files.UserDataFolder() + "\\Tidelight");
  writeAll(user);
}

}  // namespace tl
