// Text of the x11 back end. The Linux program shows no text: the saver
// draws none, and it has no dialog. So nothing is drawn and no face is
// installed; a program that shows text on Linux draws it here, through Xft.
#include "backends/x11/x11_platform.h"

namespace tl {

void X11Platform::DrawText(Surface&, const TextDraw&) {}

bool X11Platform::HasFontFace(std::string_view, uint8_t) { return false; }

}  // namespace tl
