// The two palette effects on a bound picture: the effect protocol, the
// generator reset, and the single-pass fade step against the protocol as
// written (restore, save, routine in place, draw).
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <vector>

#include "picfx/pal_routine.h"
#include "picfx_fixture.h"

namespace tl::test {
namespace {

// Plane 2 as the in-place routine leaves it when run on `from` (a top-down picture).
Surface RoutineOn(const Surface& from, int32_t opcode, int32_t amount, uint32_t a) {
  const int32_t w = from.Width(), h = from.Height();
  std::vector<uint8_t> block(size_t(w) * h * 12);
  uint8_t* plane2 = block.data() + size_t(w) * h * 4;
  for (int32_t y = 0; y < h; ++y)
    std::memcpy(plane2 + size_t(y) * w * 4, from.Row(h - 1 - y), size_t(w) * 4);
  RoutineParams params;
  params.width = w;
  params.height = h;
  params.opcode = opcode;
  params.amount = amount;
  PalRoutine(CallOn(params, block, a));
  Surface out(w, h);
  for (int32_t y = 0; y < h; ++y)
    std::memcpy(out.Row(h - 1 - y), plane2 + size_t(y) * w * 4, size_t(w) * 4);
  return out;
}

uint32_t IncrementalSeed() {
  RandomGenerator g;
  g.Next(-1);
  g.Reseed(1);
  return std::bit_cast<uint32_t>(static_cast<float>(g.Next()) * 255.0f);
}

TEST(PicfxPalEffects, FadeStepIsComputedFromTheSnapshotEveryTime) {
  EngineOnBox e(7, 5);
  e.engine.UndoLastDontDraw();
  e.engine.ASM_IncrementalPalEffects(7, 100);
  e.engine.UndoLastDontDraw();
  e.engine.ASM_IncrementalPalEffects(7, 50);
  const Surface expected = RoutineOn(e.original, 7, 50, 0);
  EXPECT_EQ(e.box.Pixels(), expected);
  EXPECT_EQ(e.Plane(2), expected);
  EXPECT_EQ(e.Plane(3), e.original);
  EXPECT_EQ(e.Plane(1), e.original);
}

// The restore followed by an effect may run as one pass; everything it
// leaves must be what the two steps give one after the other.
TEST(PicfxPalEffects, RestoreThenEffectMatchesTheStepsOneAfterAnother) {
  const int32_t sizes[][2] = {{7, 5}, {6, 3}, {1, 1}, {1, 3}, {3, 1}, {5, 4}, {2, 2}};
  for (const auto& size : sizes) {
    for (int32_t opcode : {0, 1, 3, 4, 6, 7, 8, 9, 10, 11, 12, 19, 20}) {
      for (bool autoDraw : {true, false}) {
        EngineOnBox e(size[0], size[1]);
        e.engine.ASM_PalEffects(11, 0, -1);  // planes 2 and 3 now differ
        e.engine.ASM_PalEffects(4, 0x0203, -1);
        const Surface before = e.Plane(2), undo = e.Plane(3), shown = e.box.Pixels();
        e.engine.AutoDraw(autoDraw);
        const Surface undoAfterSwitch = e.Plane(3);
        e.engine.UndoLastDontDraw();
        e.engine.ASM_IncrementalPalEffects(opcode, 37);
        const uint32_t a = opcode == 10 ? IncrementalSeed() : kDefaultArgument;
        const Surface expected = RoutineOn(undoAfterSwitch, opcode, 37, a);
        SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1] << " opcode " << opcode
                                        << " autoDraw " << autoDraw);
        EXPECT_EQ(e.Plane(2), expected);
        EXPECT_EQ(e.Plane(3), undoAfterSwitch);
        EXPECT_EQ(e.Plane(1), e.original);
        if (autoDraw) {
          EXPECT_EQ(undoAfterSwitch, undo);
          EXPECT_EQ(e.box.Pixels(), expected);
        } else {
          EXPECT_EQ(undoAfterSwitch, before);
          EXPECT_EQ(e.box.Pixels(), shown);
        }
      }
    }
  }
}

TEST(PicfxPalEffects, IncrementalNoiseIsTheSameOnEveryCall) {
  EngineOnBox e(6, 5);
  e.engine.UndoLastDontDraw();
  e.engine.ASM_IncrementalPalEffects(10, 4);
  const Surface first = e.box.Pixels();
  for (int i = 0; i < 7; ++i) e.random.Next();  // someone else draws in between
  e.engine.UndoLastDontDraw();
  e.engine.ASM_IncrementalPalEffects(10, 4);
  EXPECT_EQ(e.box.Pixels(), first);
  EXPECT_EQ(first, RoutineOn(e.original, 10, 4, IncrementalSeed()));
  EXPECT_NE(first, e.original);
}

TEST(PicfxPalEffects, IncrementalEffectsResetTheGeneratorForEveryOpcode) {
  RandomGenerator reset;
  reset.Next(-1);
  reset.Reseed(1);
  const uint32_t afterReset = reset.State();
  reset.Next();
  const uint32_t afterOneDraw = reset.State();
  EngineOnBox e(2, 2);
  for (int32_t opcode : {7, 25, -3}) {
    e.random.Next();
    e.engine.ASM_IncrementalPalEffects(opcode, 1);
    EXPECT_EQ(e.random.State(), afterReset) << opcode;
  }
  e.engine.ASM_IncrementalPalEffects(10, 1);
  EXPECT_EQ(e.random.State(), afterOneDraw);
  // The other palette effect leaves the generator alone.
  e.random.Next();
  const uint32_t before = e.random.State();
  e.engine.ASM_PalEffects(10, 1, -1);
  EXPECT_EQ(e.random.State(), before);
}

TEST(PicfxPalEffects, PalEffectsNoiseUsesItsFixedSeed) {
  EngineOnBox e(5, 3);
  e.engine.ASM_PalEffects(10, 6, -1);
  EXPECT_EQ(e.box.Pixels(), RoutineOn(e.original, 10, 6, kDefaultArgument));
}

TEST(PicfxPalEffects, OpcodeBeyondTheRangeStillSavesAndDraws) {
  EngineOnBox e(4, 3);
  e.engine.ASM_PalEffects(11, 0, -1);
  const Surface inverted = e.box.Pixels();
  e.engine.UndoLastDontDraw();  // plane 2 back to the original, not drawn
  EXPECT_EQ(e.box.Pixels(), inverted);
  e.engine.ASM_PalEffects(20, 50, -1);
  EXPECT_EQ(e.box.Pixels(), e.original);
  EXPECT_EQ(e.Plane(3), e.original);
}

TEST(PicfxPalEffects, RecordTakesAmountColourAndOpcode) {
  EngineOnBox e(2, 2);
  e.box.backColor = Rgb(0x11, 0x22, 0x33);  // red 0x11, green 0x22, blue 0x33
  e.engine.ASM_PalEffects(25, -5, -1);
  EXPECT_EQ(e.engine.Params().amount, -5);
  EXPECT_EQ(e.engine.Params().colour, 0x332211);
  EXPECT_EQ(e.engine.Params().opcode, 25);
  e.engine.ASM_PalEffects(25, 3, 0x00ABCDEF);
  EXPECT_EQ(e.engine.Params().colour, 0x00ABCDEF);
  e.engine.ASM_IncrementalPalEffects(26, 1);
  EXPECT_EQ(e.engine.Params().colour, 0x332211);
  EXPECT_EQ(e.engine.Params().opcode, 26);
}

}  // namespace
}  // namespace tl::test
