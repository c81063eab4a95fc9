// The settings dialog on the headless back end: what it shows, what its
// controls do, and the exact bytes it writes or leaves alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

#include "backends/headless/headless_window.h"
#include "base/utf8_path.h"
#include "settings_ui/dialog_art.h"
#include "settings_ui/repeat_text.h"
#include "settings_ui/shading.h"
#include "settings_ui/tidelight_p.h"
#include "shared/settings.h"
#include "test_folder.h"

namespace tl {

namespace {

const std::string kKind = keys::kMusicKind, kRepeat = keys::kRepeatTrack, kFile = keys::kMusicFile,
                  kDepth = keys::kFadeDepth, kSpeed = keys::kFadeSpeed;

std::string Ini(const std::string& kind, const std::string& repeat, const std::string& file,
                const std::string& depth, const std::string& speed) {
  return "[Section]\r\n" + kKind + "=" + kind + "\r\n" + kRepeat + "=" + repeat + "\r\n" + kFile +
         "=" + file + "\r\n" + kDepth + "=" + depth + "\r\n" + kSpeed + "=" + speed + "\r\n";
}

struct SettingsDialog : ::testing::Test {
  TestFolder dir;
  HeadlessPlatform p;
  BaseModule b;
  std::unique_ptr<Tidelight_P> dlg;

