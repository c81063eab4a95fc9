#pragma once
// The seam to the multimedia system: command strings for the Media Control
// Interface, the system sound player and the wave-output device count.
// The win32 back end passes every call straight to winmm; the headless back
// end simulates the devices and records every call.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tl {

// PlaySound flags, with the values Windows gives them so the win32 back end
// hands them on unchanged.
namespace sound_flags {
inline constexpr uint32_t kAsync = 0x0001;
inline constexpr uint32_t kNoDefault = 0x0002;
inline constexpr uint32_t kLoop = 0x0008;
inline constexpr uint32_t kFilename = 0x00020000;
}  // namespace sound_flags

// MCI error codes the program or its tests name (MCIERR_BASE is 256).
namespace mci_error {
inline constexpr uint32_t kUnrecognizedCommand = 261;
inline constexpr uint32_t kInvalidDeviceName = 263;
inline constexpr uint32_t kCannotLoadDriver = 266;
inline constexpr uint32_t kParamOverflow = 274;
inline constexpr uint32_t kOutOfRange = 282;
inline constexpr uint32_t kDuplicateAlias = 289;
}  // namespace mci_error

class Media {
 public:
  virtual ~Media() = default;

  // Sends one MCI command (UTF-8) without a callback window. With a capacity
  // above 0 the device may answer into a buffer of that many characters; the
  // answer (up to its first NUL) lands in reply, which is emptied first so a
  // failed command never leaves an older answer behind. With capacity 0 no
  // buffer is given and reply is only emptied. Returns the MCI error code, 0
  // for success.
  virtual uint32_t SendMciCommand(std::string_view command, std::string& reply,
                                  uint32_t capacity) = 0;
  // The system's text for an MCI error code, read into a buffer of capacity
  // characters; nullopt when the system has none.
  virtual std::optional<std::string> MciErrorText(uint32_t code, uint32_t capacity) = 0;

  // Plays a sound file (UTF-8 path) with the given sound_flags; returns the
  // system's result (non-zero for success).
  virtual int32_t PlaySoundFile(std::string_view path, uint32_t flags) = 0;
  // Stops any sound this process plays; returns the system's result.
  virtual int32_t StopSound() = 0;

  // Number of wave-output devices.
  virtual uint32_t WaveOutDeviceCount() = 0;
};

}  // namespace tl
