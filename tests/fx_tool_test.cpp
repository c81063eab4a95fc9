// tidelight-fx, run in-process: its table, its exit statuses, output written
// whole or not at all, and the pictures it makes against the engine called
// directly.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "gfx/bmp_file.h"
#include "gfx/picture_codec.h"
#include "picture_samples.h"
#include "test_folder.h"
#include "tools/fx/effect_table.h"
#include "tools/fx/fx_cli.h"
#include "tools/fx/fx_job.h"

namespace tl::test {
namespace {

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> w;
  for (std::string s; in >> s;) w.push_back(s);
  return w;
}

struct Fx : ::testing::Test {
  TestFolder folder;
  std::string input;
  Surface picture = SamplePicture(31, 17);
  std::ostringstream out, err;
  Fx() { input = folder.Write("in.png", AsString(codec::EncodePng(picture).value())); }

  int Run(const std::vector<std::string>& args) {
    out.str({});
    err.str({});
    return fx::RunCommandLine(args, out, err);
  }
  int Run(const std::string& effects, const std::string& output) {
    std::vector<std::string> args = {input};
    for (auto& w : Words(effects)) args.push_back(w);
    args.insert(args.end(), {"-o", output});
    return Run(args);
  }
  std::string Out(const std::string& name) const { return folder.str() + "/" + name; }
  Surface ReadBack(const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    const DecodedPicture p = DecodePicture(Bytes(std::istreambuf_iterator<char>(in), {}), 0);
    EXPECT_TRUE(p.ok()) << path;
    return p.pixels;
  }
  // The folder holds exactly these files: no partial or temporary ones.
  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(PathFromUtf8(folder.str())))
      names.insert(Utf8FromPath(e.path().filename()));
    return names;
  }
};

TEST(FxTable, EntriesAreWellFormed) {
  std::set<std::string_view> names;
  for (const fx::Effect& e : fx::Effects()) {
    EXPECT_TRUE(names.insert(e.name).second) << e.name;
    EXPECT_NE(e.apply, nullptr) << e.name;
    EXPECT_NE(e.example.find("--" + std::string(e.name)), std::string_view::npos) << e.name;
    // Only trailing arguments may be left out.
    for (size_t i = 0; i < e.RequiredArgs(); ++i) EXPECT_FALSE(e.args[i].defaultValue) << e.name;
  }
  EXPECT_NE(fx::FindEffect("pal-darker"), nullptr);
  EXPECT_EQ(fx::FindEffect("pal-darker")->Source(), "ASM_PalEffects opcode 7");
}

TEST(FxTable, ArgumentsAreCheckedAgainstTheirRanges) {
  const fx::Arg amount{"AMOUNT", fx::ArgKind::Integer, -32768, 32767};
  const fx::Arg colour{"COLOUR", fx::ArgKind::Colour, -2147483648.0, 2147483647.0};
  std::string why;
  EXPECT_EQ(fx::ParseArg(amount, "-40", why), -40);
  EXPECT_EQ(fx::ParseArg(amount, "0x10", why), 16);
  EXPECT_EQ(fx::ParseArg(amount, "32767", why), 32767);
  for (const char* bad : {"32768", "-32769", "1.5", "ten", "", "4x", "--3"})
    EXPECT_FALSE(fx::ParseArg(amount, bad, why)) << bad;
  EXPECT_EQ(fx::ParseArg(colour, "#FF8000", why), 0x0080FF);  // COLORREF: red in the low byte
  EXPECT_EQ(fx::ParseArg(colour, "back", why), -1);
  EXPECT_EQ(fx::ParseArg(colour, "0x00BBGGRR", why), std::nullopt);
  EXPECT_EQ(fx::ParseArg(colour, "255", why), 255);
  const fx::Arg sampling{"SAMPLING", fx::ArgKind::Word, 0, 0, 0.0, {{"nearest", 0}, {"bilinear", 1}}};
  EXPECT_EQ(fx::ParseArg(sampling, "bilinear", why), 1);
  EXPECT_FALSE(fx::ParseArg(sampling, "cubic", why));
  EXPECT_EQ(why, "one of nearest bilinear");
}

