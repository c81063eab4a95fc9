#pragma once
// The preview window: the sample picture inside the little monitor of the
// system's screen-saver page, as a child of the host window it is given.
#include <memory>

#include "toolkit/picture_box.h"
#include "toolkit/platform.h"

namespace tl {

class Tidelight_R : public WindowEvents {
 public:
  explicit Tidelight_R(Platform& p) : p_(p), Img_Prev(p, true) {}
  // Reads the host from the command line and shows the window in it.
  void Start();
  void OnDestroyed() override;  // the host destroyed us: the program ends

  Window* window() const { return window_.get(); }
  PictureBox& image() { return Img_Prev; }

 private:
  Platform& p_;
  std::unique_ptr<Window> window_;
  PictureBox Img_Prev;
};

}  // namespace tl
