#include "controls/command_input.h"

namespace tl {

using namespace button_state;

InputOutcome CommandInput::PointerMoved() {
  if (state_ == kNormal) {
    state_ = kHover;
    return {StatePicture::HighLight};
  }
  // Back over the focused button, unless it is still held from before.
  if (state_ == kFocused && !leftDown_) {
    state_ = kFocusedHover;
    return {StatePicture::HighLightSelect};
  }
  return {};
}

InputOutcome CommandInput::Pressed(MouseButton button) {
  if (button != MouseButton::Left) return {};
  leftDown_ = true;
  return {StatePicture::Pressed};
}

InputOutcome CommandInput::Released(MouseButton button) {
  InputOutcome out;
  if (button == MouseButton::Left) {
    leftDown_ = false;
    if (state_ == kHover) out.paint = StatePicture::Normal;
    if (state_ == kFocusedHover) out.paint = StatePicture::HighLightSelect;
  }
  // Any button, anywhere, unless the pointer watch saw it leave the focused button.
  out.click = state_ != kFocused;
  return out;
}

InputOutcome CommandInput::FocusGained() {
  if (state_ == kHover) {
    state_ = kFocusedHover;
    return {StatePicture::Pressed};
  }
  state_ = kFocused;
  return {StatePicture::Selected};
}

InputOutcome CommandInput::FocusLost() {
  if (state_ == kNormal) return {};
  state_ = kNormal;
  return {StatePicture::Normal};
}

InputOutcome CommandInput::PointerLeft() {
  if (state_ == kHover) {
    state_ = kNormal;
    return {StatePicture::Normal};
  }
  if (state_ == kFocusedHover) {
    state_ = kFocused;
    return {StatePicture::Selected};
  }
  return {};
}

}  // namespace tl
