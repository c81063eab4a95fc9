#pragma once
// The module-wide values of the program, alive for the whole run: the
// settings record and the values that several subsystems share.
#include <cstdint>
#include <string>

#include "shared/ui_texts.h"

namespace tl {

struct SettingsRecord {
  int16_t MusicKind = 0;    // 0 none, 1 audio CD, 2 music file
  int16_t RepeatTrack = 0;  // CD track to repeat, 0 none
  std::string MusicFile;    // UTF-8
  int16_t FadeDepth = 0;
  int32_t FadeSpeed = 0;
};

// Zero or empty at program start; the language is chosen once at start-up.
struct BaseModule {
  SettingsRecord settings;
  UiLanguage language = UiLanguage::Japanese;
  int32_t CursorCount = 0;
  int16_t CursorX = 0, CursorY = 0;
  int32_t LastApiResult = 0;
  bool TransitionRunning = false;
  int32_t LastStepTick = 0;
  int32_t StepInterval = 0;
  // A music file found not playing is tried again every second (Windows);
  // false: once a restart fails it is left alone (Linux, where the back end
  // said why).
  bool MusicRetriesFailures = true;
};

}  // namespace tl
