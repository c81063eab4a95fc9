#pragma once
// The picture an engine was bound to, as it was read (its first plane), laid
// over a new picture where the two places overlap. When the monitors change,
// a cover made anew takes its pixels from the covers that were there: the
// desktop under them is our own faded picture, not the user's.
#include "gfx/surface.h"
#include "picfx/tidelight_c.h"

namespace tl {

// Copies the untouched picture of `engine`, which lies at `from` in the
// virtual screen, into `into`, which lies at `at`, where they overlap.
void CopyUntouched(const Tidelight_C& engine, const Rect& from, Surface& into, const Rect& at);

}  // namespace tl
