#include "startup/settings.h"

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

template <typename T>
void ApplyWhole(const std::string& text, T& field, T fallback) {
  if (text.empty()) { field = fallback; return; }
  if (auto v = ParseNumberText(text)) {
    if (auto w = FloorToInt16(*v)) field = *w;
  }
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
  const auto bytes = p.files.ReadFile(file);
  if (!bytes) return "";
  return ProfileRead(*bytes, section, key, 256);
}

std::string PutIniValue(Platform& p, BaseModule& b, std::string_view section,
                        std::string_view key, std::string_view value, const std::string& file) {
  // Section and key travel in fixed 128-character fields: a longer name is cut.
  section = section.substr(0, std::min<size_t>(section.size(), 128));
  key = key.substr(0, std::min<size_t>(key.size(), 128));
  const auto old = p.files.ReadFile(file);
  const Bytes updated = ProfileWrite(old ? *old : Bytes{}, section, key, value);
  b.LastApiResult = p.files.WriteFile(file, updated) ? 1 : 0;
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

void LoadSettings(Platform& p, BaseModule& b) {
  const std::string file = ReadTarget(p);
  SettingsRecord& s = b.settings;
  auto get = [&](const char* key) { return GetIniValue(p, keys::kSection, key, file); };

  ApplyWhole<int16_t>(get(keys::kMusicKind), s.MusicKind, 0);
  ApplyWhole<int16_t>(get(keys::kRepeatTrack), s.RepeatTrack, 0);

  const std::string stored = get(keys::kMusicFile);
  if (stored.empty()) {
    s.MusicFile.clear();
    if (s.MusicKind == 2) s.MusicKind = 0;
  } else {
    s.MusicFile = DecodeStoredPath(stored);
    if (!FileExists(p, s.MusicFile)) {
      s.MusicFile.clear();
      if (s.MusicKind == 2) s.MusicKind = 0;
    }
  }

  ApplyWhole<int16_t>(get(keys::kFadeDepth), s.FadeDepth, 24);

  const std::string speed = get(keys::kFadeSpeed);
  if (speed.empty()) {
    s.FadeSpeed = 10;
  } else if (auto v = ParseNumberText(speed)) {
    if (auto w = RoundToInt32(*v)) s.FadeSpeed = *w;
  }
}

void SaveSettings(Platform& p, BaseModule& b) {
  const SettingsRecord& s = b.settings;
  const std::string values[5] = {
      FormatWithSignPosition(s.MusicKind), FormatWithSignPosition(s.RepeatTrack),
      EncodeStoredPath(s.MusicFile), FormatWithSignPosition(s.FadeDepth),
      FormatWithSignPosition(s.FadeSpeed)};
  const char* names[5] = {keys::kMusicKind, keys::kRepeatTrack, keys::kMusicFile,
                          keys::kFadeDepth, keys::kFadeSpeed};
  auto writeAll = [&](const std::string& file) {
    bool ok = true;
    for (int i = 0; i < 5; ++i) {
      PutIniValue(p, b, keys::kSection, names[i], values[i], file);
      ok = ok && b.LastApiResult != 0;
    }
    return ok;
  };
  const std::string user = UserSettingsFile(p);
  const bool userExists = !user.empty() && p.files.CanOpenForReading(user);
  if (!userExists && writeAll(SettingsFile(p))) return;
  if (user.empty()) return;
  p.files.MakeFolder(p.files.UserDataFolder() + "\\Tidelight");
  writeAll(user);
}

}  // namespace tl
