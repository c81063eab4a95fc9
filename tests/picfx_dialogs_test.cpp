// Tidelight_C's picture-file and colour dialogs on the headless back end.
#include <gtest/gtest.h>

#include "backends/headless/headless_window.h"
#include "gfx/bmp_file.h"
#include "picfx/pic_file_names.h"
#include "picfx_fixture.h"
#include "picture_samples.h"
#include "test_folder.h"

namespace tl::test {
namespace {

constexpr const char* kCaption = "Tidelight picture window";

// An engine bound to a box that fills a captioned window.
struct EngineInWindow : EngineOnBox {
  WindowEvents events;
  std::unique_ptr<Window> window;
  TestFolder folder;
  EngineInWindow(int32_t w = 12, int32_t h = 9) : EngineOnBox(w, h, false) {
    window = platform.OpenWindow({kCaption, WindowKind::Dialog, {0, 0, w, h}}, events);
    box.SetHost(window.get());
    box.backColor = 0x336699;
    engine.PictureBox(box);
  }
  HeadlessWindow& Host() { return static_cast<HeadlessWindow&>(*window); }
  std::string Write(const std::string& name, const Bytes& bytes) { return folder.Write(name, AsString(bytes)); }
};

TEST(PicfxDialogNames, SaveNamesEndInBmp) {
  EXPECT_EQ(BmpSavePath("sky"), "sky.bmp");
  EXPECT_EQ(BmpSavePath("SKY.BMP"), "SKY.BMP");
  EXPECT_EQ(BmpSavePath("sky.Bmp"), "sky.Bmp");
  EXPECT_EQ(BmpSavePath("sky.jpg"), "sky.jpg.bmp");
  EXPECT_EQ(BmpSavePath("C:\\pictures\\sky   "), "C:\\pictures\\sky.bmp");
  EXPECT_EQ(BmpSavePath(std::string("sky\0.bmp", 8)), "sky.bmp");
  EXPECT_EQ(BmpSavePath("bmp"), "bmp.bmp");
  EXPECT_EQ(BmpSavePath(""), ".bmp");
  EXPECT_EQ(ChosenOpenPath(std::string("C:\\a b.gif\0   ", 14)), "C:\\a b.gif");
  EXPECT_EQ(ChosenOpenPath("C:\\a.gif   "), "C:\\a.gif");
}

TEST(PicfxDialogs, FiltersTitlesAndOwner) {
  EngineInWindow e;
  e.engine.dialogShowOpen();
  e.engine.dialogShowSave();
  e.engine.dialogShowOpen("Pick one");
  e.engine.dialogShowSave("Keep it");
  ASSERT_EQ(e.platform.fileDialogs.size(), 4u);
  const auto& open = e.platform.fileDialogs[0];
  EXPECT_EQ(open.title, "Load a Picture file");
  EXPECT_EQ(open.owner, e.window->Handle());
  // WMF is named in the description, not offered by the pattern.
  using Filter = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(open.filter, (Filter{{"Pictures (*.bmp *.gif *.jpg *.wmf *.ico *.cur)",
                                  "*.bmp;*.gif;*.jpg;*.ico;*.cur"},
                                 {"All Files (*.*)", "*.*"}}));
  EXPECT_TRUE(open.defaultExtension.empty());
  const auto& save = e.platform.fileDialogs[1];
  EXPECT_EQ(save.title, "Save Picture file");
  EXPECT_EQ(save.filter, (Filter{{"Pictures (*.bmp)", "*.bmp"}}));
  EXPECT_EQ(e.platform.fileDialogs[2].title, "Pick one");
  EXPECT_EQ(e.platform.fileDialogs[3].title, "Keep it");
  // Cancelled dialogs are not errors.
  EXPECT_TRUE(e.platform.messageBoxes.empty());
  EXPECT_TRUE(e.platform.picturesLoaded.empty());
  EXPECT_TRUE(e.platform.picturesSaved.empty());
}

TEST(PicfxDialogs, UnboundObjectOnlyTellsTheUser) {
  EngineOnBox e(4, 4, false);
  e.engine.dialogShowOpen();
  e.engine.dialogShowSave();
  e.platform.colourChosen = 0x123456;
  EXPECT_EQ(e.engine.dialogChoseColor(), 0);
  ASSERT_EQ(e.platform.messageBoxes.size(), 3u);
  for (const auto& m : e.platform.messageBoxes) {
    EXPECT_EQ(m.text, "You must assign a picturebox to the class first!");
    EXPECT_EQ(m.icon, MessageIcon::Information);
  }
  EXPECT_TRUE(e.platform.fileDialogs.empty());
  EXPECT_TRUE(e.platform.customColoursOffered.empty());
}

TEST(PicfxDialogs, OpenLoadsTheFileAndBindsAgain) {
  EngineInWindow e(12, 9);
  // A smaller picture: the box keeps its size and shows the picture at its
  // origin over the background colour.
  const Surface picture = SamplePicture(8, 5);
  const std::string path = e.Write("sky.bmp", EncodeBmp(picture));
  e.platform.fileToOpen = path + "   ";
  e.engine.ASM_PalEffects(7, 40, -1);
  e.engine.dialogShowOpen();
  EXPECT_TRUE(e.platform.messageBoxes.empty());
  ASSERT_TRUE(e.engine.Bound());
  Surface expected(12, 9, 0x336699);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 8; ++x) expected.At(x, y) = picture.At(x, y);
  EXPECT_EQ(e.box.Pixels(), expected);
  for (int p = 1; p <= 3; ++p) EXPECT_EQ(e.Plane(p), expected) << p;
  EXPECT_TRUE(e.box.visible);
  // Shown on the window, under the hourglass while it binds.
  EXPECT_EQ(e.Host().screen, expected);
  EXPECT_EQ(e.Host().pointersSet, (std::vector{MousePointer::Hourglass, MousePointer::Default}));
  // The path without its trailing blanks.
  ASSERT_EQ(e.platform.picturesLoaded.size(), 1u);
  EXPECT_EQ(e.platform.picturesLoaded[0], path);
}

TEST(PicfxDialogs, BadFilesLeaveTheEngineAsItWas) {
  EngineInWindow e(10, 6);
  e.engine.ASM_PalEffects(11, 0, -1);
  const Surface planes[] = {e.Plane(1), e.Plane(2), e.Plane(3)};
  const Surface shown = e.box.Pixels();
  Bytes huge = EncodeBmp(SamplePicture(2, 2));
  Set32(huge, 18, 30000);
  Set32(huge, 22, 30000);
  Bytes empty = EncodeBmp(SamplePicture(2, 2));
  Set32(empty, 18, 0);
  Set32(empty, 22, 0);
  Bytes cut = EncodeBmp(SamplePicture(10, 6));
  cut.resize(cut.size() - 7);
  const std::string paths[] = {
      e.Write("notes.bmp", {'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't'}),
      e.Write("cut.bmp", cut),
      e.Write("empty.bmp", empty),
      e.Write("huge.bmp", huge),
      e.Write("drawing.wmf", MetafileOf(8, 8, 0, 0)),  // not readable here
      e.folder.str() + "/nowhere.gif",
  };
  for (const std::string& path : paths) {
    e.platform.messageBoxes.clear();
    e.platform.fileToOpen = path;
    e.engine.dialogShowOpen();
    ASSERT_EQ(e.platform.messageBoxes.size(), 1u) << path;
    EXPECT_EQ(e.platform.messageBoxes[0].text, "Error loading picture file");
    EXPECT_EQ(e.platform.messageBoxes[0].title, kCaption);
    EXPECT_EQ(e.platform.messageBoxes[0].icon, MessageIcon::Error);
    EXPECT_TRUE(e.engine.Bound());
    EXPECT_TRUE(e.box.visible) << path;
    EXPECT_EQ(e.box.Pixels(), shown) << path;
    for (int p = 1; p <= 3; ++p) EXPECT_EQ(e.Plane(p), planes[p - 1]) << path << " plane " << p;
  }
  EXPECT_TRUE(e.Host().pointersSet.empty());
}

// The file keeps blue, green and red of every pixel exactly.
TEST(PicfxDialogs, SaveWritesWhatWasLastDrawnAndLoadsBackExactly) {
  EngineInWindow e(14, 7);
  e.engine.ASM_PalEffects(7, 60, -1);
  const Surface drawn = Rgb24(e.box.Pixels());
  // Plane 2 changes but nothing is drawn: the file holds what was drawn.
  e.engine.AutoDraw(false);
  e.engine.ASM_PalEffects(11, 0, -1);
  for (const char* name : {"sky", "SKY.BMP", "sky.jpg"}) {
    e.platform.fileToSave = e.folder.str() + "/" + name;
    e.engine.dialogShowSave();
  }
  EXPECT_TRUE(e.platform.messageBoxes.empty());
  for (const char* name : {"sky.bmp", "SKY.BMP", "sky.jpg.bmp"}) {
    const std::string file = e.folder.Read(name);
    const DecodedPicture back = DecodeBmp(Bytes(file.begin(), file.end()));
    ASSERT_TRUE(back.ok()) << name;
    EXPECT_EQ(back.pixels, drawn) << name;
  }
  // A folder that is not there.
  e.platform.fileToSave = e.folder.str() + "/missing/sky";
  e.engine.dialogShowSave();
  ASSERT_EQ(e.platform.messageBoxes.size(), 1u);
  EXPECT_EQ(e.platform.messageBoxes[0].text, "Error saving picture file");
  EXPECT_EQ(e.platform.messageBoxes[0].title, kCaption);
  EXPECT_EQ(e.platform.messageBoxes[0].icon, MessageIcon::Error);
}

TEST(PicfxDialogs, ColourDialogKeepsTheCustomColoursPerObject) {
  EngineInWindow e;
  std::array<uint32_t, 16> mine{};
  mine[0] = 0x0000FF;
  mine[15] = 0xABCDEF;
  e.platform.customColoursLeft = mine;
  e.platform.colourChosen = 0x00C08040;
  EXPECT_EQ(e.engine.dialogChoseColor(), 0x00C08040);
  e.platform.customColoursLeft.reset();
  e.platform.colourChosen.reset();
  EXPECT_EQ(e.engine.dialogChoseColor(), -1);  // cancelled
  ASSERT_EQ(e.platform.customColoursOffered.size(), 2u);
  EXPECT_EQ(e.platform.customColoursOffered[0], (std::array<uint32_t, 16>{}));
  EXPECT_EQ(e.platform.customColoursOffered[1], mine);
  EXPECT_EQ(e.engine.CustomColors(), mine);
  // Another object starts with its own, all black.
  Tidelight_C other(e.platform, e.random);
  other.PictureBox(e.box);
  other.dialogChoseColor();
  EXPECT_EQ(e.platform.customColoursOffered.back(), (std::array<uint32_t, 16>{}));
}

}  // namespace
}  // namespace tl::test
