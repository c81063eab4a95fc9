// The "..." button: the music file chosen with the system's open-file dialog.
#include "settings_ui/repeat_text.h"
#include "settings_ui/tidelight_p.h"
#include "shared/settings.h"

namespace tl {

namespace {
FileDialogSpec MusicFileDialog(const UiTexts& texts, const std::string& folder, NativeHandle owner) {
  FileDialogSpec spec;
  spec.title = texts.musicFileTitle;
  spec.filter = {{texts.musicFileFilter, "*.MP3;*.WAV"}};
  spec.initialFolder = folder;
  spec.owner = owner;
  // Neither the file nor its folder has to exist.
  spec.mustExist = false;
  return spec;
}
}  // namespace

void Tidelight_P::ChooseMusicFile() {
  if (!window_) return;
  // A path the dialog cannot return whole comes back as a failure, which
  // changes nothing, like a cancel.
  const auto chosen = p_.shell.ChooseFileToOpen(MusicFileDialog(TextsFor(b_.language), lastFolder_, window_->Handle()));
  b_.LastApiResult = chosen ? 1 : 0;
  if (p_.windows.Ended() || !chosen || chosen->empty()) return;
  b_.settings.MusicFile = *chosen;
  fileLabel_.caption = *chosen;
  lastFolder_ = FolderOfPath(*chosen);
  Paint();
}

}  // namespace tl
