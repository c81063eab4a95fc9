#pragma once
// The push button's input state machine: where the pointer, the left button
// and the keyboard focus stand, which state picture each event paints and
// when a click is raised. Plain state, no drawing; the control heeds it only
// while enabled.
#include <cstdint>
#include <optional>

#include "controls/state_pictures.h"
#include "toolkit/window.h"

namespace tl {

// ButtonState values.
namespace button_state {
inline constexpr uint8_t kNotInitialised = 0, kNormal = 1, kHover = 2, kFocused = 3,
                         kFocusedHover = 4;
}  // namespace button_state

// What an event asks of the control.
struct InputOutcome {
  std::optional<StatePicture> paint;  // the picture to paint, if any
  bool click = false;                 // raise Click (after painting)
  bool operator==(const InputOutcome&) const = default;
};

class CommandInput {
 public:
  uint8_t ButtonState() const { return state_; }
  bool LeftDown() const { return leftDown_; }

  // The host's Initialize: the state machine starts.
  void Initialize() { state_ = button_state::kNormal; }

  InputOutcome PointerMoved();
  InputOutcome Pressed(MouseButton button);
  InputOutcome Released(MouseButton button);
  InputOutcome FocusGained();
  InputOutcome FocusLost();
  // The pointer watch found the pointer off the control.
  InputOutcome PointerLeft();

 private:
  uint8_t state_ = button_state::kNotInitialised;
  bool leftDown_ = false;
};

}  // namespace tl
