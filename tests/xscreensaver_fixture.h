#pragma once
// ~/.xscreensaver as xscreensaver-settings 6.06 writes it (tabs, the
// "\n\" line ends and the blank line that ends the list as it writes them),
// with a shorter list of hacks: some switched off ("-"), some on the GL visual.
#include <string_view>

namespace tl::test {

inline constexpr std::string_view kDotXscreensaver = R"xss(# XScreenSaver Preferences File
# Written by xscreensaver-settings 6.06 for alice on Tue Dec  8 21:14:05 2026.
# https://www.jwz.org/xscreensaver/

timeout:	0:10:00
cycle:		0:10:00
lock:		False
lockTimeout:	0:00:00
passwdTimeout:	0:00:30
visualID:	default
installColormap:    True
verbose:	False
splash:		True
splashDuration:	0:00:05
demoCommand:	xscreensaver-settings
nice:		10
fade:		True
unfade:		True
fadeSeconds:	0:00:03
ignoreUninstalledPrograms:False
dpmsEnabled:	False
dpmsQuickOff:	False
dpmsStandby:	2:00:00
dpmsSuspend:	2:00:00
dpmsOff:	4:00:00
grabDesktopImages:  False
grabVideoFrames:    False
chooseRandomImages: False
imageDirectory:	

mode:		random
selected:	-1

textMode:	url
textLiteral:	XScreenSaver
textFile:	
textProgram:	fortune
textURL:	https://planet.debian.org/rss20.xml
dialogTheme:	default
settingsGeom:	0,0 -1,-1

programs:								      \
				maze --root				    \n\
- GL: 				superquadrics --root			    \n\
				attraction --root			    \n\
-				noseguy --root				    \n\
				decayscreen --root			    \n\
				slidescreen --root			    \n\
- GL: 				moebius --root				    \n\
				distort --root				    \n\
- GL: 				glplanet --root				    \n\
				spotlight --root			    \n\
				zoom --root				    \n\
				binaryhorizon --root			    \n\
				marbling --root				    \n\
- GL: 				squirtorus --root			    \n\


pointerHysteresis:  10
authWarningSlack:   20

)xss";

// The list's end in it: the last entry, then the blank line.
inline constexpr std::string_view kDotXscreensaverLastEntry = "- GL: \t\t\t\tsquirtorus --root\t\t\t    \\n\\\n";

}  // namespace tl::test
