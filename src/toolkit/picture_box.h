#pragma once
// A picture box: a rectangle of pixels on a window.
//
// A box with a persistent image draws into its off-screen image and shows it
// on Refresh. A box without one stands for the pixels on the screen: what is
// drawn into it is what the next Refresh presents, and assigning a picture
// paints that picture into it. Either way the pixels drawn stay until they are
// drawn over, so a box never flickers back to an older picture.
#include <cstdint>
#include <span>

#include "toolkit/platform.h"
#include "gfx/surface.h"
#include "toolkit/window.h"

namespace tl {

enum class ScaleMode { Twips, Pixels };

class PictureBox {
 public:
  PictureBox(Platform& platform, bool persistentImage)
      : platform_(platform), persistent_(persistentImage) {}

  // Where Refresh shows the box: a window whose client area it fills from
  // the origin.
  void SetHost(Window* window) { host_ = window; }
  Window* Host() const { return host_; }

  // New size in pixels; the pixels are cleared to the background colour.
  // Give the box its host first: a hosted box without a persistent image
  // takes memory meant for showing (PixelPlace::Shown).
  void Resize(int32_t widthPx, int32_t heightPx);
  int32_t PixelWidth() const { return pixels_.Width(); }
  int32_t PixelHeight() const { return pixels_.Height(); }
  // Outer size in twips.
  int32_t Width() const;
  int32_t Height() const;

  ScaleMode scaleMode = ScaleMode::Pixels;
  // The inner size in the current coordinate unit.
  double ScaleWidth() const;
  double ScaleHeight() const;

  bool PersistentImage() const { return persistent_; }
  // What drawing on the box's device context changes.
  Surface& Pixels() { return pixels_; }
  const Surface& Pixels() const { return pixels_; }

  // The assigned picture. Assigning paints it at the box's origin (without a
  // persistent image it shows at once); the box keeps only that painting, so
  // a box holds one picture's bytes, never two.
  bool HasPicture() const { return hasPicture_; }
  void SetPicture(const Surface& picture);
  // Takes the picture's size, and the picture itself as the box's pixels:
  // Resize and SetPicture in one, without a copy.
  void AdoptPicture(Surface&& picture);
  // Assigns another box's current image.
  void SetPictureFromImage(const PictureBox& other);
  // The same for a caller that has just copied every pixel of `other` into
  // this box itself: nothing is compared or copied (checked in debug builds).
  void TookImageOf(const PictureBox& other);
  void ClearPicture() { hasPicture_ = false; }

  bool visible = true;
  uint32_t backColor = 0;  // pixel value

  // Presents the whole box, or only `dirty` (box coordinates), when visible.
  void Refresh();
  void Refresh(const Rect& dirty);
  // Presents `pieces` (box coordinates) together, when visible.
  void Refresh(std::span<const Rect> pieces);

  Platform& platform() { return platform_; }

 private:
  Platform& platform_;
  bool persistent_;
  Window* host_ = nullptr;
  Surface pixels_;
  bool hasPicture_ = false;
};

}  // namespace tl
