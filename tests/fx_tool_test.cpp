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
#include "tools/fx/fx_grammar.h"
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
  // What the engine draws when called directly on a box of `background`,
  // its clock at `clock`.
  static Surface Direct(const Surface& picture, void (*calls)(Tidelight_C&), uint32_t background = 0,
                        uint64_t clock = 0) {
    HeadlessPlatform platform;
    platform.clockMs = clock;
    RandomGenerator random;
    PictureBox box(platform, true);
    box.backColor = background;
    box.Resize(picture.Width(), picture.Height());
    box.SetPicture(picture);
    Tidelight_C engine(platform, random);
    engine.PictureBox(box);
    calls(engine);
    EXPECT_TRUE(platform.messageBoxes.empty());
    return Rgb24(box.Pixels());
  }
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
    EXPECT_FALSE(e.summary.empty()) << e.name;
    EXPECT_NE(e.example.find("--" + std::string(e.name)), std::string_view::npos) << e.name;
  }
  EXPECT_EQ(fx::FindEffect("smooth")->Source(), "ASM_PixelEffects opcode 0 Amount 8");
}

// Every rule of the words, once: values, colours and parts.
TEST(FxGrammar, ValuesColoursAndParts) {
  const fx::Value amount{"AMOUNT", fx::ValueKind::Integer, 0, 255};
  const struct {
    const char* text;
    std::optional<double> value;
  } amounts[] = {{"40", 40}, {"0x10", 16}, {"255", 255}, {"+7", 7},  {"256", {}}, {"-1", {}},
                 {"1.5", {}}, {"ten", {}}, {"", {}},      {"--3", {}}, {"4x", {}}};
  for (const auto& c : amounts) {
    std::string why;
    EXPECT_EQ(fx::ParseValue(amount, c.text, why), c.value) << c.text;
    EXPECT_EQ(why, "a whole number from 0 to 255");
  }
  const fx::Value number{"FACTOR", fx::ValueKind::Number, 0.1, 1000};
  for (const auto& [text, value] : {std::pair<const char*, double>{"1e1", 10}, {".5", 0.5}, {"+1.5", 1.5}}) {
    std::string why;
    EXPECT_EQ(fx::ParseValue(number, text, why), value) << text;
  }
  // Values in the person's units become the engine's.
  const struct {
    const char* effect;
    const char* text;
    std::optional<double> engine;
  } units[] = {{"swirl", "180", 2},    {"swirl", "360", 8},     {"swirl", "45", {}},  {"glow", "1", 0},
               {"glow", "4", 6},       {"glow", "5", {}},       {"glow", "6", 10},    {"magnify", "1.5", 1.5},
               {"magnify", "1.55", {}}, {"magnify", "0.05", {}}};
  for (const auto& c : units) {
    std::string why;
    EXPECT_EQ(fx::ParseValue(fx::FindEffect(c.effect)->values.back(), c.text, why), c.engine)
        << c.effect << " " << c.text;
  }
  // Colours: red first as written, the box's colour, or a raw COLORREF.
  const struct {
    const char* text;
    std::optional<double> ref;
  } colours[] = {{"#FF8000", 0x0080FF},     {"0xFF8000", 0x0080FF},    {"0x12", 0x120000},
                 {"back", fx::kBack},       {"colorref=255", 255},     {"colorref=-1", 0xFFFFFFFF},
                 {"colorref=0xFFFFFFFF", 0xFFFFFFFF}, {"#12345", {}},  {"0xFFFFFFFF", {}},
                 {"255", {}},               {"#GG0000", {}},           {"colorref=1.5", {}}};
  for (const auto& c : colours) EXPECT_EQ(fx::ParseColour(c.text), c.ref) << c.text;
  EXPECT_EQ(fx::ColourRef(fx::kBack, 0x123456), 0x123456);
  EXPECT_EQ(fx::ColourRef(0xFFFFFFFF, 0), -1);

  const fx::Effect& rotate = *fx::FindEffect("rotate");
  std::string why;
  const auto parts = fx::ParseParts(rotate, "fill=back:centre=1.5,-2:bilinear", why);
  ASSERT_TRUE(parts) << why;
  EXPECT_TRUE(parts->bilinear);
  EXPECT_EQ(parts->centreX, 1.5);
  EXPECT_EQ(parts->centreY, -2);
  EXPECT_EQ(parts->fill, fx::kBack);
  const struct {
    const char* text;
    const char* why;
  } wrong[] = {
      {"bilinear:nearest", "the part nearest is given twice"},
      {"centre=1", "centre='1' must be two numbers X,Y"},
      {"fill=#12", "fill='#12' must be a colour"},
      {"colour=#000000", "unknown part 'colour=#000000'; it takes nearest, bilinear, centre=X,Y, fill=COLOUR"},
      {"bilinear:", "an empty part"},
  };
  for (const auto& c : wrong) {
    EXPECT_FALSE(fx::ParseParts(rotate, c.text, why)) << c.text;
    EXPECT_NE(why.find(c.why), std::string::npos) << c.text << ": " << why;
  }
}

