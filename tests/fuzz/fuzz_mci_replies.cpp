// The CD supervision against a drive that answers anything: replies, error
// codes and modes chosen by the input. It never crashes, and once the drive
// stops answering, nothing more is sent.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "backends/headless/headless_media.h"
#include "music/music_session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  tl::HeadlessMedia m;
  auto& cd = m.Cd();
  cd.present = in.ConsumeBool();
  cd.currentTrack = in.ConsumeRandomLengthString(20);
  cd.numberOfTracks = in.ConsumeRandomLengthString(20);
  cd.mode = in.ConsumeRandomLengthString(20);
  for (int t = 0; t < 3; ++t)
    cd.trackPositions[in.ConsumeIntegral<int8_t>()] = in.ConsumeRandomLengthString(20);
  if (in.ConsumeBool())
    m.failures["status cdaudio mode"] = in.ConsumeIntegralInRange<uint32_t>(256, 300);
  m.errorTexts[in.ConsumeIntegralInRange<uint32_t>(256, 300)] = in.ConsumeRandomLengthString(300);

  tl::SettingsRecord s;
  s.MusicKind = 1;
  s.RepeatTrack = in.ConsumeIntegral<int16_t>();
  int32_t last = 0;
  tl::MusicSession session(m, last);
  session.Start(s);
  for (int tick = 0; tick < 8 && in.remaining_bytes() > 0; ++tick) {
    cd.mode = in.ConsumeRandomLengthString(12);
    cd.currentTrack = in.ConsumeRandomLengthString(8);
    const size_t before = m.sent.size();
    const bool supervised = session.CdSupervised();
    session.CdTick();
    if (!supervised && m.sent.size() != before) std::abort();
  }
  session.Close();
  return 0;
}
