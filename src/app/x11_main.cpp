// The Linux entry point: the command line read, the display system chosen
// (startup/linux_display.h), and the x11 back end opened on the screen or
// on the window xscreensaver gives, or the Wayland one (wayland_main.cpp),
// and the program handed to it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/user_lock.h"
#include "backends/x11/x11_platform.h"
#include "startup/add_to_xscreensaver.h"
#include "startup/linux_display.h"
#include "startup/linux_program.h"
#ifdef TIDELIGHT_WAYLAND
#include "app/wayland_main.h"
#endif

namespace {

// A program as xscreensaver finds it: on the PATH, or beside its hacks.
std::string FindProgram(const std::string& name) {
  std::string dirs = std::getenv("PATH") ? std::getenv("PATH") : "";
  dirs += ":/usr/libexec/xscreensaver";
  for (size_t at = 0; at <= dirs.size();) {
    const size_t end = std::min(dirs.find(':', at), dirs.size());
    const std::string path = dirs.substr(at, end - at) + "/" + name;
    if (end > at && access(path.c_str(), X_OK) == 0) return path;
    at = end + 1;
  }
  return "";
}

// The per-user music lock: one copy holds it and plays. Where no lock can
// be had, every copy plays.
bool TakeMusicLock(const std::string& userFolder) {
  return tl::TakeUserLock("tidelight-music.lock", userFolder) != tl::UserLock::HeldByAnother;
}

// The entry for ~/.xscreensaver: "tidelight --root" when xscreensaver finds
// this very program by its name, else its full path (a build folder).
std::string HackCommand() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe", ec);
  const std::string found = FindProgram("tidelight");
  if (!found.empty() && std::filesystem::canonical(found, ec) == self) return "tidelight --root";
  std::string path = self.string();
  if (path.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._+-") !=
      std::string::npos) {
    std::string quoted = "'";
    for (char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    path = quoted + "'";
  }
  return path + " --root";
}

tl::FileText ReadText(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {errno == ENOENT ? tl::FileText::State::Missing : tl::FileText::State::Unreadable, {}};
  tl::FileText file{tl::FileText::State::Read, {}};
  char buffer[65536];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      file.state = tl::FileText::State::Unreadable;
      break;
    }
    file.bytes.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return file;
}

// Written beside the file and renamed over it, so that neither a failure
// nor xscreensaver reading it meanwhile ever sees half a file. Through a
// link, the file it names is replaced; its permissions are kept.
bool ReplaceText(const std::string& path, const std::string& bytes) {
  std::error_code ec;
  std::filesystem::path target = path;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec))) {
    target = std::filesystem::weakly_canonical(target, ec);
    if (ec) return false;
  }
  struct stat old {};
  const mode_t mode = stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  const std::string temp = target.string() + ".tidelight-new";
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) return false;
  bool ok = fchmod(fd, mode) == 0;
  for (size_t at = 0; ok && at < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + at, bytes.size() - at);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) at += static_cast<size_t>(n);
  }
  ok = fsync(fd) == 0 && ok;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const tl::LinuxOptions options = tl::ParseLinuxOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.error.empty()) {
    std::cerr << "tidelight: " << options.error << "\nTry 'tidelight --help'.\n";
    return 2;
  }
  if (options.help) {
    std::cout << tl::LinuxUsage();
    return 0;
  }
  if (options.version) {
    std::cout << "tidelight " TIDELIGHT_VERSION "\n";
    return 0;
  }
  if (options.addToXscreensaver) {
    const char* home = std::getenv("HOME");
    return tl::AddToXscreensaver(home ? home : "", HackCommand(), {ReadText, ReplaceText}, std::cout, std::cerr);
  }
  tl::X11Options x;
  const std::optional<uint64_t> host = tl::HostWindowOf(options, std::getenv("XSCREENSAVER_WINDOW"));
  const bool hosted = host.has_value() || options.root;
  x.host = host.value_or(0);
  x.root = options.root;
  // Where the sound goes, as a GStreamer pipeline; the system's output when unset.
  if (const char* sink = std::getenv("TIDELIGHT_AUDIO_SINK")) x.audioSink = sink;

  tl::LinuxEnvironment env;
  if (const char* v = std::getenv("WAYLAND_DISPLAY")) env.waylandDisplay = v;
  if (const char* v = std::getenv("XDG_SESSION_TYPE")) env.sessionType = v;
  env.hosted = hosted;
#ifdef TIDELIGHT_WAYLAND
  if (tl::WantsWaylandProbe(options, env)) env.waylandReachable = tl::WaylandReachable();
#endif
  const tl::DisplayChoice choice = tl::ChooseLinuxDisplay(options, env);
  if (choice.display == tl::LinuxDisplay::None) {
    std::cerr << "tidelight: " << choice.error << "\n";
    return choice.exitStatus;
  }
#ifdef TIDELIGHT_WAYLAND
  if (choice.display == tl::LinuxDisplay::Wayland) return tl::RunOnWayland(options, x.audioSink);
#endif
  if (hosted) x.desktopHelper = FindProgram("xscreensaver-getimage");
  tl::X11Platform platform(x);
  if (!platform.Connected()) {
    std::cerr << "tidelight: cannot open the X display\n";
    return 1;
  }
  if (const std::string visual = platform.UnservedVisual(); !visual.empty()) {
    std::cerr << "tidelight: cannot show pictures on " << visual
              << "; a true-colour visual is needed\n";
    return 1;
  }
  if (hosted && !platform.Hosted()) {
    std::cerr << "tidelight: there is no window " << std::hex << std::showbase << x.host
              << " to draw in\n";
    return 1;
  }
  const bool holdsMusic = TakeMusicLock(platform.UserDataFolder());
  return tl::RunLinuxSaver(platform, options, hosted, std::cerr, holdsMusic);
}
