// The button's stored properties: defaults, orders, quirks, and the host's
// property bag round-tripping through text.
#include <gtest/gtest.h>

#include <random>

#include "command_fixture.h"
#include "controls/property_bag.h"

namespace tl {
namespace {

using test::ButtonHost;

std::vector<std::string> Keys(const PropertyBag& bag) {
  std::vector<std::string> keys;
  for (const auto& e : bag.Entries()) keys.push_back(e.first);
  return keys;
}

TEST(PropertyBag, EveryKindOfValueRoundTripsThroughText) {
  PropertyBag bag{{"Caption", std::string("設定 \"quoted\" back\\slash\nline\ttab\x01")},
                  {"Enabled", false},
                  {"FirstRun", int64_t{0}},
                  {"Size", 9.75},
                  {"Whole", 3.0},
                  {"Tiny", -1.25e-300},
                  {"Font", Font{"ＭＳ Ｐゴシック", 9.75, 700, 128, true, false, true}},
                  {"FontColour", int64_t{0xFF}},
                  {"Empty", std::string()}};
  const std::string text = bag.ToText();
  EXPECT_NE(text.find("Enabled = False\n"), std::string::npos);
  EXPECT_NE(text.find("Font.Name = \"ＭＳ Ｐゴシック\"\n"), std::string::npos);
  EXPECT_EQ(PropertyBag::FromText(text), bag);
  EXPECT_EQ(PropertyBag::FromText(PropertyBag::FromText(text).ToText()), bag);
}

TEST(PropertyBag, KeysAreFoundWithoutRegardToCaseAndWritingReplacesInPlace) {
  PropertyBag bag{{"Caption", std::string("a")}, {"Enabled", true}};
  bag.Write("caption", std::string("b"));
  EXPECT_EQ(Keys(bag), (std::vector<std::string>{"Caption", "Enabled"}));
  EXPECT_EQ(std::get<std::string>(*bag.Read("CAPTION")), "b");
  bag.Remove("ENABLED");
  EXPECT_EQ(bag.Read("Enabled"), nullptr);
}

TEST(PropertyBag, UnreadableLinesAreLeftOutAndNothingBreaks) {
  const PropertyBag bag = PropertyBag::FromText(
      "Caption = \"ok\"\r\n"
      "no equals sign\n"
      "Bad Key = 1\n"
      "Open = \"unterminated\n"
      "Escape = \"\\q\"\n"
      "Hex = \"\\x4\"\n"
      "Word = maybe\n"
      "Font.Weight = 99999\n"
      "Font.Size = \"big\"\n"
      "= 3\n"
      "  Visible   =   0  \n");
  EXPECT_EQ(Keys(bag), (std::vector<std::string>{"Caption", "Visible"}));
  // Random bytes never crash the reader.
  std::mt19937 gen(7);
  for (int i = 0; i < 2000; ++i) {
    std::string junk(gen() % 64, '\0');
    for (char& c : junk) c = static_cast<char>("=\".\\\nxAF09 -eTrue"[gen() % 17]);
    (void)PropertyBag::FromText(junk);
  }
}

TEST(PropertyBag, ConversionsFollowTheToolkitsRules) {
  EXPECT_EQ(AsBoolean(int64_t{-1}), true);
  EXPECT_EQ(AsBoolean(std::string("false")), false);
  EXPECT_EQ(AsBoolean(std::string("0")), false);
  EXPECT_EQ(AsBoolean(std::string("yes")), std::nullopt);
  EXPECT_EQ(AsInteger(true), -1);
  EXPECT_EQ(AsInteger(2.5), 2);
  EXPECT_EQ(AsInteger(3.5), 4);
  EXPECT_EQ(AsInteger(std::string(" 12 ")), 12);
  EXPECT_EQ(AsInteger(Font{}), std::nullopt);
  EXPECT_EQ(AsText(Font{"Arial"}), "Arial");
  EXPECT_EQ(AsText(int64_t{5}), "5");
}

TEST(CommandProperties, DefaultsAreNotStoredAndReadBackAsTheirDefaults) {
  HeadlessPlatform p;
  ButtonHost host(p);
  host.ambient = Command::DesignFont();
  auto b = host.Add({0, 0, 1215, 375});
  b->SetCaption("Command");
  PropertyBag bag{{"Stale", int64_t{1}}, {"Enabled", false}};
  b->WriteProperties(bag);
  EXPECT_EQ(Keys(bag), std::vector<std::string>{"Stale"}) << "defaults removed, foreign keys kept";
  // "Command" is not stored, so it comes back as "Command1".
  auto c = host.Add({0, 600, 1215, 375});
  c->ReadProperties(bag);
  EXPECT_EQ(c->Caption(), "Command1");
  EXPECT_TRUE(c->EnabledFlag());
  EXPECT_EQ(c->FirstRun(), 1);
  EXPECT_EQ(c->BackStyle(), 1);
  EXPECT_EQ(c->CaptionLabel().foreColour, 0u);
}

TEST(CommandProperties, WrittenInOrderAndRestoredExceptTheFontsStyle) {
  HeadlessPlatform p;
  ButtonHost host(p);
  Command b(p, host, {0, 0, 1215, 375});
  b.Load(nullptr);  // placed new: FirstRun 0, flag false
  b.SetCaption("参照...");
  b.SetFont(std::make_shared<Font>(Font{"IPAGothic", 14, 700, 128, true}));
  b.SetFontColour(0x112233);
  b.SetVisible(0);
  PropertyBag bag;
  b.WriteProperties(bag);
  EXPECT_EQ(Keys(bag), (std::vector<std::string>{"Enabled", "Caption", "FirstRun", "Font",
                                                 "FontColour", "Visible"}));
  EXPECT_EQ(std::get<bool>(*bag.Read("Enabled")), false);
  EXPECT_EQ(std::get<int64_t>(*bag.Read("FirstRun")), 0);

  const PropertyBag back = PropertyBag::FromText(bag.ToText());
  Command c(p, host, {0, 600, 1215, 375});
  c.Load(&back);
  EXPECT_EQ(c.Caption(), "参照...");
  EXPECT_FALSE(c.EnabledFlag());
  EXPECT_EQ(c.FirstRun(), 0);
  EXPECT_EQ(c.CaptionLabel().foreColour, 0x112233u);
  EXPECT_EQ(c.BackStyle(), 0);
  // Only the face name: size, weight, style and character set stay the caption's own.
  EXPECT_EQ(*c.GetFont(), (Font{"IPAGothic", 9.75, 400, 128}));
  EXPECT_EQ(c.LastPicture(), StatePicture::Disable);
}

TEST(CommandProperties, AMissingFontTakesTheAmbientFacesNameAndBadValuesAreSkipped) {
  HeadlessPlatform p;
  ButtonHost host(p);
  host.ambient = Font{"MS UI Gothic", 12, 700, 128};
  host.stored = PropertyBag::FromText(
      "Enabled = \"maybe\"\nFirstRun = 300\nFontColour = -5\nVisible = 7\nCaption = 42\n");
  auto b = host.Add({0, 0, 1215, 375});
  EXPECT_EQ(b->GetFont()->name, "MS UI Gothic");
  EXPECT_EQ(b->GetFont()->size, 9.75);
  EXPECT_FALSE(b->EnabledFlag()) << "kept as created";
  EXPECT_EQ(b->FirstRun(), 0);
  EXPECT_EQ(b->CaptionLabel().foreColour, 0u);
  EXPECT_EQ(b->BackStyle(), 1);
  EXPECT_EQ(b->Caption(), "42");
  // A stored text where a font belongs still names the face.
  host.stored = {{"Font", std::string("Meiryo UI")}};
  auto c = host.Add({0, 600, 1215, 375});
  EXPECT_EQ(c->GetFont()->name, "Meiryo UI");
}

}  // namespace
}  // namespace tl
