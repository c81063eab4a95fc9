#pragma once
// The settings mode's window until the settings dialog is built: a plain
// captioned window with the dialog's title, modal until the user closes it.
#include <memory>

#include "toolkit/platform.h"

namespace tl {

class SettingsPlaceholder : public WindowEvents {
 public:
  explicit SettingsPlaceholder(Platform& p) : p_(p) {}
  // Shows the window and returns when it has been closed.
  void ShowModal();

  void OnDestroyed() override {}
  Window* window() const { return window_.get(); }

 private:
  Platform& p_;
  std::unique_ptr<Window> window_;
};

}  // namespace tl