// What the tool writes is what the engine draws when called directly.
TEST_F(Fx, ChainsMatchTheEngineCalledDirectly) {
  const struct {
    const char* chain;
    void (*direct)(Tidelight_C&);
  } cases[] = {
      {"--pal-darker 40 --pal-invert --undo",
       [](Tidelight_C& e) { e.ASM_PalEffects(7, 40, -1), e.ASM_PalEffects(11, 0, -1), e.UndoLast(); }},
      {"--lighter 96", [](Tidelight_C& e) { e.ASM_IncrementalPalEffects(6, 96); }},
      {"--incremental 10 3 --pal-grey", [](Tidelight_C& e) { e.ASM_IncrementalPalEffects(10, 3), e.ASM_PalEffects(12, 0, -1); }},
      {"--pal 8 -20 #00FF00 --pal-noise 2 --reset --darker 30",
       [](Tidelight_C& e) {
         e.ASM_PalEffects(8, -20, 0x00FF00), e.ASM_PalEffects(10, 2, -1), e.ResetPic(),
             e.ASM_IncrementalPalEffects(7, 30);
       }},
  };
  for (const auto& c : cases) {
    HeadlessPlatform platform;
    RandomGenerator random;
    PictureBox box(platform, true);
    box.Resize(picture.Width(), picture.Height());
    box.SetPicture(picture);
    Tidelight_C engine(platform, random);
    engine.PictureBox(box);
    c.direct(engine);
    ASSERT_TRUE(platform.messageBoxes.empty());
    const Surface expected = Rgb24(box.Pixels());
    ASSERT_EQ(Run(c.chain, Out("out.png")), fx::kSuccess) << c.chain << err.str();
    EXPECT_EQ(ReadBack(Out("out.png")), expected) << c.chain;
    ASSERT_EQ(Run(c.chain, Out("out.BMP")), fx::kSuccess) << c.chain << err.str();
    EXPECT_EQ(ReadBack(Out("out.BMP")), expected) << c.chain;
  }
}

TEST_F(Fx, EveryExampleRuns) {
  for (const fx::Effect& e : fx::Effects())
    EXPECT_EQ(Run(std::string(e.example), Out("example.png")), fx::kSuccess) << e.name << err.str();
}

TEST_F(Fx, ReadsGifJpegAndBmpToo) {
  const Surface flat = PalettePicture(20, 10);
  const std::string gif = folder.Write("in.gif", AsString(GifFile(flat)));
  ASSERT_EQ(Run({gif, "--pal-invert", "--undo", "-o", Out("gif.png")}), fx::kSuccess) << err.str();
  EXPECT_EQ(ReadBack(Out("gif.png")), flat);
  const std::string jpeg = folder.Write("in.jpg", AsString(codec::EncodeJpeg(flat, 90).value()));
  ASSERT_EQ(Run({jpeg, "--pal-grey", "-o", Out("jpeg.bmp")}), fx::kSuccess) << err.str();
  const std::string bmp = folder.Write("in.bmp", AsString(EncodeBmp(flat)));
  ASSERT_EQ(Run({bmp, "-o", Out("bmp.png")}), fx::kSuccess) << err.str();
  EXPECT_EQ(ReadBack(Out("bmp.png")), flat);
}

TEST_F(Fx, HelpVersionAndListSucceedWithoutFiles) {
  EXPECT_EQ(Run(std::vector<std::string>{"--help"}), fx::kSuccess);
  for (const fx::Effect& e : fx::Effects())
    EXPECT_NE(out.str().find("--" + std::string(e.name) + " "), std::string::npos) << e.name;
  EXPECT_NE(out.str().find("--pal OPCODE AMOUNT [COLOUR]"), std::string::npos);
  EXPECT_EQ(Run(std::vector<std::string>{"--version"}), fx::kSuccess);
  EXPECT_EQ(out.str(), "tidelight-fx 1.00\n");
  EXPECT_EQ(Run(std::vector<std::string>{"--list"}), fx::kSuccess);
  const std::string list = out.str();
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), std::ssize(fx::Effects()));
  EXPECT_NE(list.find("pal-darker\tAMOUNT\tASM_PalEffects opcode 7\t"), std::string::npos);
}

