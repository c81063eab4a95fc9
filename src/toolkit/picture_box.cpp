#include "toolkit/picture_box.h"

#include "toolkit/raster.h"

namespace tl {

void PictureBox::Resize(int32_t widthPx, int32_t heightPx) {
  pixels_.Resize(widthPx, heightPx, backColor);
}

int32_t PictureBox::Width() const { return pixels_.Width() * platform_.TwipsPerPixelX(); }
int32_t PictureBox::Height() const { return pixels_.Height() * platform_.TwipsPerPixelY(); }

double PictureBox::ScaleWidth() const {
  return scaleMode == ScaleMode::Twips ? double(Width()) : double(pixels_.Width());
}
double PictureBox::ScaleHeight() const {
  return scaleMode == ScaleMode::Twips ? double(Height()) : double(pixels_.Height());
}

void PictureBox::SetPicture(std::shared_ptr<const Surface> picture) {
  picture_ = std::move(picture);
  if (!picture_) return;
  BitBlt(pixels_, 0, 0, picture_->Width(), picture_->Height(), *picture_, 0, 0, Rop::SrcCopy);
  if (!persistent_) Refresh();
}

void PictureBox::SetPictureFromImage(const PictureBox& other) {
  if (&other == this) {
    picture_ = Image();
    return;
  }
  const bool same = other.pixels_ == pixels_;
  if (!same)
    BitBlt(pixels_, 0, 0, other.PixelWidth(), other.PixelHeight(), other.pixels_, 0, 0,
           Rop::SrcCopy);
  picture_ = other.Image();
  if (!persistent_ && !same) Refresh();
}

void PictureBox::Refresh() { Refresh(pixels_.Bounds()); }

void PictureBox::Refresh(const Rect& dirty) {
  if (!visible || host_ == nullptr) return;
  const Rect r = Intersect(dirty, pixels_.Bounds());
  if (r.Empty()) return;
  // The host presents in its own coordinates; the box's pixels sit at (x_, y_).
  if (x_ == 0 && y_ == 0) {
    host_->Present(pixels_, r);
    return;
  }
  Surface shifted(x_ + pixels_.Width(), y_ + pixels_.Height());
  BitBlt(shifted, x_ + r.left, y_ + r.top, r.Width(), r.Height(), pixels_, r.left, r.top,
         Rop::SrcCopy);
  host_->Present(shifted, {x_ + r.left, y_ + r.top, x_ + r.right, y_ + r.bottom});
}

}  // namespace tl

