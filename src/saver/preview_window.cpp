#include "saver/preview_window.h"

#include "saver/sample_picture.h"
#include "shared/command_line.h"
#include "base/numeric.h"
#include "gfx/raster.h"

namespace tl {

namespace {
// A host size in twips, 0 when it does not fit a signed 16-bit value.
int16_t TwipsOrZero(int32_t pixels, int32_t twipsPerPixel) {
  return RoundToInt16(double(pixels) * twipsPerPixel).value_or(0);
}
}  // namespace

bool Tidelight_R::HostSize(int32_t& w, int32_t& h) {
  Rect hostRect;
  if (host_ == 0 || !p_.windows.WindowRect(host_, hostRect)) return false;
  const int32_t tx = p_.screen.TwipsPerPixelX(), ty = p_.screen.TwipsPerPixelY();
  const int16_t widthTwips = TwipsOrZero(hostRect.Width(), tx);
  const int16_t heightTwips = TwipsOrZero(hostRect.Height(), ty);
  w = tx > 0 ? widthTwips / tx : 0;
  h = ty > 0 ? heightTwips / ty : 0;
  return true;
}

void Tidelight_R::Start() {
  host_ = WindowHandleArgument(CommandLineArguments(p_.windows));
  int32_t w = 0, h = 0;
  // Without a host there is nowhere to draw; an invisible process left
  // running would only wait for nothing, so the preview ends quietly.
  if (!HostSize(w, h)) {
    p_.windows.EndProgram();
    return;
  }
  WindowSpec spec{"Preview Window", WindowKind::Child, {0, 0, w, h}, host_, 0};
  window_ = p_.windows.OpenWindow(spec, *this);
  if (!window_) {
    p_.windows.EndProgram();
    return;
  }
  // The host may go at any moment, and with it the program.
  if (p_.windows.Ended()) return;
  // The sample is drawn for the host's size, so any host is filled edge to
  // edge; at 152 x 112 it is the design picture itself.
  Img_Prev.SetHost(window_.get());
  Img_Prev.Resize(w, h);
  Img_Prev.SetPicture(DrawSamplePicture(w, h));
  window_->Show();
  if (p_.windows.Ended()) return;
  Img_Prev.Refresh();
}

void Tidelight_R::OnDestroyed() { p_.windows.EndProgram(); }

void Tidelight_R::OnMonitorsChanged() {
  int32_t w = 0, h = 0;
  if (!window_ || !HostSize(w, h)) return;
  if (w == Img_Prev.PixelWidth() && h == Img_Prev.PixelHeight()) return;
  window_->Move({0, 0, w, h});
  Img_Prev.Resize(w, h);
  Img_Prev.SetPicture(DrawSamplePicture(w, h));
  Img_Prev.Refresh();
}

}  // namespace tl
