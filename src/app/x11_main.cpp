// The Linux entry point: the command line read, the x11 back end opened on
// the screen or on the window xscreensaver gives, and the program handed to it.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "backends/x11/x11_platform.h"
#include "startup/linux_program.h"

namespace {

// xscreensaver's desktop helper where it is installed: on the PATH, or
// beside xscreensaver's hacks.
std::string DesktopHelper() {
  const std::string name = "xscreensaver-getimage";
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

// The per-user music lock: one copy holds it and plays; it goes with the
// process however that ends. Where no lock can be had, every copy plays.
bool TakeMusicLock(const std::string& userFolder) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string folder = runtime && runtime[0] == '/' ? runtime : userFolder + "/tidelight";
  const int fd = open((folder + "/tidelight-music.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return true;
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return true;  // kept open until the end
  close(fd);
  return false;
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
  tl::X11Options x;
  const std::optional<uint64_t> host = tl::HostWindowOf(options, std::getenv("XSCREENSAVER_WINDOW"));
  const bool hosted = host.has_value() || options.root;
  x.host = host.value_or(0);
  x.root = options.root;
  // Where the sound goes, as a GStreamer pipeline; the system's output when unset.
  if (const char* sink = std::getenv("TIDELIGHT_AUDIO_SINK")) x.audioSink = sink;
  if (hosted) x.desktopHelper = DesktopHelper();
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
