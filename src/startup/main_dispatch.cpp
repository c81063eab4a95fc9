#include "startup/main_dispatch.h"

#include "toolkit/numeric.h"

namespace tl {

std::string ModeLetter(std::string_view args) {
  if (args.size() < 2) return "";
  return UpperAscii(args.substr(1, 1));
}

void Main(Platform& p, BaseModule& b, const ModeHandlers& modes) {
  // Both lookups are always made; either window means a copy is running.
  const bool saverOpen = p.FindWindowByTitle("Tidelight_Main");
  const bool dialogOpen = p.FindWindowByTitle("<Tidelight>");
  if (saverOpen || dialogOpen) { p.EndProgram(); return; }

  const std::string args = p.CommandLineArgs();
  const std::string letter = ModeLetter(args);
  if (letter == "P") {
    if (modes.startPreview) modes.startPreview();
    return;
  }
  LoadSettings(p, b);
  if (letter == "C") {
    if (modes.showSettingsModal) modes.showSettingsModal();
    p.EndProgram();
    return;
  }
  if (!args.empty() && letter != "S") { p.EndProgram(); return; }
  if (letter == "S") b.CursorCount = p.ShowCursor(false);
  if (modes.loadSaver) modes.loadSaver();
}

}  // namespace tl
