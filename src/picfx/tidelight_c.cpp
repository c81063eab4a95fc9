#include "picfx/tidelight_c.h"

#include <algorithm>
#include <cstring>

#include "base/numeric.h"
#include "gfx/pixel_view.h"

namespace tl {

Tidelight_C::Tidelight_C(Platform& platform, RandomGenerator& random, const UiTexts& texts)
    : platform_(platform), random_(random), texts_(texts) {}

Tidelight_C::~Tidelight_C() {
  bits_.Erase();
  box_ = nullptr;
}

void Tidelight_C::Report(const char* text, MessageIcon icon) {
  platform_.shell.ShowMessageBox(text, texts_.engineTitle, icon);
}

void Tidelight_C::PictureBox(tl::PictureBox& picBox) {
  box_ = &picBox;
  const auto fail = [this] {
    box_ = nullptr;
    Report(texts_.cannotAssignBox, MessageIcon::Error);
  };
  // A zero twips-per-pixel gives a non-finite quotient, which counts as an error.
  const auto w = RoundToInt32(double(picBox.Width()) / platform_.screen.TwipsPerPixelX());
  const auto h = RoundToInt32(double(picBox.Height()) / platform_.screen.TwipsPerPixelY());
  if (!w || !h) return fail();
  w_ = *w;
  h_ = *h;
  if (!CheckColorDepth()) {
    box_ = nullptr;
    Report(texts_.unsupportedDepth, MessageIcon::Error);
    return;
  }
  params_.width = w_;
  params_.height = h_;
  if (!LoadPixels()) return fail();
  params_.plane1Address =
      static_cast<int32_t>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(bits_.ReadPlane(1))));
  // Plane 3 was read whole from the box's own pixels when their sizes match,
  // so the draw has nothing to copy.
  Blit(3, BoxMatchesPlanes());
}

bool Tidelight_C::CheckColorDepth() {
  // The planes are always 32-bit; the platform converts 16-bit screens both ways.
  const int32_t bpp = platform_.screen.BitsPerPixel();
  return bpp == 16 || bpp == 32;
}

bool Tidelight_C::LoadPixels() {
  if (!GETDIBS(box_->Pixels())) return false;
  // Plane 3, then plane 2 from it: a deferred copy, made when plane 2 is used.
  CopyPlane(1, 3);
  CopyPlane(3, 2);
  return true;
}

bool Tidelight_C::GETDIBS(const Surface& bitmap) {
  // Sized from the box, read from its bitmap.
  if (!bits_.Allocate(w_, h_)) {
    Report(texts_.cannotReadPixels, MessageIcon::Error);
    return false;
  }
  // The first H scan lines from the bitmap's bottom, clipped to the plane so
  // that a bitmap of another size never writes outside it; what the bitmap
  // does not cover stays 0.
  const PixelView plane1 = TopDown(bits_.WritePlane(1), w_, h_);  // row 0: the bottom row
  CopyPixels(plane1, ViewOf(bitmap).Flipped());
  return true;
}

bool Tidelight_C::BoxMatchesPlanes() const {
  const Surface& pixels = box_->Pixels();
  return pixels.Width() == w_ && pixels.Height() == h_ && bits_.Width() == w_ &&
         bits_.Height() == h_;
}

bool Tidelight_C::Blit(int plane, bool boxHasPlane) {
  if (box_ == nullptr || bits_.Empty()) return false;  // nothing bound: nothing to draw
  box_->ClearPicture();
  box_->visible = true;
  // A box whose pixels are not W x H cannot take the plane.
  if (!BoxMatchesPlanes()) {
    bits_.Erase();
    Report(texts_.cannotDraw, MessageIcon::Error);
    platform_.windows.EndProgram();
    return false;
  }
  if (!boxHasPlane) {
    // The planes are bottom-up, the box's pixels top-down.
    CopyPixels(ViewOf(box_->Pixels()), BottomUp(bits_.ReadPlane(plane), w_, h_));
  }
  box_->Refresh();
  return true;
}

bool Tidelight_C::NotAssigned() {
  if (box_ != nullptr) return false;
  Report(texts_.noBoxAssigned, MessageIcon::Information);
  return true;
}

void Tidelight_C::AutoDraw(bool autoOn) {
  autoDraw_ = autoOn;
  if (autoOn) {
    Blit(2);
  } else {
    CopyPlane(2, 3);
  }
}

void Tidelight_C::DrawNow() {
  if (Blit(2)) platform_.windows.PumpMessages();
}

void Tidelight_C::UndoLast() {
  if (NotAssigned()) return;
  CopyPlane(3, 2);
  Blit(2);
}

void Tidelight_C::UndoLastDontDraw() {
  if (NotAssigned()) return;
  CopyPlane(3, 2);
}

void Tidelight_C::ResetPic() {
  if (NotAssigned()) return;
  CopyPlane(1, 2);
  CopyPlane(1, 3);
  Blit(1);
}

bool Tidelight_C::BeginEffect() {
  if (NotAssigned()) return false;
  if (bits_.Empty()) return false;  // erased by a failed draw: nothing to work on
  if (autoDraw_) CopyPlane(2, 3);
  return true;
}

void Tidelight_C::EndEffect(bool boxHasPlane2) {
  if (autoDraw_) Blit(2, boxHasPlane2);
}

int32_t Tidelight_C::BackColorRef() const {
  return static_cast<int32_t>(ColorRefFromPixel(box_->backColor) & 0xFFFFFF);
}

}  // namespace tl
