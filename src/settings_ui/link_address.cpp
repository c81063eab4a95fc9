#include "settings_ui/tidelight_p.h"

// Whoever publishes the program sets its own page at build time
// (-DTIDELIGHT_LINK_URL=...).
#ifndef TIDELIGHT_LINK_URL
#define TIDELIGHT_LINK_URL "https://example.org/tidelight/"
#endif

namespace tl {

std::string LinkAddress() { return TIDELIGHT_LINK_URL; }

}  // namespace tl
