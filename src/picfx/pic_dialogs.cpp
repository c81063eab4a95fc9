// Tidelight_C's picture-file and colour dialogs.
#include "picfx/pic_file_names.h"
#include "picfx/tidelight_c.h"

namespace tl {

namespace {

NativeHandle OwnerOf(const tl::PictureBox& box) {
  return box.Host() != nullptr ? box.Host()->Handle() : 0;
}

// File errors are titled with the caption of the window that holds the box.
void ReportFileError(Platform& platform, const tl::PictureBox& box, const char* text) {
  const std::string title = box.Host() != nullptr ? box.Host()->Caption() : std::string();
  platform.shell.ShowMessageBox(text, title, MessageIcon::Error);
}

}  // namespace

void Tidelight_C::dialogShowOpen(std::string_view caption) {
  if (NotAssigned()) return;
  tl::PictureBox& box = *box_;
  const auto chosen = platform_.shell.ChooseFileToOpen(OpenPictureDialog(texts_, caption, OwnerOf(box)));
  if (!chosen) return;  // cancelled: not an error
  box.visible = false;
  // Read before anything changes, so a bad file leaves box and planes as they were.
  DecodedPicture picture = platform_.pictures.LoadPicture(ChosenOpenPath(*chosen), box.backColor);
  if (!picture.ok()) {
    box.visible = true;
    ReportFileError(platform_, box, texts_.cannotLoadPicture);
    return;
  }
  // The box shows its new picture over its background colour, from the origin.
  box.Pixels().Fill(box.backColor);
  box.SetPicture(picture.pixels);
  picture.pixels = Surface();  // the box holds the only copy from here on
  Window* parent = box.Host();
  if (parent != nullptr) parent->SetMousePointer(MousePointer::Hourglass);
  PictureBox(box);  // reads the new image into all three planes and draws it
  if (platform_.windows.Ended()) return;
  if (parent != nullptr) parent->SetMousePointer(MousePointer::Default);
}

void Tidelight_C::dialogShowSave(std::string_view caption) {
  if (NotAssigned()) return;
  const tl::PictureBox& box = *box_;
  const auto chosen = platform_.shell.ChooseFileToSave(SavePictureDialog(texts_, caption, OwnerOf(box)));
  if (!chosen) return;
  // What the class last drew is the box's persistent image.
  if (!platform_.pictures.SavePictureAsBmp(BmpSavePath(*chosen), box.Pixels()))
    ReportFileError(platform_, box, texts_.cannotSavePicture);
}

int32_t Tidelight_C::dialogChoseColor() {
  if (NotAssigned()) return 0;
  // The dialog edits the object's own custom colours, kept for the next call.
  const auto chosen = platform_.shell.ChooseColour(0, customColors_, OwnerOf(*box_));
  return chosen ? static_cast<int32_t>(*chosen & 0xFFFFFF) : -1;
}

}  // namespace tl