// Every effect by its name does what the engine does when called directly
// (a default colour is the background, or white for the painting).
TEST_F(Fx, EveryNameMatchesTheEngineCalledDirectly) {
  using E = Tidelight_C;
  const struct {
    const char* chain;
    void (*direct)(E&);
  } cases[] = {
      {"--lighter 10 --darker 20 --more-red 30 --less-red 40 --more-green 50 --less-green 60 --more-blue 70 "
       "--less-blue 80 --lighter-wrapping 90 --darker-wrapping 100 --noise 2",
       [](E& e) {
         for (const auto& [op, amount] : {std::pair{6, 10}, {7, 20}, {0, 30}, {1, 40}, {2, 50}, {3, 60}, {4, 70},
                                         {5, 80}, {8, 90}, {9, 100}, {10, 2}})
           e.ASM_PalEffects(op, static_cast<int16_t>(amount), -1);
       }},
      {"--invert --grey --near-black-to-black --near-white-to-white --black-to-white --white-to-black "
       "--all-but-white-to-black --all-but-black-to-white --threshold",
       [](E& e) {
         for (int op = 11; op <= 19; ++op) e.ASM_PalEffects(op, 0, -1);
       }},
      {"--smooth --smooth-sideways --smooth-upright --smooth-diagonal --row-wave -3 --swirl 270:fill=#FF0000",
       [](E& e) {
         for (int16_t amount : {8, 1, 2, 4}) e.ASM_PixelEffects(0, amount, -1);
         e.ASM_PixelEffects(3, -3, -1), e.ASM_PixelEffects(5, 4, 0x0000FF);
       }},
      {"--edge-lift --relief:colour=0x102030 --emboss:colour=back",
       [](E& e) { e.ASM_PixelEffects(1, 0, -1), e.ASM_PixelEffects(2, 0, 0x302010), e.ASM_PixelEffects(4, 0, -1); }},
      {"--dots 3 --lines-across 4:colour=#00FF00 --lines-down 5 --grid 6 --seed 7",
       [](E& e) {
         e.ASM_ColorXEffects(0, 0xFFFFFF, 3), e.ASM_ColorXEffects(1, 0x00FF00, 4);
         e.ASM_ColorXEffects(2, 0xFFFFFF, 5), e.ASM_ColorXEffects(3, 0xFFFFFF, 6);
       }},
      {"--glow #C8FF00 1 --glow-up back 2 --glow-down #000000 3 --glow-left #000000 4 --glow-right #000000 6",
       [](E& e) {
         e.ASM_ColorXEffects(4, 0x00FFC8, 0), e.ASM_ColorXEffects(5, 0, 2), e.ASM_ColorXEffects(6, 0, 4);
         e.ASM_ColorXEffects(7, 0, 6), e.ASM_ColorXEffects(8, 0, 10);
       }},
      {"--ring 1:centre=5,6 --rotate 30 --rotate -40:bilinear:centre=3,4:fill=#0000FF --magnify 1.5:bilinear",
       [](E& e) {
         e.ASM_ColorXEffects(9, 0xFFFFFF, 1, 5, 6), e.ASM_Rotate(30, false, false, -1);
         e.ASM_Rotate(-40, true, false, 0xFF0000, 3, 4), e.ASM_Magnify(1.5f, {}, {}, -1, -1);
       }},
      {"--magnify 0.5:fill=#FF0000:centre=2,3 --undo --noise 2 --reset",
       [](E& e) { e.ASM_Magnify(0.5f, 2, 3, 0, 0x0000FF), e.UndoLast(), e.ASM_PalEffects(10, 2, -1), e.ResetPic(); }},
      {"--pal 8 -20:colour=#00FF00 --incremental 10 3 --pixel 0 4 --colorx 9 colorref=-1 2:centre=4,4",
       [](E& e) {
         e.ASM_PalEffects(8, -20, 0x00FF00), e.ASM_IncrementalPalEffects(10, 3), e.ASM_PixelEffects(0, 4, -1);
         e.ASM_ColorXEffects(9, -1, 2, 4, 4);
       }},
      // With a seed the noise starts from it; the dots above follow the clock it sets.
      {"--noise 3 --seed 99", [](E& e) { e.ASM_PalEffects(10, 3, -1, 99u); }},
  };
  std::string allChains;
  for (const auto& c : cases) {
    allChains += std::string(c.chain) + " ";
    const Surface expected = Direct(picture, c.direct, 0, 7);  // 7: the seed of the chain with dots
    ASSERT_EQ(Run(c.chain, Out("out.png")), fx::kSuccess) << c.chain << err.str();
    EXPECT_EQ(ReadBack(Out("out.png")), expected) << c.chain;
  }
  for (const fx::Effect& e : fx::Effects()) {
    const std::string option = "--" + std::string(e.name);
    EXPECT_TRUE(allChains.find(option + " ") != std::string::npos ||
                allChains.find(option + ":") != std::string::npos) << e.name;
  }
}

