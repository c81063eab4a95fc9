#include "backends/win32/win32_media.h"

#include <windows.h>
#include <mmsystem.h>

#include "backends/win32/wide_text.h"

namespace tl {

namespace {
using win32::Narrow;
using win32::Wide;

static_assert(sound_flags::kAsync == SND_ASYNC && sound_flags::kNoDefault == SND_NODEFAULT &&
              sound_flags::kLoop == SND_LOOP && sound_flags::kFilename == SND_FILENAME);

std::string UpToNul(const std::wstring& buffer) {
  return Narrow(std::wstring_view(buffer.c_str()));
}
}  // namespace

uint32_t Win32Media::SendMciCommand(std::string_view command, std::string& reply,
                                    uint32_t capacity) {
  reply.clear();
  const std::wstring wide = Wide(command);
  if (capacity == 0) return mciSendStringW(wide.c_str(), nullptr, 0, nullptr);
  std::wstring buffer(capacity, L'\0');
  const MCIERROR code = mciSendStringW(wide.c_str(), buffer.data(), capacity, nullptr);
  if (code == 0) reply = UpToNul(buffer);
  return code;
}

std::optional<std::string> Win32Media::MciErrorText(uint32_t code, uint32_t capacity) {
  std::wstring buffer(capacity, L'\0');
  if (capacity == 0 || !mciGetErrorStringW(code, buffer.data(), capacity)) return std::nullopt;
  return UpToNul(buffer);
}

int32_t Win32Media::PlaySoundFile(std::string_view path, uint32_t flags) {
  return PlaySoundW(Wide(path).c_str(), nullptr, flags);
}

int32_t Win32Media::StopSound() { return PlaySoundW(nullptr, nullptr, 0); }

uint32_t Win32Media::WaveOutDeviceCount() { return waveOutGetNumDevs(); }

}  // namespace tl
