#pragma once
// The settings record and its file, Tidelight.ini beside the program.
#include <cstdint>
#include <string>

#include "shared/base_module.h"
#include "shared/settings_table.h"
#include "toolkit/platform.h"

namespace tl {

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

// Reads the file once and fills the record from it, key by key in the
// table's order.
void LoadSettings(Platform& p, BaseModule& b);
// The same from a file named by the caller.
void LoadSettingsFrom(Platform& p, BaseModule& b, const std::string& file);
// Writes the five keys in the table's order in one pass: the file is read
// once and written once, with the bytes that five PutIniValue calls in that
// order would leave. Falls back to the per-user file when the program
// folder cannot be written; the last write's flag lands in LastApiResult.
void SaveSettings(Platform& p, BaseModule& b);

}  // namespace tl