// Usage errors: status 2, a message, and nothing written or changed.
TEST_F(Fx, UsageErrorsWriteNothing) {
  folder.Write("kept.png", "the old output");
  const std::vector<std::vector<std::string>> cases = {
      {},
      {input},
      {input, "-o"},
      {"-o", Out("kept.png")},
      {input, "--no-such-effect", "-o", Out("kept.png")},
      {input, "--pal-darker", "-o", Out("kept.png")},
      {input, "--pal-darker", "dark", "-o", Out("kept.png")},
      {input, "--pal-darker", "40000", "-o", Out("kept.png")},
      {input, "--darker", "256", "-o", Out("kept.png")},
      {input, "--pal", "7", "-o", Out("kept.png")},
      {input, "--pal", "7", "10", "#12345", "-o", Out("kept.png")},
      {input, "--pal-invert", "-o", Out("kept.jpg")},
      {input, "--background", "-1", "-o", Out("kept.png")},
      // A valid effect before an invalid one does not run either.
      {input, "--pal-invert", "--lighter", "x", "-o", Out("kept.png")},
  };
  for (const auto& args : cases) {
    std::string shown;
    for (const auto& a : args) shown += a + " ";
    EXPECT_EQ(Run(args), fx::kUsageError) << shown;
    EXPECT_FALSE(err.str().empty()) << shown;
    EXPECT_EQ(folder.Read("kept.png"), "the old output") << shown;
    EXPECT_EQ(Files(), (std::set<std::string>{"in.png", "kept.png"})) << shown;
  }
}

// File errors: status 1, and the output is left as it was.
TEST_F(Fx, FileErrorsLeaveTheOutputAlone) {
  folder.Write("kept.png", "the old output");
  folder.Write("text.png", "not a picture at all");
  Bytes cut = codec::EncodePng(picture).value();
  cut.resize(cut.size() / 2);
  folder.Write("cut.png", AsString(cut));
  Bytes huge = EncodeBmp(SamplePicture(2, 2));
  Set32(huge, 18, 30000);
  Set32(huge, 22, 30000);
  folder.Write("huge.bmp", AsString(huge));
  for (const char* name : {"missing.png", "text.png", "cut.png", "huge.bmp"}) {
    EXPECT_EQ(Run({Out(name), "--pal-invert", "-o", Out("kept.png")}), fx::kFileError) << name;
    EXPECT_NE(err.str().find(name), std::string::npos) << err.str();
    EXPECT_EQ(folder.Read("kept.png"), "the old output") << name;
  }
  EXPECT_EQ(Run({input, "-o", folder.str() + "/no folder/out.png"}), fx::kFileError);
  EXPECT_EQ(Files(), (std::set<std::string>{"in.png", "kept.png", "text.png", "cut.png", "huge.bmp"}));
  // A good run replaces the old output whole.
  EXPECT_EQ(Run({input, "-o", Out("kept.png")}), fx::kSuccess);
  EXPECT_EQ(ReadBack(Out("kept.png")), picture);
}

TEST_F(Fx, PathsOutsideTheAnsiCodePage) {
  const std::string in = folder.Write("入力 ✓.png", AsString(codec::EncodePng(picture).value()));
  ASSERT_EQ(Run({in, "--pal-invert", "--pal-invert", "-o", Out("出力 ✓.png")}), fx::kSuccess) << err.str();
  EXPECT_EQ(ReadBack(Out("出力 ✓.png")), picture);
}

}  // namespace
}  // namespace tl::test