// The same seed, the same dots and noise; another seed, others.
TEST_F(Fx, ASeedRepeatsTheDotsAndTheNoise) {
  const auto run = [&](const char* seed) {
    EXPECT_EQ(Run({input, "--dots", "40", "--noise", "1", "--seed", seed, "-o", Out("seeded.bmp")}), fx::kSuccess);
    return ReadBack(Out("seeded.bmp"));
  };
  EXPECT_EQ(run("5"), run("5"));
  EXPECT_NE(run("5"), run("6"));
}

// A picture of more than 2 MiB, in memory of huge pages, rows converted four
// pixels at a time and padded, comes out as the engine draws it, as BMP and
// as PNG.
TEST_F(Fx, ABigPictureComesOutAsTheEngineDrawsIt) {
  const Surface big = SamplePicture(1001, 560);
  const std::string in = folder.Write("big.bmp", AsString(EncodeBmp(big)));
  const Surface expected = Direct(big, [](Tidelight_C& e) {
    e.ASM_PalEffects(7, 40, -1), e.ASM_Rotate(30, true, false, -1), e.ASM_PixelEffects(5, 2, -1);
  });
  for (const char* out : {"big-out.bmp", "big-out.png"}) {
    ASSERT_EQ(Run({in, "--darker", "40", "--rotate", "30:bilinear", "--swirl", "180", "-o", Out(out)}),
              fx::kSuccess) << err.str();
    EXPECT_TRUE(ReadBack(Out(out)) == expected) << out;
  }
}

// "back" is the background colour, which the engine's painting takes as it comes.
TEST_F(Fx, BackIsTheBackgroundColour) {
  ASSERT_EQ(Run({input, "--background", "#102030", "--rotate", "30:fill=back", "--lines-across", "5:colour=back",
                 "-o", Out("back.png")}),
            fx::kSuccess) << err.str();
  const Surface expected = Direct(picture, [](Tidelight_C& e) {
    e.ASM_Rotate(30, false, false, -1), e.ASM_ColorXEffects(1, 0x302010, 5);
  }, 0x102030);
  EXPECT_EQ(ReadBack(Out("back.png")), expected);
}

// INPUT and the options anywhere; a BMP as well as a PNG.
TEST_F(Fx, InputAndOptionsMayComeInAnyOrder) {
  const std::vector<std::vector<std::string>> orders = {
      {input, "--invert", "--undo", "-o", Out("a.png")},
      {"-o", Out("a.bmp"), "--invert", input, "--undo"},
      {"--invert", "--output", Out("b.png"), "--undo", input},
  };
  for (const auto& args : orders) {
    ASSERT_EQ(Run(args), fx::kSuccess) << err.str();
    EXPECT_EQ(ReadBack(Out(args == orders[0] ? "a.png" : args == orders[1] ? "a.bmp" : "b.png")), picture);
  }
}

TEST_F(Fx, EveryExampleRuns) {
  for (const fx::Effect& e : fx::Effects())
    EXPECT_EQ(Run(std::string(e.example), Out("example.png")), fx::kSuccess) << e.name << err.str();
}

TEST_F(Fx, ReadsGifJpegAndBmpToo) {
  const Surface flat = PalettePicture(20, 10);
  const std::string gif = folder.Write("in.gif", AsString(GifFile(flat)));
  ASSERT_EQ(Run({gif, "--invert", "--undo", "-o", Out("gif.png")}), fx::kSuccess) << err.str();
  EXPECT_EQ(ReadBack(Out("gif.png")), flat);
  const std::string jpeg = folder.Write("in.jpg", AsString(codec::EncodeJpeg(flat, 90).value()));
  ASSERT_EQ(Run({jpeg, "--grey", "-o", Out("jpeg.bmp")}), fx::kSuccess) << err.str();
  const std::string bmp = folder.Write("in.bmp", AsString(EncodeBmp(flat)));
  ASSERT_EQ(Run({bmp, "-o", Out("bmp.png")}), fx::kSuccess) << err.str();
  EXPECT_EQ(ReadBack(Out("bmp.png")), flat);
}

