#include "backends/host/linux_session.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/utf8_path.h"
#include "shared/ui_texts.h"

namespace tl::host {

std::string ProgramPath() {
  std::error_code ec;
  return Utf8FromPath(std::filesystem::read_symlink("/proc/self/exe", ec));
}

std::string CommandLine() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  const std::string raw((std::istreambuf_iterator<char>(in)), {});
  std::string line, arg;
  for (char ch : raw) {
    if (ch != '\0') {
      arg += ch;
      continue;
    }
    if (!line.empty()) line += ' ';
    line += arg.find(' ') == std::string::npos ? arg : '"' + arg + '"';
    arg.clear();
  }
  return line;
}

std::string UserConfigFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return config;
  const char* home = std::getenv("HOME");
  if (!home || !home[0]) {
    const passwd* user = getpwuid(getuid());
    home = user ? user->pw_dir : nullptr;
  }
  return home && home[0] ? std::string(home) + "/.config" : "";
}

uint16_t LanguageOfEnvironment() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return LangIdOfLocaleName(value);
  }
  return LangIdOfLocaleName("C");
}

void SayOnStandardError(std::string_view title, std::string_view text) {
  std::fprintf(stderr, "tidelight: %.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
               static_cast<int>(text.size()), text.data());
}

}  // namespace tl::host
