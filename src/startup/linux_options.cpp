#include "startup/linux_options.h"

#include <charconv>

#include "base/numeric.h"
#include "shared/settings.h"

namespace tl {

namespace {

// A window id as xscreensaver writes them (0x hexadecimal) or in decimal.
std::optional<uint64_t> ParseWindowId(std::string_view text) {
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    base = 16;
  }
  uint64_t id = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || id == 0) return std::nullopt;
  return id;
}

}  // namespace

LinuxOptions ParseLinuxOptions(const std::vector<std::string>& args) {
  LinuxOptions o;
  for (size_t i = 0; i < args.size() && o.error.empty(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    if (name.starts_with("--")) name.erase(0, 1);
    if (!name.starts_with("-") || name.size() < 2) {
      o.error = "unexpected argument '" + args[i] + "'";
      break;
    }
    if (const size_t eq = name.find('='); eq != std::string::npos) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    const bool wantsValue = name == "-fade-depth" || name == "-fade-speed" || name == "-music" ||
                            name == "-window-id";
    if (wantsValue && !value) {
      if (i + 1 == args.size()) {
        o.error = "-" + name + " needs a value";
        break;
      }
      value = args[++i];
    } else if (!wantsValue && value) {
      o.error = "-" + name + " takes no value";
      break;
    }
    if (name == "-help" || name == "-h") {
      o.help = true;
    } else if (name == "-version") {
      o.version = true;
    } else if (name == "-add-to-xscreensaver") {
      o.addToXscreensaver = true;
    } else if (name == "-root") {
      o.root = true;
    } else if (name == "-no-music") {
      o.noMusic = true;
      o.musicFile.reset();
    } else if (name == "-music") {
      o.musicFile = *value;
      o.noMusic = false;
    } else if (name == "-window-id") {
      o.windowId = ParseWindowId(*value);
      if (!o.windowId) o.error = "--window-id needs a window id, not '" + *value + "'";
    } else if (name == "-fade-depth" || name == "-fade-speed") {
      // The settings file's rules for its two keys.
      const std::optional<double> n = ParseNumberText(*value);
      bool fits = false;
      if (name == "-fade-depth" && n && (o.fadeDepth = FloorToInt16(*n))) fits = true;
      if (name == "-fade-speed" && n && (o.fadeSpeed = RoundToInt32(*n))) fits = true;
      if (!fits) o.error = "-" + name + " needs a number, not '" + *value + "'";
    } else {
      o.error = "unknown option '" + args[i] + "'";
    }
  }
  return o;
}

std::optional<uint64_t> HostWindowOf(const LinuxOptions& o, const char* xscreensaverWindow) {
  if (o.windowId) return o.windowId;
  if (xscreensaverWindow) return ParseWindowId(xscreensaverWindow);
  return std::nullopt;
}

void ApplyLinuxOptions(Platform& p, const LinuxOptions& o, SettingsRecord& s) {
  if (o.fadeDepth) s.FadeDepth = *o.fadeDepth;
  if (o.fadeSpeed) s.FadeSpeed = *o.fadeSpeed;
  if (o.noMusic) s.MusicKind = 0;
  if (o.musicFile) {
    const bool readable = FileExists(p, *o.musicFile);
    s.MusicKind = readable ? 2 : 0;
    s.MusicFile = readable ? *o.musicFile : std::string();
  }
}

std::string LinuxUsage() {
  return R"(Usage: tidelight [OPTION]...
Covers every monitor with a picture of the desktop and fades it down to
nearly black, up through the picture to white and back, each step brought
on screen by a circle growing from the centre. A click or a key ends it;
moving the mouse does not.

As an xscreensaver hack it draws in the window it is given instead, and
runs until it is ended:
  --root              $XSCREENSAVER_WINDOW when set, else the root window
  --window-id ID      the window ID (0x hexadecimal, or decimal)

Settings come from $XDG_CONFIG_HOME/tidelight/Tidelight.ini (by default
~/.config/tidelight/Tidelight.ini); these override them:
  --fade-depth N      brightness change per step (12 to 48 in the dialog; 24)
  --fade-speed N      circles drawn per frame of a step (5 to 50; 10)
  --music FILE        an MP3 or WAV file, repeated while it runs
  --no-music          no music, whatever the settings say
  --add-to-xscreensaver
                      add tidelight to the list of hacks in ~/.xscreensaver
                      (or write that file with xscreensaver's own list and
                      tidelight), then end; a second run adds nothing
  --help              show this text
  --version           show the version
)";
}

}  // namespace tl
