#include "backends/headless/headless_controls.h"

#include <algorithm>

#include "backends/headless/headless_platform.h"

namespace tl {

namespace {
// The virtual keys a scroll bar heeds.
constexpr int32_t kPageUp = 0x21, kPageDown = 0x22, kEnd = 0x23, kHome = 0x24, kLeft = 0x25,
                  kUp = 0x26, kRight = 0x27, kDown = 0x28;
}  // namespace

HeadlessScrollBar::HeadlessScrollBar(HeadlessPlatform& p, const ScrollBarSpec& s,
                                     ScrollBarEvents& e)
    : spec(s), p_(p), events_(e), value_(s.min) {
  p_.scrollBars.push_back(this);
}

HeadlessScrollBar::~HeadlessScrollBar() { std::erase(p_.scrollBars, this); }

bool HeadlessScrollBar::SetValue(int32_t value) {
  p_.Note("ScrollBar.Value " + std::to_string(value));
  if (value < spec.min || value > spec.max) return false;
  value_ = value;
  return true;
}

void HeadlessScrollBar::Move(const Rect& rect) {
  p_.NoteQuietly("ScrollBar.Move");
  spec.rect = rect;
}

void HeadlessScrollBar::DragTo(int32_t value) {
  if (!dragging_) dragStart_ = value_;
  dragging_ = true;
  value_ = std::clamp(value, spec.min, spec.max);
  events_.OnScroll(value_);
}

void HeadlessScrollBar::EndDrag() {
  if (!dragging_) return;
  dragging_ = false;
  if (value_ != dragStart_) events_.OnChange(value_);
}

void HeadlessScrollBar::MoveTo(int32_t value) {
  if (value == value_) return;
  value_ = value;
  events_.OnChange(value_);
}

void HeadlessScrollBar::Step(int32_t delta, bool large) {
  MoveTo(ScrollTarget(spec, value_, delta, large));
}

void HeadlessScrollBar::PressKey(int32_t key) {
  switch (key) {
    case kLeft: case kUp: Step(-1, false); break;
    case kRight: case kDown: Step(1, false); break;
    case kPageUp: Step(-1, true); break;
    case kPageDown: Step(1, true); break;
    case kHome: MoveTo(spec.min); break;
    case kEnd: MoveTo(spec.max); break;
    default: break;
  }
}

HeadlessDropDown::HeadlessDropDown(HeadlessPlatform& p, const DropDownSpec& s)
    : spec(s), p_(p) {
  p_.dropDowns.push_back(this);
}

HeadlessDropDown::~HeadlessDropDown() { std::erase(p_.dropDowns, this); }

std::string HeadlessDropDown::Text() const {
  p_.NoteQuietly("DropDown.Text");
  return text_;
}

void HeadlessDropDown::SetText(const std::string& text) {
  p_.Note("DropDown.SetText " + text);
  text_ = text;
}

void HeadlessDropDown::AddEntry(const std::string& text) {
  p_.NoteQuietly("DropDown.AddEntry");
  entries.push_back(text);
}

int32_t HeadlessDropDown::EntryCount() const {
  p_.NoteQuietly("DropDown.EntryCount");
  return static_cast<int32_t>(entries.size());
}

bool HeadlessDropDown::Enabled() const {
  p_.NoteQuietly("DropDown.Enabled");
  return enabled_;
}

void HeadlessDropDown::SetEnabled(bool enabled) {
  p_.Note(std::string("DropDown.SetEnabled ") + (enabled ? "1" : "0"));
  enabled_ = enabled;
}

void HeadlessDropDown::Move(const Rect& rect, int32_t listHeightPx, int32_t fontHeightPx) {
  p_.NoteQuietly("DropDown.Move");
  spec.rect = rect;
  spec.listHeightPx = listHeightPx;
  spec.fontHeightPx = fontHeightPx;
}

void HeadlessDropDown::Type(const std::string& text) {
  if (enabled_) text_ = text;
}

void HeadlessDropDown::Choose(size_t entry) {
  if (enabled_ && entry < entries.size()) text_ = entries[entry];
}

}  // namespace tl

namespace tl {

std::unique_ptr<ScrollBar> HeadlessPlatform::OpenScrollBar(const ScrollBarSpec& spec,
                                                           ScrollBarEvents& events) {
  Note("OpenScrollBar");
  return std::make_unique<HeadlessScrollBar>(*this, spec, events);
}

std::unique_ptr<DropDown> HeadlessPlatform::OpenDropDown(const DropDownSpec& spec) {
  Note("OpenDropDown");
  return std::make_unique<HeadlessDropDown>(*this, spec);
}

void HeadlessPlatform::SetScreenPointer(MousePointer pointer) {
  Note("ScreenPointer " + std::to_string(static_cast<int32_t>(pointer)));
  screenPointer = pointer;
  screenPointersSet.push_back(pointer);
}

}  // namespace tl
