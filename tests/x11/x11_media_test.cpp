// The x11 back end's music: the MCI commands the program sends, played by
// GStreamer into a file sink that the tests read, in real time.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "backends/x11/x11_media.h"

namespace tl::test {
namespace {

namespace fs = std::filesystem;
constexpr long kSecond = 44100 * 4;  // bytes of one second in the sink

// A one-second tone as a 16-bit stereo WAV file.
void WriteTone(const fs::path& path) {
  std::ofstream f(path, std::ios::binary);
  auto put32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
  auto put16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
  f << "RIFF";
  put32(36 + kSecond);
  f << "WAVEfmt ";
  put32(16), put16(1), put16(2), put32(44100), put32(kSecond), put16(4), put16(16);
  f << "data";
  put32(kSecond);
  for (int i = 0; i < 44100; ++i) {
    const auto s = static_cast<int16_t>(8000 * std::sin(i * 2 * 3.14159265 * 440 / 44100));
    put16(static_cast<uint16_t>(s)), put16(static_cast<uint16_t>(s));
  }
}

class X11Music : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("tidelight-music-" + std::to_string(getpid()));
    fs::create_directories(dir);
    wav = dir / "tone one.wav";  // a blank in the name, as users have
    WriteTone(wav);
    sink = dir / "sink.raw";
  }
  void TearDown() override { fs::remove_all(dir); }

  // The sound's way out: raw samples into the sink file, in real time.
  std::string Sink() const {
    return "audioconvert ! audioresample ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! "
           "filesink sync=true append=true location=\"" + sink.string() + "\"";
  }
  long SinkBytes() const {
    struct stat s{};
    return stat(sink.c_str(), &s) == 0 ? static_cast<long>(s.st_size) : 0;
  }
  static bool Within(int seconds, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
  }
  uint32_t Send(X11Media& m, const std::string& command, std::string* reply = nullptr) {
    std::string r;
    const uint32_t code = m.SendMciCommand(command, r, reply ? 30 : 0);
    if (reply) *reply = r;
    return code;
  }

  fs::path dir, wav, sink;
};

TEST_F(X11Music, AFileOpenedAsMpegVideoPlaysEndsAndPlaysAgainFromTheStart) {
  X11Media m(Sink());
  const std::string open = "open \"" + wav.string() + "\" type MPEGVideo Alias MP3Play";
  ASSERT_EQ(Send(m, open), 0u);
  EXPECT_EQ(Send(m, open), uint32_t{mci_error::kDuplicateAlias});
  std::string mode;
  ASSERT_EQ(Send(m, "play MP3Play"), 0u);
  EXPECT_EQ(Send(m, "status MP3Play mode", &mode), 0u);
  EXPECT_EQ(mode, "playing");
  ASSERT_TRUE(Within(10, [&] { return Send(m, "status MP3Play mode", &mode) == 0 && mode == "stopped"; }))
      << "the end of the file was never seen";
  const long once = SinkBytes();
  EXPECT_GT(once, kSecond * 9 / 10);
  EXPECT_LT(once, kSecond * 3 / 2) << "it went on past its end";
  ASSERT_EQ(Send(m, "stop MP3Play"), 0u);
  ASSERT_EQ(Send(m, "play MP3Play from 0"), 0u);
  ASSERT_TRUE(Within(10, [&] { return SinkBytes() > once + kSecond / 2; })) << "no sound after the restart";
  ASSERT_EQ(Send(m, "close MP3Play"), 0u);
  const long closed = SinkBytes();
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_LT(SinkBytes() - closed, kSecond / 10) << "sound after the close";
  EXPECT_EQ(Send(m, "status MP3Play mode", &mode), uint32_t{mci_error::kInvalidDeviceName});
}

TEST_F(X11Music, TheSoundPlayerLoopsUntilStopped) {
  X11Media m(Sink());
  EXPECT_EQ(m.WaveOutDeviceCount(), 1u);
  ASSERT_EQ(m.PlaySoundFile(wav.string(), sound_flags::kAsync | sound_flags::kLoop), 1);
  ASSERT_TRUE(Within(15, [&] { return SinkBytes() > kSecond * 5 / 2; })) << "the file did not loop";
  EXPECT_EQ(m.StopSound(), 1);
  const long stopped = SinkBytes();
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_LT(SinkBytes() - stopped, kSecond / 10) << "sound after the stop";
}

TEST_F(X11Music, WhatLinuxCannotPlayAnswersAsWindowsDoes) {
  X11Media m(Sink());
  const struct {
    std::string command;
    uint32_t code;
  } cases[] = {
      {"open cdaudio shareable", mci_error::kCannotLoadDriver},  // no CD drives on Linux
      {"status cdaudio mode", mci_error::kCannotLoadDriver},
      {"open \"" + wav.string() + "\" type waveaudio alias w", mci_error::kCannotLoadDriver},
      {"open \"" + (dir / "missing.mp3").string() + "\" type MPEGVideo Alias MP3Play", 275},
      {"play nothing", mci_error::kInvalidDeviceName},
      {"play", mci_error::kUnrecognizedCommand},
  };
  for (const auto& c : cases) EXPECT_EQ(Send(m, c.command), c.code) << c.command;
  ASSERT_EQ(Send(m, "open \"" + wav.string() + "\" type MPEGVideo Alias a"), 0u);
  EXPECT_EQ(Send(m, "set a time format ms"), uint32_t{mci_error::kUnrecognizedCommand});
  EXPECT_EQ(m.MciErrorText(mci_error::kCannotLoadDriver, 256),
            "The specified device driver cannot be loaded.");
}

TEST_F(X11Music, AFileThatIsNotMusicIsSaidOnceAndNotPlayedAgain) {
  const fs::path text = dir / "notes.mp3";
  std::ofstream(text) << "these are words, not sound\n";
  X11Media m(Sink());
  ::testing::internal::CaptureStderr();
  ASSERT_EQ(Send(m, "open \"" + text.string() + "\" type MPEGVideo Alias MP3Play"), 0u);
  Send(m, "play MP3Play");
  std::string mode;
  ASSERT_TRUE(Within(10, [&] { return Send(m, "status MP3Play mode", &mode) == 0 && mode == "stopped"; }));
  EXPECT_NE(Send(m, "play MP3Play from 0"), 0u) << "it would only fail again";
  EXPECT_NE(Send(m, "play MP3Play from 0"), 0u);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_TRUE(said.starts_with("tidelight: cannot play " + text.string() + ": ")) << said;
}

}  // namespace
}  // namespace tl::test
