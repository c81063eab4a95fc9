#include "startup/add_to_xscreensaver.h"

#include "startup/xscreensaver_file.h"

namespace tl {

int AddToXscreensaver(const std::string& home, const std::string& command, const XscreensaverFiles& files,
                      std::ostream& out, std::ostream& err) {
  if (home.empty()) {
    err << "tidelight: no home folder (HOME is not set), so no ~/.xscreensaver to add to\n";
    return 1;
  }
  const std::string path = home + (home.ends_with('/') ? "" : "/") + ".xscreensaver";
  const FileText file = files.read(path);
  if (file.state == FileText::State::Unreadable) {
    // Never replace a file whose contents we could not see.
    err << "tidelight: cannot read " << path << "; it is left as it was\n";
    return 1;
  }
  std::optional<std::string> defaults;
  for (const char* candidate : kXscreensaverDefaults) {
    if (FileText d = files.read(candidate); d.state == FileText::State::Read) {
      defaults = std::move(d.bytes);
      break;
    }
  }
  const HackListEdit edit = AddToHackList(
      file.state == FileText::State::Read ? std::optional<std::string>(file.bytes) : std::nullopt, defaults, command);
  switch (edit.outcome) {
    case HackListOutcome::Listed:
      out << "tidelight is already in the list of hacks in " << path << "; nothing changed.\n";
      return 0;
    case HackListOutcome::ListedSwitchedOff:
      out << "tidelight is already in the list of hacks in " << path
          << ", switched off; nothing changed. Tick it in xscreensaver-settings to use it.\n";
      return 0;
    case HackListOutcome::Added:
    case HackListOutcome::Created:
      break;
  }
  if (!files.write(path, edit.text)) {
    err << "tidelight: cannot write " << path << "; it is left as it was\n";
    return 1;
  }
  out << (edit.outcome == HackListOutcome::Created ? "Wrote " + path + " with xscreensaver's list of hacks and "
                                                   : "Added to the list of hacks in " + path + ": ")
      << command << "\n"
      << "Choose Tidelight in xscreensaver-settings. To take it out again, "
      << (edit.outcome == HackListOutcome::Created ? "delete that file.\n"
                                                   : "delete the line\nholding '" + command + "' from that file.\n");
  return 0;
}

}  // namespace tl
