#pragma once
// The window zoom animation: a window growing out of the recorded mouse
// position, or shrinking back into it, with the system's caption animation.
#include "shared/base_module.h"
#include "toolkit/platform.h"

namespace tl {

// Records the pointer in CursorX and CursorY, as the settings dialog does
// when it loads: 0 and 0 when it cannot be read; a coordinate beyond 16 bits
// leaves its value as it was. LastApiResult takes the query's result.
void RecordCursorPosition(Platform& p, BaseModule& b);

// From the recorded point to the window's rectangle.
void ZoomFromCursor(Platform& p, const BaseModule& b, NativeHandle window);
// From the window's rectangle to the recorded point.
void ZoomToCursor(Platform& p, const BaseModule& b, NativeHandle window);

}  // namespace tl
