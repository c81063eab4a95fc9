#pragma once
// A fresh folder on the real file system for one test, removed afterwards.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "backends/headless/headless_platform.h"
#include "base/utf8_path.h"

namespace tl {

class TestFolder {
 public:
  TestFolder() {
    // The clock tells apart test processes that run side by side with the
    // same addresses (as they do under the sanitizers).
    path_ = std::filesystem::temp_directory_path() /
            ("tidelight-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "-" +
             std::to_string(counter_++) + "-" +
             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
    std::filesystem::create_directories(path_);
  }
  ~TestFolder() {
    std::error_code ec;  // a folder that cannot be removed is left, never a crash
    std::filesystem::remove_all(path_, ec);
  }
  std::string str() const { return Utf8FromPath(path_); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / PathFromUtf8(name), std::ios::binary) << bytes;
    return Utf8FromPath(path_ / PathFromUtf8(name));
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

 private:
  std::filesystem::path path_;
  static inline int counter_ = 0;
};

}  // namespace tl
