#pragma once
// The seam to files and folders. Paths are UTF-8 text written with '\'
// separators, as the program builds them; each back end maps them onto its
// own file system.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tl {

class Files {
 public:
  virtual ~Files() = default;

  // The running program's own file, full path.
  virtual std::string ProgramPath() = 0;
  // The per-user application-data folder (empty when unknown).
  virtual std::string UserDataFolder() = 0;

  virtual std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) = 0;
  // Replaces the file's contents whole; false when it cannot be written.
  virtual bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) = 0;
  // True for a file (not a folder) that can be opened for reading now.
  virtual bool CanOpenForReading(const std::string& path) = 0;
  // True when the folder exists afterwards.
  virtual bool MakeFolder(const std::string& path) = 0;
};

}  // namespace tl
