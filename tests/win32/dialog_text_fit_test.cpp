// Every fixed text of the settings dialog fits its box, in both languages at
// 96, 120 and 144 DPI, as the system's own text renderer draws it (Wine's
// here) in the faces the dialog resolves. A text drawn into its box and into
// a box four times as large around the same anchor gives the same pixels
// only when nothing of it is clipped and nothing wraps. The English texts
// fit in a wider face than the one asked for as well (DejaVu Sans, as wide
// as the widest of the faces a system may give instead), since users' faces
// differ.
#include <gtest/gtest.h>

#include "backends/headless/headless_platform.h"
#include "backends/win32/win32_platform.h"
#include "controls/command.h"
#include "settings_ui/dialog_layout.h"
#include "settings_ui/tidelight_p.h"

namespace tl {
namespace {

namespace L = dialog_layout;

struct NoWindowHost : ControlHost {
  Font font;
  Window* HostWindow() override { return nullptr; }
  Font AmbientFont() override { return font; }
};

// The screen (its resolution) is the headless one; text goes to the real system.
struct FitRig {
  HeadlessPlatform screen;
  Win32Platform system;
  Platform p{screen, screen, screen, system, screen.media, screen};
  explicit FitRig(int32_t dpi) { screen.dpiX = screen.dpiY = dpi; }
};

// Empty when the label's text shows whole in its box; else where it does not.
std::string Misfit(Label l, Platform& p) {
  // The larger box grows by an even number of pixels, so that the text's
  // anchor (the left or right edge, or the centre) stays on the same pixel
  // whichever way a half pixel rounds.
  const int32_t tpp = p.screen.TwipsPerPixelX();
  const double grow = tpp * 2 * (2 * l.PixelBounds(p.screen).Width() + 10.0);
  l.left += grow;  // room on every side for the larger box
  Label roomy = l;
  roomy.height += grow;
  if (l.alignment != TextAlign::Left) roomy.left -= grow;
  roomy.width += l.alignment == TextAlign::Centre ? 2 * grow : grow;
  const Rect r = roomy.PixelBounds(p.screen);
  Surface inBox(r.right + 8, r.bottom + 8, 0xFFFFFF), unbounded = inBox;
  l.Draw(inBox, p);
  roomy.Draw(unbounded, p);
  if (inBox == Surface(inBox.Width(), inBox.Height(), 0xFFFFFF)) return "nothing drawn";
  if (inBox == unbounded) return "";
  Rect d;
  for (int32_t y = 0; y < inBox.Height(); ++y)
    for (int32_t x = 0; x < inBox.Width(); ++x)
      if (inBox.At(x, y) != unbounded.At(x, y)) d = Union(d, {x, y, x + 1, y + 1});
  const Rect b = l.PixelBounds(p.screen);
  const auto text = [](const Rect& q) {
    return std::to_string(q.left) + "," + std::to_string(q.top) + "-" + std::to_string(q.right) + "," +
           std::to_string(q.bottom);
  };
  return "box " + text(b) + ", ink cut at " + text(d);
}

TEST(DialogTextFit, EveryFixedTextShowsWholeInItsBoxInBothLanguagesAtThreeResolutions) {
  Font wider = L::LabelFont(UiLanguage::English);
  wider.name = "DejaVu Sans";
  ASSERT_TRUE(Win32Platform().HasFontFace(wider.name, wider.charset));
  for (const auto& [lang, font] : {std::pair{UiLanguage::Japanese, L::LabelFont(UiLanguage::Japanese)},
                                   {UiLanguage::English, L::LabelFont(UiLanguage::English)},
                                   {UiLanguage::English, wider}}) {
    SCOPED_TRACE(font.name);
    const UiTexts& texts = TextsFor(lang);
    std::vector<Label> labels;
    for (const auto& t : L::PanelTexts(lang)) labels.push_back(L::MakeLabel(t.at, t.text, font, t.align));
    for (int16_t kind = 0; kind < 3; ++kind) {
      const auto row = L::MusicRowText(kind, lang);
      labels.push_back(L::MakeLabel(row.at, row.text, font, TextAlign::Left));
    }
    labels.push_back(L::MakeLabel(L::LabelBox(L::kFadeValue, "", lang), "99", font, TextAlign::Centre));
    labels.push_back(L::MakeLabel(L::LinkBox(lang), LinkAddress(), font, TextAlign::Left));
    for (int32_t dpi : {96, 120, 144}) {
      FitRig rig(dpi);
      std::vector<Label> all = labels;
      // The buttons' captions, where the buttons place them.
      NoWindowHost host;
      host.font = font;
      for (const char* caption : {texts.setButton, texts.cancelButton}) {
        Command button(rig.p, host, L::kCmdSet);
        const PropertyBag bag{{"Caption", std::string(caption)}, {"Font", font.name}};
        button.Load(&bag);
        if (lang == UiLanguage::English) button.SetFont(std::make_shared<Font>(font));
        all.push_back(button.CaptionLabel());
      }
      for (const Label& l : all)
        EXPECT_EQ(Misfit(l, rig.p), "") << l.caption << " at " << dpi << " DPI";
    }
  }
}

}  // namespace
}  // namespace tl
