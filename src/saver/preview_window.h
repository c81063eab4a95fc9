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
  // The host changed size: the sample is laid out again for it.
  void OnMonitorsChanged() override;

  Window* window() const { return window_.get(); }
  PictureBox& image() { return Img_Prev; }

 private:
  // The host's area as whole pixels of a size that fits 16-bit twips.
  bool HostSize(int32_t& w, int32_t& h);

  Platform& p_;
  NativeHandle host_ = 0;
  std::unique_ptr<Window> window_;
  PictureBox Img_Prev;
};

}  // namespace tl
