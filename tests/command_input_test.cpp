// The push button's input state machine, every cell of its transition table.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "controls/command_input.h"

namespace tl {
namespace {

using SP = StatePicture;
using Event = std::function<InputOutcome(CommandInput&)>;

// A machine brought into a state the way input brings it there.
CommandInput InState(uint8_t state) {
  CommandInput m;
  if (state == 0) return m;
  if (state == 3) {
    m.Initialize();
    m.FocusGained();
    return m;
  }
  m.Initialize();
  if (state >= 2) m.PointerMoved();
  if (state == 4) m.FocusGained();
  return m;
}

struct Cell {
  uint8_t state;
  uint8_t next;
  std::optional<SP> paint;
};

void CheckRow(const char* event, const Event& e, std::initializer_list<Cell> cells) {
  for (const Cell& c : cells) {
    CommandInput m = InState(c.state);
    ASSERT_EQ(m.ButtonState(), c.state);
    const InputOutcome out = e(m);
    EXPECT_EQ(m.ButtonState(), c.next) << event << " in state " << int(c.state);
    EXPECT_EQ(out.paint, c.paint) << event << " in state " << int(c.state);
    EXPECT_FALSE(out.click) << event << " in state " << int(c.state);
  }
}

TEST(CommandInput, EveryCellOfTheTransitionTable) {
  CheckRow("move", [](CommandInput& m) { return m.PointerMoved(); },
           {{0, 0, {}}, {1, 2, SP::HighLight}, {2, 2, {}}, {3, 4, SP::HighLightSelect}, {4, 4, {}}});
  CheckRow("left press", [](CommandInput& m) { return m.Pressed(MouseButton::Left); },
           {{0, 0, SP::Pressed}, {1, 1, SP::Pressed}, {2, 2, SP::Pressed}, {3, 3, SP::Pressed},
            {4, 4, SP::Pressed}});
  for (MouseButton other : {MouseButton::Right, MouseButton::Middle})
    CheckRow("other press", [other](CommandInput& m) { return m.Pressed(other); },
             {{0, 0, {}}, {1, 1, {}}, {2, 2, {}}, {3, 3, {}}, {4, 4, {}}});
  CheckRow("focus gained", [](CommandInput& m) { return m.FocusGained(); },
           {{0, 3, SP::Selected}, {1, 3, SP::Selected}, {2, 4, SP::Pressed}, {3, 3, SP::Selected},
            {4, 3, SP::Selected}});
  CheckRow("focus lost", [](CommandInput& m) { return m.FocusLost(); },
           {{0, 1, SP::Normal}, {1, 1, {}}, {2, 1, SP::Normal}, {3, 1, SP::Normal}, {4, 1, SP::Normal}});
  CheckRow("pointer left", [](CommandInput& m) { return m.PointerLeft(); },
           {{0, 0, {}}, {1, 1, {}}, {2, 1, SP::Normal}, {3, 3, {}}, {4, 3, SP::Selected}});
}

TEST(CommandInput, PressSetsLeftDownOnlyForTheLeftButton) {
  CommandInput m = InState(1);
  m.Pressed(MouseButton::Right);
  EXPECT_FALSE(m.LeftDown());
  m.Pressed(MouseButton::Left);
  EXPECT_TRUE(m.LeftDown());
  m.Released(MouseButton::Middle);
  EXPECT_TRUE(m.LeftDown());
  m.Released(MouseButton::Left);
  EXPECT_FALSE(m.LeftDown());
}

TEST(CommandInput, ReleasesClickInEveryStateButFocusedAndPaintOnlyForTheLeftButton) {
  for (uint8_t state = 0; state <= 4; ++state)
    for (MouseButton b : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
      CommandInput m = InState(state);
      const InputOutcome out = m.Released(b);
      EXPECT_EQ(out.click, state != 3) << int(state);
      EXPECT_EQ(m.ButtonState(), state) << "a release never changes the state";
      std::optional<SP> paint;
      if (b == MouseButton::Left && state == 2) paint = SP::Normal;
      if (b == MouseButton::Left && state == 4) paint = SP::HighLightSelect;
      EXPECT_EQ(out.paint, paint) << int(state);
    }
}

TEST(CommandInput, AHeldButtonKeepsTheFocusedStateWhenThePointerReturns) {
  CommandInput m = InState(4);
  m.Pressed(MouseButton::Left);
  m.PointerLeft();  // the watch saw it go: 4 -> 3
  EXPECT_EQ(m.PointerMoved(), InputOutcome{});
  EXPECT_EQ(m.ButtonState(), 3);
  EXPECT_FALSE(m.Released(MouseButton::Left).click);
  EXPECT_EQ(m.PointerMoved(), InputOutcome{SP::HighLightSelect});
  EXPECT_EQ(m.ButtonState(), 4);
}

}  // namespace
}  // namespace tl
