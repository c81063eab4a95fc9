// Plays music through the real winmm and watches an ALSA file sink to prove
// that sound comes out, loops or restarts, and stops when told.
//   music_probe mp3 <sink> <long.mp3> <short.mp3>
//   music_probe wav <sink> <tone-then-silence.wav>
// Prints one line per check; the exit code is the number of failed checks.
// Waits are polls with generous limits: nothing here measures a duration.
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "music/bgm.h"
#include "shared/base_module.h"
#include "backends/win32/wide_text.h"
#include "backends/win32/win32_media.h"

namespace {

using namespace tl;

int failures = 0;

void Check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!ok) ++failures;
}

// Polls every 100 ms until done() or the limit (in seconds) has passed.
bool PollFor(double limit, const std::function<bool()>& done) {
  for (int i = 0; i < limit * 10; ++i) {
    if (done()) return true;
    Sleep(100);
  }
  return done();
}

class Sink {
 public:
  explicit Sink(std::wstring path) : path_(std::move(path)) {}
  uint64_t Size() const {
    std::error_code ec;
    const auto n = std::filesystem::file_size(path_, ec);
    return ec ? 0 : n;
  }
  std::vector<unsigned char> From(uint64_t offset) const {
    std::ifstream in(std::filesystem::path(path_), std::ios::binary);
    in.seekg(static_cast<std::streamoff>(offset));
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // Bytes that are not silence; the sink holds raw samples, and silence is
  // written as zero bytes whatever the sample format.
  uint64_t AudibleSince(uint64_t offset) const {
    uint64_t n = 0;
    for (unsigned char c : From(offset)) n += c != 0;
    return n;
  }
  // Bursts of sound separated by long runs of silence.
  int BurstsSince(uint64_t offset) const {
    constexpr size_t kGap = 4000, kMinBurst = 2000;
    int bursts = 0;
    size_t zeros = kGap, audible = 0;
    for (unsigned char c : From(offset)) {
      if (c != 0) {
        if (zeros >= kGap) audible = 0;
        zeros = 0;
        if (++audible == kMinBurst) ++bursts;
      } else {
        ++zeros;
      }
    }
    return bursts;
  }
  // After a stop the sound must cease: once the output has drained, a
  // further observation window holds no sound.
  bool FallsSilent() const {
    Sleep(1500);
    const uint64_t from = Size();
    Sleep(2000);
    return AudibleSince(from) == 0;
  }

 private:
  std::wstring path_;
};

void ProbeMp3(Sink& sink, const std::string& longFile, const std::string& shortFile) {
  Win32Media m;
  BaseModule b;
  b.settings.MusicKind = 2;
  b.settings.MusicFile = longFile;
  const uint64_t start = sink.Size();
  BGM_PlayMP3(m, b.settings.MusicFile);
  std::string mode;
  const bool playing = PollFor(20, [&] {
    m.SendMciCommand("status MP3Play mode", mode, kMp3ModeSize);
    return BGM_IsMP3Playing(m);
  });
  Check(playing, "status MP3Play mode answers \"" + mode + "\" for " + longFile);
  const bool sounds = PollFor(20, [&] { return sink.AudibleSince(start) > 20000; });
  Check(sounds, "MP3 sound reaches the sink (" + std::to_string(sink.AudibleSince(start)) +
                    " audible bytes)");
  BGM_CloseMP3(m);
  Check(sink.FallsSilent(), "the sink falls silent after BGM_CloseMP3");
  Check(!BGM_IsMP3Playing(m), "MP3Play is gone after BGM_CloseMP3");

  // A file that ends is restarted by the next Timer1 tick.
  b.settings.MusicFile = shortFile;
  BGM_PlayMP3(m, b.settings.MusicFile);
  Check(PollFor(20, [&] { return BGM_IsMP3Playing(m); }), "the short MP3 plays");
  Check(PollFor(30, [&] { return !BGM_IsMP3Playing(m); }), "the short MP3 reaches its end");
  BGM_RepeatMP3(m);
  Check(PollFor(20, [&] { return BGM_IsMP3Playing(m); }), "BGM_RepeatMP3 plays it again");
  BGM_CloseMP3(m);
}

void ProbeWav(Sink& sink, const std::string& file) {
  Win32Media m;
  BaseModule b;
  b.settings.MusicKind = 2;
  b.settings.MusicFile = file;
  Check(m.WaveOutDeviceCount() > 0,
        "waveOutGetNumDevs answers " + std::to_string(m.WaveOutDeviceCount()));
  const uint64_t start = sink.Size();
  BGM_PlayWave(m, b.settings.MusicFile, b.LastApiResult);
  Check(b.LastApiResult != 0, "PlaySound accepts " + file);
  // The file is one burst of tone and then silence: three bursts in the sink
  // prove that it repeats.
  const bool loops = PollFor(30, [&] { return sink.BurstsSince(start) >= 3; });
  Check(loops, "the WAV loops (" + std::to_string(sink.BurstsSince(start)) + " bursts of tone)");
  BGM_StopWave(m, b.LastApiResult);
  Check(b.LastApiResult != 0, "the stop is accepted");
  Check(sink.FallsSilent(), "the sink falls silent after BGM_StopWave");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"mp3" && argc == 5) {
    Sink sink(argv[2]);
    ProbeMp3(sink, win32::Narrow(argv[3]), win32::Narrow(argv[4]));
  } else if (mode == L"wav" && argc == 4) {
    Sink sink(argv[2]);
    ProbeWav(sink, win32::Narrow(argv[3]));
  } else {
    std::fprintf(stderr, "usage: music_probe mp3 SINK LONG.mp3 SHORT.mp3 | wav SINK FILE.wav\n");
    return 2;
  }
  return failures;
}
