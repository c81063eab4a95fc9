#pragma once
// The platform's own controls on the headless back end: a scroll bar and an
// editable drop-down list that keep their state in memory, record their
// calls, and take the user's input from the tests.
#include <string>
#include <vector>

#include "toolkit/drop_down.h"
#include "toolkit/scroll_bar.h"

namespace tl {

class HeadlessPlatform;

class HeadlessScrollBar : public ScrollBar {
 public:
  HeadlessScrollBar(HeadlessPlatform& p, const ScrollBarSpec& spec, ScrollBarEvents& events);
  ~HeadlessScrollBar() override;
  HeadlessScrollBar(const HeadlessScrollBar&) = delete;
  HeadlessScrollBar& operator=(const HeadlessScrollBar&) = delete;

  int32_t Value() const override { return value_; }
  bool SetValue(int32_t value) override;
  void Move(const Rect& rect) override;

  // The user's input. A drag raises Scroll at every position it passes; the
  // release raises Change when the value moved.
  void DragTo(int32_t value);
  void EndDrag();
  // An arrow (small change) or the track (large change), `delta` steps.
  void Step(int32_t delta, bool large);
  // The keys a focused scroll bar heeds: arrows, Page Up/Down, Home, End.
  void PressKey(int32_t virtualKey);

  ScrollBarSpec spec;

 private:
  void MoveTo(int32_t value);
  HeadlessPlatform& p_;
  ScrollBarEvents& events_;
  int32_t value_;
  int32_t dragStart_ = 0;
  bool dragging_ = false;
};

class HeadlessDropDown : public DropDown {
 public:
  HeadlessDropDown(HeadlessPlatform& p, const DropDownSpec& spec);
  ~HeadlessDropDown() override;
  HeadlessDropDown(const HeadlessDropDown&) = delete;
  HeadlessDropDown& operator=(const HeadlessDropDown&) = delete;

  std::string Text() const override;
  void SetText(const std::string& text) override;
  void AddEntry(const std::string& text) override;
  int32_t EntryCount() const override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  void Move(const Rect& rect, int32_t listHeightPx, int32_t fontHeightPx) override;

  // The user's input; a disabled list takes none.
  void Type(const std::string& text);
  void Choose(size_t entry);

  DropDownSpec spec;
  std::vector<std::string> entries;

 private:
  HeadlessPlatform& p_;
  std::string text_;
  bool enabled_ = true;
};

}  // namespace tl