  void SetUp() override {
    p.programPath = dir.str() + "/Tidelight.scr";
    p.loopLimitMs = 60000;
  }
  void Open() {
    LoadSettings(p, b);
    dlg = std::make_unique<Tidelight_P>(p, b);
    dlg->Show();
    ASSERT_NE(dlg->window(), nullptr);
    p.Advance(1);
  }
  HeadlessWindow& Win() { return *static_cast<HeadlessWindow*>(dlg->window()); }
  HeadlessScrollBar& Bar(ScrollBar* s) { return *static_cast<HeadlessScrollBar*>(s); }
  HeadlessDropDown& List() { return *static_cast<HeadlessDropDown*>(dlg->RepeatList()); }
  // A press and release of `button` at a client point of the dialog.
  void ClickDialog(Rect r, MouseButton button = MouseButton::Left) {
    p.PointAt(Win(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    p.Press(button);
    p.Release(button);
    p.Advance(1);
  }
  void ClickButton(Command& c) {
    p.PointAt(*c.window(), 5, 5);
    p.Advance(1);
    p.Press();
    p.Release();
    p.Advance(1);
  }
  std::string File() { return dir.Read("Tidelight.ini"); }
};

}  // namespace

TEST_F(SettingsDialog, WithoutASettingsFileShowsTheDefaults) {
  Open();
  EXPECT_EQ(dlg->window()->Caption(), "<Tidelight>");
  EXPECT_EQ(dlg->MarkedRow(), std::optional<int16_t>(0));
  EXPECT_EQ(dlg->RepeatList()->Text(), "");
  EXPECT_FALSE(dlg->RepeatList()->Enabled());
  EXPECT_FALSE(dlg->CmdFile()->EnabledFlag());
  EXPECT_TRUE(dlg->CmdSet()->EnabledFlag());
  EXPECT_EQ(dlg->FileText(), "");
  EXPECT_EQ(dlg->FadeBar()->Value(), 24);
  EXPECT_EQ(dlg->FadeText(), "24");
  EXPECT_EQ(dlg->SpeedBar()->Value(), 10);
  EXPECT_EQ(dlg->SpeedText(), "10");
  EXPECT_EQ(dlg->CmdSet()->Caption(), "設定");
  EXPECT_EQ(dlg->CmdCan()->Caption(), "ｷｬﾝｾﾙ");
  EXPECT_EQ(dlg->CmdFile()->Caption(), "...");
  EXPECT_EQ(dlg->LinkText(), LinkAddress());
  // Load ends with the zoom and the default pointer.
  EXPECT_EQ(p.screenPointersSet, std::vector{MousePointer::Default});
}

TEST_F(SettingsDialog, EveryCloseZoomsBackToThePointerFromTheWindow) {
  for (int way = 0; way < 2; ++way) {
    // Recorded at load: where the pointer goes later does not count.
    p.cursorX = 700;
    p.cursorY = 20;
    Open();
    const std::string handle = std::to_string(dlg->window()->Handle());
    p.calls.clear();
    if (way == 0) ClickButton(*dlg->CmdCan());
    else { p.CloseWindow(*dlg->window()); p.Advance(1); }
    std::vector<std::string> zooms;
    for (const std::string& c : p.calls)
      if (c.rfind("AnimateCaption", 0) == 0) zooms.push_back(c);
    ASSERT_EQ(zooms.size(), 1u) << way;
    EXPECT_EQ(zooms[0], "AnimateCaption " + handle + " 264,141,760,486 -> 700,20,700,20") << way;
    dlg.reset();
  }
}

TEST_F(SettingsDialog, TheRepeatListOffersTheEmptyEntryThenOneToThirty) {
  Open();
  ASSERT_EQ(List().entries.size(), 31u);
  EXPECT_EQ(List().entries.front(), "");
  for (int i = 1; i <= 30; ++i) EXPECT_EQ(List().entries[static_cast<size_t>(i)], std::to_string(i));
}

TEST_F(SettingsDialog, SitsCentredWithAThirdOfTheFreeHeightAboveAndGrowsWithTheDpi) {
  Open();
  EXPECT_EQ(Win().spec.rect, (Rect{264, 141, 264 + 496, 141 + 345}));
  EXPECT_TRUE(Win().spec.rectIsClient);
  dlg.reset();
  p.dpiX = p.dpiY = 144;
  p.screenWidth = 1920;
  p.screenHeight = 1080;
  Open();
  // 7440 x 5175 twips at 10 twips a pixel; 517.5 rounds to the even 518.
  EXPECT_EQ(Win().spec.rect.Width(), 744);
  EXPECT_EQ(Win().spec.rect.Height(), 518);
  EXPECT_EQ(Win().spec.rect.left, (19200 - 7440) / 2 / 10);
  EXPECT_EQ(Win().spec.rect.top, (10800 - 5180) / 3 / 10);
  EXPECT_EQ(dlg->PanelRect(), (Rect{18, 24, 18 + 704, 24 + 404}));
}

TEST_F(SettingsDialog, AWindowNamedAfterSlashCChangesNothing) {
  // The page on a second monitor at 120 DPI: the dialog still opens unowned
  // on the primary monitor at its resolution, as /c alone opens it.
  p.SetMonitors({{{0, 0, 1024, 768}, true, 96, 96}, {{1024, 0, 2304, 1024}, false, 120, 120}});
  p.hostWindows[4660] = {1300, 100, 1700, 400};
  for (const char* args : {"/c", "/c:4660", "/c 4660", "/c:999"}) {
    SCOPED_TRACE(args);
    p.SetArguments(args);
    Open();
    EXPECT_EQ(Win().spec.host, 0);
    EXPECT_EQ(Win().spec.rect, (Rect{264, 141, 264 + 496, 141 + 345}));
    dlg.reset();
  }
}

TEST_F(SettingsDialog, ANewResolutionLaysEverythingOutAsIfTheDialogHadOpenedThere) {
  struct Looks {
    Rect client;
    std::vector<Rect> children;
    DropDownSpec list;
    Surface shown;
    std::vector<Surface> faces;
  };
  auto looks = [&] {
    Looks l{{0, 0, Win().spec.rect.Width(), Win().spec.rect.Height()}, {}, List().spec, dlg->Shown(), {}};
    for (Command* c : {dlg->CmdCan(), dlg->CmdSet(), dlg->CmdFile()}) {
      l.children.push_back(static_cast<HeadlessWindow*>(c->window())->spec.rect);
      l.faces.push_back(c->Shown());
    }
    l.children.push_back(Bar(dlg->FadeBar()).spec.rect);
    l.children.push_back(Bar(dlg->SpeedBar()).spec.rect);
    return l;
  };
  p.dpiX = p.dpiY = 120;
  Open();
  const Looks at120 = looks();
  dlg.reset();
  p.dpiX = p.dpiY = 96;
  Open();
  // What the system suggests is taken as it is; the size is the one the
  // dialog asked for at that resolution.
  int32_t w = 0, h = 0;
  ASSERT_TRUE(dlg->ClientSizeAtDpi(144, w, h));
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(744, 518));
  const Rect suggested144{300, 200, 300 + 744, 200 + 518};
  p.Notify(Win(), [&](WindowEvents& e) { e.OnDpiChanged(144, 144, suggested144); });
  p.Advance(1);
  EXPECT_EQ(Win().spec.rect, suggested144);
  EXPECT_EQ(dlg->DialogShading().Height(), 518);
  ASSERT_TRUE(dlg->ClientSizeAtDpi(120, w, h));
  const Rect suggested120{310, 210, 310 + w, 210 + h};
  p.Notify(Win(), [&](WindowEvents& e) { e.OnDpiChanged(120, 120, suggested120); });
  p.Advance(1);
  EXPECT_EQ(Win().spec.rect, suggested120);
  const Looks now = looks();
  EXPECT_EQ(now.client, at120.client);
  EXPECT_EQ(now.children, at120.children);
  EXPECT_EQ(now.list.rect, at120.list.rect);
  EXPECT_EQ(now.list.fontHeightPx, at120.list.fontHeightPx);
  EXPECT_EQ(now.list.listHeightPx, at120.list.listHeightPx);
  EXPECT_TRUE(now.shown == at120.shown);  // shading, panel, labels in their new fonts
  EXPECT_TRUE(now.faces == at120.faces);
}

TEST_F(SettingsDialog, ApplyWithoutChangesWritesTheExactBytes) {
  Open();
  ClickButton(*dlg->CmdSet());
  EXPECT_TRUE(dlg->Closed());
  EXPECT_EQ(File(), Ini(" 0", " 0", "", " 24", " 10"));
  EXPECT_TRUE(Win().destroyed);
}

TEST_F(SettingsDialog, TheSpeedSliderAtItsRightEndShows50WhileDraggingAndAfter) {
  Open();
  Bar(dlg->SpeedBar()).DragTo(49);
  EXPECT_EQ(dlg->SpeedText(), "49");
  Bar(dlg->SpeedBar()).DragTo(80);  // past the end: the thumb stops there
  EXPECT_EQ(dlg->SpeedText(), "50");
  Bar(dlg->SpeedBar()).EndDrag();
  EXPECT_EQ(dlg->SpeedText(), "50");
  // The keyboard moves the fade slider as any scroll bar.
  Bar(dlg->FadeBar()).PressKey(0x27);  // right arrow
  EXPECT_EQ(dlg->FadeText(), "25");
  Bar(dlg->FadeBar()).PressKey(0x24);  // Home
  EXPECT_EQ(dlg->FadeText(), "12");
  dlg->Apply();
  EXPECT_EQ(File(), Ini(" 0", " 0", "", " 12", " 50"));
  // The record in memory keeps its fade values.
  EXPECT_EQ(b.settings.FadeDepth, 24);
  EXPECT_EQ(b.settings.FadeSpeed, 10);
}

TEST_F(SettingsDialog, CancelAndEveryOtherCloseLeaveTheFileUntouched) {
  const std::string before = Ini(" 1", " 3", "", " 30", " 20") + "[Other]\r\nx=1\r\n";
  const std::string path = dir.Write("Tidelight.ini", before);
  const auto stamp = std::filesystem::last_write_time(PathFromUtf8(path));
  for (int way = 0; way < 2; ++way) {
    Open();
    dlg->SelectMusicKind(2);
    Bar(dlg->FadeBar()).Step(3, false);
    if (way == 0) ClickButton(*dlg->CmdCan());
    else { p.CloseWindow(*dlg->window()); p.Advance(1); }
    EXPECT_TRUE(dlg->Closed()) << way;
    EXPECT_EQ(File(), before) << way;
    EXPECT_EQ(std::filesystem::last_write_time(PathFromUtf8(path)), stamp) << way;
    dlg.reset();
  }
}

TEST_F(SettingsDialog, TheRepeatTextIsRoundedHalfToEvenAndBadTextStoresZero) {
  for (auto [text, want] : {std::pair{"3.5", " 4"}, {"2.5", " 2"}, {"abc", " 0"}, {"99999", " 0"},
                            {"", " 0"}, {"-3", "-3"}, {" 7 ", " 7"}}) {
    dir.Write("Tidelight.ini", Ini(" 1", " 5", "", " 24", " 10"));
    BaseModule fresh;
    b = fresh;
    Open();
    EXPECT_EQ(dlg->RepeatList()->Text(), "5");
    List().Type(text);
    dlg->Apply();
    EXPECT_EQ(File(), Ini(" 1", want, "", " 24", " 10")) << text;
    dlg.reset();
  }
}

TEST_F(SettingsDialog, TheRepeatTrackIsStoredWhateverTheKind) {
  dir.Write("Tidelight.ini", Ini(" 1", " 12", "", " 24", " 10"));
  Open();
  List().Choose(30);
  dlg->SelectMusicKind(0);
  List().Type("1");  // a disabled list takes no typing
  dlg->Apply();
  EXPECT_EQ(File(), Ini(" 0", " 30", "", " 24", " 10"));
  EXPECT_EQ(b.settings.RepeatTrack, 30);
}

TEST_F(SettingsDialog, RowsMoveTheMarkAndEnableTheirControl) {
  Open();
  const uint32_t blue = MarkPicture(true).At(6, 6);
  ClickDialog(dlg->RowLabelRect(1));
  EXPECT_EQ(b.settings.MusicKind, 1);
  EXPECT_TRUE(dlg->RepeatList()->Enabled());
  EXPECT_FALSE(dlg->CmdFile()->EnabledFlag());
  EXPECT_EQ(dlg->Shown().At(dlg->MarkRect(1).left + 6, dlg->MarkRect(1).top + 6), blue);
  EXPECT_NE(dlg->Shown().At(dlg->MarkRect(0).left + 6, dlg->MarkRect(0).top + 6), blue);

  ClickDialog(dlg->MarkRect(2));
  EXPECT_EQ(dlg->MarkedRow(), std::optional<int16_t>(2));
  EXPECT_FALSE(dlg->RepeatList()->Enabled());
  EXPECT_TRUE(dlg->CmdFile()->EnabledFlag());

  ClickDialog(dlg->RowLabelRect(0), MouseButton::Right);  // any button selects
  EXPECT_EQ(dlg->MarkedRow(), std::optional<int16_t>(0));
  EXPECT_FALSE(dlg->RepeatList()->Enabled());
  EXPECT_FALSE(dlg->CmdFile()->EnabledFlag());

  // Between the rows nothing happens.
  const Rect gap{dlg->MarkRect(1).left, dlg->MarkRect(1).bottom + 1, dlg->MarkRect(1).right,
                 dlg->MarkRect(1).bottom + 3};
  ClickDialog(gap);
  EXPECT_EQ(dlg->MarkedRow(), std::optional<int16_t>(0));
}

TEST_F(SettingsDialog, AStoredKindOutsideTheRowsMarksNone) {
  dir.Write("Tidelight.ini", Ini(" 7", "", "", "", ""));
  Open();
  EXPECT_EQ(dlg->MarkedRow(), std::nullopt);
  EXPECT_FALSE(dlg->RepeatList()->Enabled());
  EXPECT_FALSE(dlg->CmdFile()->EnabledFlag());
}

TEST_F(SettingsDialog, StoredSliderValuesOutOfRangeShowTheirNumberButApplyTheSlider) {
  dir.Write("Tidelight.ini", Ini(" 0", "", "", " 99", " 70000"));
  Open();
  EXPECT_EQ(dlg->FadeBar()->Value(), 12);
  EXPECT_EQ(dlg->FadeText(), "99");
  EXPECT_EQ(dlg->SpeedBar()->Value(), 5);
  EXPECT_EQ(dlg->SpeedText(), "70000");
  dlg->Apply();
  EXPECT_EQ(File(), Ini(" 0", " 0", "", " 12", " 5"));
}

TEST_F(SettingsDialog, TheFileChooserRemembersTheFolderOfTheLastChoice) {
  Open();
  dlg->SelectMusicKind(2);
  p.fileToOpen = std::nullopt;  // cancelled: nothing changes
  ClickButton(*dlg->CmdFile());
  ASSERT_EQ(p.fileDialogs.size(), 1u);
  const FileDialogSpec& first = p.fileDialogs[0];
  EXPECT_EQ(first.title, "ﾌｧｲﾙを開く");
  ASSERT_EQ(first.filter.size(), 1u);
  EXPECT_EQ(first.filter[0].first, "BGMﾌｧｲﾙ (MP3 WAV)");
  EXPECT_EQ(first.filter[0].second, "*.MP3;*.WAV");
  EXPECT_EQ(first.initialFolder, "");
  EXPECT_FALSE(first.mustExist);
  EXPECT_EQ(first.owner, dlg->window()->Handle());
  EXPECT_EQ(dlg->FileText(), "");
  EXPECT_EQ(b.LastApiResult, 0);

  p.fileToOpen = "C:\\Music\\歌.mp3";
  ClickButton(*dlg->CmdFile());
  EXPECT_EQ(dlg->FileText(), "C:\\Music\\歌.mp3");
  EXPECT_EQ(dlg->LastFolder(), "C:\\Music");
  p.fileToOpen = "D:\\x.wav";
  ClickButton(*dlg->CmdFile());
  EXPECT_EQ(p.fileDialogs.back().initialFolder, "C:\\Music");

  // Another kind keeps the path shown and stored.
  dlg->SelectMusicKind(1);
  EXPECT_EQ(dlg->FileText(), "D:\\x.wav");
  dlg->Apply();
  EXPECT_EQ(GetIniValue(p, "Section", kFile, dir.str() + "/Tidelight.ini"), "D:\\x.wav");
}

TEST_F(SettingsDialog, TheLinkOpensItsAddressUnderTheHourglassWithItsOwnPointer) {
  Open();
  const Rect link = dlg->LinkRect();
  p.PointAt(Win(), link.left + 3, link.top + 3);
  p.Advance(1);
  EXPECT_EQ(Win().mousePointer, MousePointer::Custom);
  EXPECT_EQ(Win().customPointer.hotX, 12);
  EXPECT_EQ(Win().customPointer.hotY, 10);
  p.PointAt(Win(), link.left - 3, link.top - 3);
  p.Advance(1);
  EXPECT_EQ(Win().mousePointer, MousePointer::Default);

  p.browserOpens = false;  // a failure is silent, and the pointer comes back
  ClickDialog(link);
  EXPECT_EQ(p.webPagesOpened, std::vector{LinkAddress()});
  EXPECT_EQ(p.screenPointersSet,
            (std::vector{MousePointer::Default, MousePointer::Hourglass, MousePointer::Default}));
  EXPECT_TRUE(p.messageBoxes.empty());
  // A right click is no click.
  ClickDialog(link, MouseButton::Right);
  EXPECT_EQ(p.webPagesOpened.size(), 1u);
}

TEST_F(SettingsDialog, TheLinkPointerIsAHandInTwoColoursWithItsTipAtTheHotSpot) {
  const PointerPicture hand = LinkPointer();
  auto opaque = [&](int x, int y) { return (hand.andMask[static_cast<size_t>(y)] >> (31 - x) & 1) == 0; };
  EXPECT_TRUE(opaque(12, 10));
  EXPECT_FALSE(opaque(12, 9));
  EXPECT_FALSE(opaque(0, 0));
  // No pixel inverts the screen: only black, white and transparent.
  for (size_t y = 0; y < 32; ++y) EXPECT_EQ(hand.andMask[y] & hand.xorMask[y], 0u) << y;
}

TEST_F(SettingsDialog, EveryShadingRowFollowsTheFormula) {
  Open();
  for (const auto& [surface, colour] :
       {std::pair{&dlg->DialogShading(), &DialogRowColour}, {&dlg->PanelShading(), &PanelRowColour}}) {
    const int32_t h = surface->Height();
    const double period = h / 3.142;
    for (int32_t y = 0; y < h; ++y) {
      const int32_t v = static_cast<int32_t>(std::nearbyint(std::fabs(std::sin(y / period) * 220)));
      const uint32_t want = PixelFromColorRef(colour(v));
      ASSERT_EQ(surface->At(0, y), want) << y;
      ASSERT_EQ(surface->At(surface->Width() - 1, y), want) << y;
    }
  }
  const Surface& d = dlg->DialogShading();
  EXPECT_EQ(d.At(5, 0), Rgb(0, 0, 30));
  EXPECT_EQ(d.At(5, d.Height() / 2), Rgb(220, 220, 250));
  const Surface& panel = dlg->PanelShading();
  EXPECT_EQ(panel.At(5, 0), Rgb(30, 30, 30));
  EXPECT_EQ(panel.At(5, panel.Height() / 2), Rgb(250, 250, 250));
  // The shading shows on the window, under the panel's transparent labels.
  EXPECT_EQ(Win().screen.At(2, 0), Rgb(0, 0, 30));
  EXPECT_EQ(Win().screen.At(dlg->PanelRect().left + 3, dlg->PanelRect().top), Rgb(30, 30, 30));
}

TEST_F(SettingsDialog, ShadeLevelsAreZeroAtBothEdges) {
  for (int32_t h : {1, 2, 345, 404, 518})
    EXPECT_EQ(ShadeLevel(h, h), 0) << h;
  EXPECT_EQ(ShadeLevel(0, 0), 0);
  EXPECT_EQ(ShadeLevel(172, 345), 220);
}

TEST_F(SettingsDialog, TheJapaneseTextsAreDrawnInTheJapaneseFont) {
  p.installedFaces = {"MS UI Gothic"};  // the design face missing: its fallback
  Open();
  bool sawRow = false;
  for (const TextDraw& t : p.textDraws) {
    if (t.text != "音楽CD") continue;
    sawRow = true;
    EXPECT_EQ(t.face, "MS UI Gothic");
    EXPECT_EQ(t.charset, charset::kShiftJis);
    EXPECT_EQ(t.heightPx, 13);
  }
  EXPECT_TRUE(sawRow);
}

TEST_F(SettingsDialog, InEnglishEveryTextIsEnglishAndTheFileIsWrittenTheSame) {
  b.language = UiLanguage::English;
  p.installedFaces.insert("Tahoma");
  Open();
  EXPECT_EQ(dlg->window()->Caption(), "<Tidelight>");  // the lock, in every language
  EXPECT_EQ(dlg->CmdSet()->Caption(), "OK");
  EXPECT_EQ(dlg->CmdCan()->Caption(), "Cancel");
  EXPECT_EQ(dlg->CmdSet()->GetFont()->charset, charset::kDefault);
  std::set<std::string> drawn;
  for (const TextDraw& t : p.textDraws) {
    if (t.text == "Command") continue;  // a new button's caption, before its stored one is loaded
    drawn.insert(t.text);
    EXPECT_TRUE(std::all_of(t.text.begin(), t.text.end(), [](char c) { return c >= ' ' && c <= '~'; })) << t.text;
    EXPECT_EQ(t.face, "Tahoma") << t.text;
  }
  for (const char* text : {"Music", "None", "Audio CD", "MP3, WAV", "Repeat track", "Fade step", "Small", "Large",
                           "Reveal speed", "Slow", "Fast", "OK", "Cancel"})
    EXPECT_EQ(drawn.count(text), 1u) << text;

  // The rows answer on their English labels, and the file dialog speaks English.
  ClickDialog(dlg->RowLabelRect(2));
  ASSERT_EQ(dlg->MarkedRow(), std::optional<int16_t>(2));
  p.fileToOpen = std::nullopt;
  ClickButton(*dlg->CmdFile());
  ASSERT_EQ(p.fileDialogs.size(), 1u);
  EXPECT_EQ(p.fileDialogs[0].title, "Choose a music file");
  EXPECT_EQ(p.fileDialogs[0].filter, (std::vector<std::pair<std::string, std::string>>{
                                         {"Music files (MP3, WAV)", "*.MP3;*.WAV"}}));
  ClickButton(*dlg->CmdSet());
  EXPECT_EQ(File(), Ini(" 2", " 0", "", " 24", " 10"));
}

// Labels never run into each other or into a control, nor out of the panel,
// in either language at any of the usual resolutions.
TEST(DialogLayout, LabelsClearEachOtherAndTheControlsAtEveryDpi) {
  namespace L = dialog_layout;
  for (UiLanguage lang : {UiLanguage::Japanese, UiLanguage::English}) {
    std::vector<std::pair<std::string, TwipRect>> boxes;
    for (const auto& t : L::PanelTexts(lang)) boxes.emplace_back(t.text, t.at);
    for (int16_t kind = 0; kind < 3; ++kind) {
      const auto row = L::MusicRowText(kind, lang);
      boxes.emplace_back(row.text, row.at);
      const auto& mark = L::kMusicRows[static_cast<size_t>(kind)];
      boxes.emplace_back("mark", TwipRect{mark.left, mark.top, L::kMarkSize, L::kMarkSize});
    }
    boxes.emplace_back("fade value", L::LabelBox(L::kFadeValue, "", lang));
    boxes.emplace_back("speed value", L::LabelBox(L::kSpeedValue, "", lang));
    for (const auto& [name, at] : {std::pair{"repeat list", L::kRepeatList}, {"fade slider", L::kFadeBar},
                                   {"speed slider", L::kSpeedBar}, {"...", L::kCmdFile}, {"file", L::kFileLabel}})
      boxes.emplace_back(name, at);
    const auto texts = L::PanelTexts(lang);
    for (int32_t tpp : {15, 12, 10}) {
      const Rect panel{0, 0, TwipsToPixels(L::kPanel.width, tpp), TwipsToPixels(L::kPanel.height, tpp)};
      // Only the headings stand inside the frames.
      for (size_t i = 0; i < texts.size(); ++i)
        for (const TwipRect& f : L::Frames(lang))
          EXPECT_TRUE(L::kPanelTexts[i].heading ||
                      Intersect(PixelRect(texts[i].at, tpp, tpp), PixelRect(f, tpp, tpp)).Empty())
              << texts[i].text << " and a frame at " << tpp;
      for (size_t i = 0; i < boxes.size(); ++i) {
        const Rect a = PixelRect(boxes[i].second, tpp, tpp);
        EXPECT_EQ(Intersect(a, panel), a) << boxes[i].first << " at " << tpp;
        for (size_t j = i + 1; j < boxes.size(); ++j)
          EXPECT_TRUE(Intersect(a, PixelRect(boxes[j].second, tpp, tpp)).Empty())
              << boxes[i].first << " and " << boxes[j].first << " at " << tpp;
      }
    }
  }
}

TEST_F(SettingsDialog, RepeatTextConversion) {
  EXPECT_EQ(RepeatTrackFromText("32767"), 32767);
  EXPECT_EQ(RepeatTrackFromText("32767.5"), 0);
  EXPECT_EQ(RepeatTrackFromText("-32768"), -32768);
  EXPECT_EQ(RepeatTrackFromText("1e1"), 10);
  EXPECT_EQ(RepeatTrackFromText("nan"), 0);
  EXPECT_EQ(RepeatEntry(0), "");
  EXPECT_EQ(RepeatEntry(30), "30");
}

}  // namespace tl

namespace tl {

TEST(ScrollBarMoves, StepsClampAtBothEndsAndAQuietReleaseRaisesNothing) {
  const ScrollBarSpec s{{}, 0, 5, 50, 1, 10};
  EXPECT_EQ(ScrollTarget(s, 45, 1, true), 50);
  EXPECT_EQ(ScrollTarget(s, 6, -1, true), 5);
  EXPECT_EQ(ScrollTarget(s, 10, INT32_MAX, false), 50);  // no overflow on the way
  EXPECT_EQ(ScrollTarget(s, 10, INT32_MIN, true), 5);

  struct Count : ScrollBarEvents {
    int changes = 0, scrolls = 0;
    void OnChange(int32_t) override { ++changes; }
    void OnScroll(int32_t) override { ++scrolls; }
  } events;
  HeadlessPlatform p;
  HeadlessScrollBar bar(p, s, events);
  bar.DragTo(30);
  bar.DragTo(5);  // back where it started
  bar.EndDrag();
  EXPECT_EQ(events.scrolls, 2);
  EXPECT_EQ(events.changes, 0);
  bar.PressKey(0x23);  // End
  bar.PressKey(0x27);  // right arrow at the end: no change
  EXPECT_EQ(events.changes, 1);
  EXPECT_EQ(bar.Value(), 50);
}

}  // namespace tl
