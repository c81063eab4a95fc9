#include "startup/linux_program.h"

#include "saver/saver_window.h"
#include "shared/settings.h"
#include "shared/ui_texts.h"

namespace tl {

std::string LinuxSettingsFile(Platform& p) {
  const std::string folder = p.files.UserDataFolder();
  return folder.empty() ? std::string() : folder + "\\tidelight\\Tidelight.ini";
}

int RunLinuxSaver(Platform& p, const LinuxOptions& options, bool hosted, std::ostream& err,
                  bool holdsMusic) {
  // On its own screen one copy runs, as on Windows; xscreensaver runs one
  // per window it gives.
  if (!hosted && p.windows.FindWindowByTitle("Tidelight_Main")) return 0;
  BaseModule base;
  base.language = LanguageOfLangId(p.shell.UserInterfaceLanguage());
  LoadSettingsFrom(p, base, LinuxSettingsFile(p));
  ApplyLinuxOptions(p, options, base.settings);
  if (base.settings.MusicKind == 1 && holdsMusic) {
    err << "tidelight: audio CD music is not supported on Linux; playing none\n";
    base.settings.MusicKind = 0;
  }
  // Another copy plays it: several at once would play out of step.
  if (!holdsMusic) base.settings.MusicKind = 0;
  // Music that cannot play was said once by the back end; trying it again
  // every second would only fail again.
  base.MusicRetriesFailures = false;
  // The pointer is hidden over the saver's own windows, as Windows hides it.
  if (!hosted) base.CursorCount = p.windows.ShowCursor(false);
  Tidelight_S saver(p, base);
  saver.Load();
  if (!p.windows.Ended()) p.windows.RunMessageLoop();
  return 0;
}

}  // namespace tl
