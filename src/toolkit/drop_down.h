#pragma once
// The platform's editable drop-down list (a combo box): a text the user may
// type into or pick from the list's entries, a child of one of our windows.
#include <cstdint>
#include <string>

#include "gfx/surface.h"
#include "toolkit/window.h"

namespace tl {

struct DropDownSpec {
  Rect rect;              // client pixels of the host: the edit field
  NativeHandle host = 0;  // one of our windows
  int32_t listHeightPx = 160;  // the dropped list below the field
  std::string fontFace;   // installed face; empty: the platform's
  int32_t fontHeightPx = 11;
};

class DropDown {
 public:
  virtual ~DropDown() = default;
  virtual std::string Text() const = 0;  // UTF-8
  virtual void SetText(const std::string& text) = 0;
  virtual void AddEntry(const std::string& text) = 0;
  virtual int32_t EntryCount() const = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  // Another place and text height (a resolution changed): the field, the
  // list below it and the font as in DropDownSpec.
  virtual void Move(const Rect& /*rect*/, int32_t /*listHeightPx*/, int32_t /*fontHeightPx*/) {}
};

}  // namespace tl
