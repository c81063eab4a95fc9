#include "toolkit/picture_box.h"

#include <cassert>

#include "gfx/raster.h"

namespace tl {

void PictureBox::Resize(int32_t widthPx, int32_t heightPx) {
  // A box without a persistent image holds what its window shows.
  const bool shown = host_ != nullptr && !persistent_;
  pixels_.Resize(widthPx, heightPx, backColor, shown ? PixelPlace::Shown : PixelPlace::Own);
}

int32_t PictureBox::Width() const { return pixels_.Width() * platform_.screen.TwipsPerPixelX(); }
int32_t PictureBox::Height() const { return pixels_.Height() * platform_.screen.TwipsPerPixelY(); }

double PictureBox::ScaleWidth() const {
  return scaleMode == ScaleMode::Twips ? double(Width()) : double(pixels_.Width());
}
double PictureBox::ScaleHeight() const {
  return scaleMode == ScaleMode::Twips ? double(Height()) : double(pixels_.Height());
}

void PictureBox::SetPicture(const Surface& picture) {
  hasPicture_ = true;
  BitBlt(pixels_, 0, 0, picture.Width(), picture.Height(), picture, 0, 0, Rop::SrcCopy);
  if (!persistent_) Refresh();
}

void PictureBox::AdoptPicture(Surface&& picture) {
  hasPicture_ = true;
  pixels_ = std::move(picture);
  if (!persistent_) Refresh();
}

void PictureBox::SetPictureFromImage(const PictureBox& other) {
  hasPicture_ = true;
  if (&other == this || other.pixels_ == pixels_) return;  // already showing it
  SetPicture(other.pixels_);
}

void PictureBox::TookImageOf([[maybe_unused]] const PictureBox& other) {
  assert(&other == this || other.pixels_ == pixels_);
  hasPicture_ = true;
}

void PictureBox::Refresh() { Refresh(pixels_.Bounds()); }

void PictureBox::Refresh(std::span<const Rect> pieces) {
  if (!visible || host_ == nullptr || pieces.empty()) return;
  host_->Present(pixels_, pieces);
}

void PictureBox::Refresh(const Rect& dirty) {
  if (!visible || host_ == nullptr) return;
  const Rect r = Intersect(dirty, pixels_.Bounds());
  if (r.Empty()) return;
  host_->Present(pixels_, r);
}

}  // namespace tl

