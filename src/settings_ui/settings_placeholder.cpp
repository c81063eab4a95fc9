#include "settings_ui/settings_placeholder.h"

namespace tl {

void SettingsPlaceholder::ShowModal() {
  // Centred on the primary screen, at the size the dialog will have.
  const int32_t w = 400, h = 300;
  const int32_t x = (p_.screen.Width() - w) / 2, y = (p_.screen.Height() - h) / 2;
  window_ = p_.windows.OpenWindow({"<Tidelight>", WindowKind::Dialog, {x, y, x + w, y + h}}, *this);
  if (!window_) return;
  window_->Show();
  p_.windows.RunModal(*window_);
}

}  // namespace tl