// --help shows every effect with its line, in 78 columns; it and the other
// answers win wherever they stand.
TEST_F(Fx, HelpVersionAndListSucceedWithoutFiles) {
  EXPECT_EQ(Run(std::vector<std::string>{"--darker", "--help"}), fx::kSuccess);
  const std::string help = out.str();
  for (const fx::Effect& e : fx::Effects()) {
    const std::string usage = e.Usage();
    const std::string line = "  --" + std::string(e.name) + (usage.empty() || usage.starts_with("[") ? "" : " ") + usage;
    EXPECT_NE(help.find(line + "\n      " + std::string(e.summary).substr(0, 40)), std::string::npos) << e.name;
  }
  std::istringstream lines(help);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 78u) << line;
  EXPECT_EQ(Run(std::vector<std::string>{"--version"}), fx::kSuccess);
  EXPECT_EQ(out.str(), "tidelight-fx 1.00\n");
  EXPECT_EQ(Run(std::vector<std::string>{"--list"}), fx::kSuccess);
  const std::string list = out.str();
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), std::ssize(fx::Effects()));
  EXPECT_NE(list.find("darker\tAMOUNT\tASM_PalEffects opcode 7\t"), std::string::npos);
}

// Usage errors: status 2, a message in the tool's words, and nothing
// written or changed.
TEST_F(Fx, UsageErrorsSayWhatIsWrongAndWriteNothing) {
  folder.Write("kept.png", "the old output");
  const std::string kept = Out("kept.png");
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{}, "no input picture given"},
      {{input}, "no output given: add -o FILE.png or -o FILE.bmp"},
      {{input, "-o"}, "-o needs FILE"},
      {{input, "-o", kept, "-o", Out("other.png")}, "two outputs given"},
      {{input, input, "-o", kept}, "two input pictures given"},
      {{input, "--rotate", "30", "bilinear", "-o", kept},
       "(an effect's optional parts follow it after a colon: --rotate 30:bilinear)"},
      {{input, "--blur", "-o", kept}, "unknown option '--blur'"},
      {{input, "-x", "-o", kept}, "unknown option '-x'"},
      {{input, "--darker", "-o", kept}, "--darker needs AMOUNT (a whole number from 0 to 255)"},
      {{input, "--darker", "256", "-o", kept}, "--darker: AMOUNT '256' must be a whole number from 0 to 255"},
      {{input, "--glow", "white", "2", "-o", kept}, "--glow: COLOUR 'white' must be a colour"},
      {{input, "--rotate", "30:cubic", "-o", kept}, "--rotate: unknown part 'cubic'"},
      {{input, "--rotate:bilinear", "30", "-o", kept}, "--rotate: its parts follow its ANGLE"},
      {{input, "--invert:fill=#000000", "-o", kept}, "it takes no parts"},
      {{input, "--invert", "-o", Out("kept.jpg")}, "must end in .png or .bmp"},
      {{input, "--background", "back", "-o", kept}, "--background 'back' must be a colour"},
      {{input, "--seed", "1", "--seed", "2", "-o", kept}, "--seed is given twice"},
      // A valid effect before an invalid one does not run either.
      {{input, "--invert", "--lighter", "x", "-o", kept}, "--lighter: AMOUNT 'x'"},
  };
  for (const auto& c : cases) {
    std::string shown;
    for (const auto& a : c.args) shown += a + " ";
    EXPECT_EQ(Run(c.args), fx::kUsageError) << shown;
    EXPECT_EQ(err.str().rfind("tidelight-fx: ", 0), 0u) << err.str();
    EXPECT_NE(err.str().find(c.message), std::string::npos) << shown << "\n" << err.str();
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
    EXPECT_EQ(Run({Out(name), "--invert", "-o", Out("kept.png")}), fx::kFileError) << name;
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
  ASSERT_EQ(Run({in, "--invert", "--invert", "-o", Out("出力 ✓.png")}), fx::kSuccess) << err.str();
  EXPECT_EQ(ReadBack(Out("出力 ✓.png")), picture);
}

}  // namespace
}  // namespace tl::test
