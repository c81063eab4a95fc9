#include "startup/main_dispatch.h"

#include "shared/command_line.h"

namespace tl {

void Main(Platform& p, BaseModule& b, const ModeHandlers& modes) {
  // Both lookups are always made; either window means a copy is running.
  const bool saverOpen = p.windows.FindWindowByTitle("Tidelight_Main");
  const bool dialogOpen = p.windows.FindWindowByTitle("<Tidelight>");
  if (saverOpen || dialogOpen) { p.windows.EndProgram(); return; }
  b.language = LanguageOfLangId(p.shell.UserInterfaceLanguage());

  const std::string args = CommandLineArguments(p.windows);
  const std::string letter = ModeLetter(args);
  if (letter == "P") {
    if (modes.startPreview) modes.startPreview();
    return;
  }
  LoadSettings(p, b);
  if (letter == "C") {
    if (modes.showSettingsModal) modes.showSettingsModal();
    if (!p.windows.Ended()) p.windows.EndProgram();
    return;
  }
  if (!args.empty() && letter != "S") { p.windows.EndProgram(); return; }
  if (letter == "S") b.CursorCount = p.windows.ShowCursor(false);
  if (modes.loadSaver) modes.loadSaver();
}

}  // namespace tl
