#pragma once
// Win32 back end of the multimedia seam, thin calls into winmm:
// mciSendStringW, mciGetErrorStringW, PlaySoundW, waveOutGetNumDevs. Texts
// and paths travel as UTF-16, so a file outside the ANSI code page plays.
#include "toolkit/media.h"

namespace tl {

class Win32Media : public Media {
 public:
  uint32_t SendMciCommand(std::string_view command, std::string& reply,
                          uint32_t capacity) override;
  std::optional<std::string> MciErrorText(uint32_t code, uint32_t capacity) override;
  int32_t PlaySoundFile(std::string_view path, uint32_t flags) override;
  int32_t StopSound() override;
  uint32_t WaveOutDeviceCount() override;
};

}  // namespace tl
