#include "backends/x11/x11_media.h"

#include <gst/gst.h>

#include <atomic>
#include <cstdio>

#include "backends/host/host_files.h"
#include "toolkit/mci_words.h"

namespace tl {

namespace {
// MCIERR_FILE_NOT_FOUND: an open of a file that cannot be read.
constexpr uint32_t kFileNotFound = 275;
// playbin's flags: audio alone, so a picture inside a music file never
// opens a window.
constexpr guint kAudioOnly = 0x2;
}  // namespace

// One playbin for one file, stopped (set to NULL) and released with it.
class X11Media::Player {
 public:
  Player(const std::string& path, const std::string& sink, bool loop) : path_(path) {
    GError* error = nullptr;
    gchar* uri = gst_filename_to_uri(path.c_str(), &error);
    if (!uri) {
      g_clear_error(&error);
      return;
    }
    uri_ = uri;
    g_free(uri);
    bin_ = gst_element_factory_make("playbin", nullptr);
    if (!bin_) return;
    gst_object_ref_sink(bin_);
    g_object_set(bin_, "uri", uri_.c_str(), "flags", kAudioOnly, nullptr);
    if (!sink.empty()) {
      GstElement* out = gst_parse_bin_from_description(sink.c_str(), TRUE, &error);
      g_clear_error(&error);
      if (out) g_object_set(bin_, "audio-sink", out, nullptr);
    }
    if (loop) {
      // The same file again as a run is about to finish: no gap, no bus to watch.
      g_signal_connect(bin_, "about-to-finish", G_CALLBACK(+[](GstElement* bin, gpointer self) {
                         g_object_set(bin, "uri", static_cast<Player*>(self)->uri_.c_str(), nullptr);
                       }),
                       this);
    }
    // The end and the first error are noted as they come, from GStreamer's
    // threads; every message is dropped, so none piles up unread.
    GstBus* bus = gst_element_get_bus(bin_);
    gst_bus_set_sync_handler(bus, +[](GstBus*, GstMessage* m, gpointer self) {
      static_cast<Player*>(self)->Note(m);
      return GST_BUS_DROP;
    }, this, nullptr);
    gst_object_unref(bus);
  }
  ~Player() {
    if (!bin_) return;
    gst_element_set_state(bin_, GST_STATE_NULL);
    gst_object_unref(bin_);
  }
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  bool ok() const { return bin_ != nullptr; }

  bool Play(bool fromStart) {
    // A file that failed (no decoder, no audio device, not music) would
    // only fail again.
    if (failed_) return false;
    if (fromStart) {
      // Back to the file's beginning, whatever the player's state.
      gst_element_set_state(bin_, GST_STATE_READY);
      ended_ = false;
    }
    playing_ = gst_element_set_state(bin_, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
    return playing_;
  }
  void Stop() {
    gst_element_set_state(bin_, GST_STATE_PAUSED);
    playing_ = false;
  }
  // "playing" until the file ends, fails or is stopped.
  std::string Mode() { return playing_ && !ended_ ? "playing" : "stopped"; }

 private:
  void Note(GstMessage* m) {
    if (GST_MESSAGE_TYPE(m) == GST_MESSAGE_EOS) ended_ = true;
    if (GST_MESSAGE_TYPE(m) != GST_MESSAGE_ERROR) return;
    ended_ = true;
    // Said once: the file is not tried again.
    if (failed_.exchange(true)) return;
    GError* error = nullptr;
    gst_message_parse_error(m, &error, nullptr);
    std::fprintf(stderr, "tidelight: cannot play %s: %s\n", path_.c_str(),
                 error ? error->message : "unknown error");
    g_clear_error(&error);
  }

  GstElement* bin_ = nullptr;
  std::string path_, uri_;
  bool playing_ = false;
  std::atomic<bool> ended_ = false, failed_ = false;
};

X11Media::X11Media(std::string audioSink) : audioSink_(std::move(audioSink)) {}

X11Media::~X11Media() = default;

bool X11Media::Started() {
  if (started_ == 0) {
    started_ = gst_init_check(nullptr, nullptr, nullptr) ? 1 : -1;
    if (started_ < 0) std::fputs("tidelight: GStreamer cannot start; playing no music\n", stderr);
  }
  return started_ > 0;
}

uint32_t X11Media::SendMciCommand(std::string_view command, std::string& reply, uint32_t capacity) {
  std::string answer;
  const uint32_t code = Execute(std::string(command), answer);
  return MciReply(code, answer, capacity, reply);
}

uint32_t X11Media::Execute(const std::string& command, std::string& answer) {
  const std::vector<std::string> w = MciWords(command);
  if (w.size() < 2) return mci_error::kUnrecognizedCommand;
  const std::string verb = MciLower(w[0]);
  if (verb == "open") {
    const MciOpen open = MciOpenOf(w);
    if (open.type != "mpegvideo" || !Started()) return mci_error::kCannotLoadDriver;
    if (aliases_.contains(open.alias)) return mci_error::kDuplicateAlias;
    if (!host::CanOpenForReading(open.file)) return kFileNotFound;
    auto player = std::make_unique<Player>(open.file, audioSink_, false);
    if (!player->ok()) return kFileNotFound;
    aliases_[open.alias] = std::move(player);
    return 0;
  }
  const auto a = aliases_.find(MciLower(w[1]));
  if (a == aliases_.end())
    return MciLower(w[1]) == "cdaudio" ? mci_error::kCannotLoadDriver : mci_error::kInvalidDeviceName;
  Player& p = *a->second;
  const std::string rest = w.size() > 2 ? MciLower(w[2]) : "";
  if (verb == "play") {
    const bool from = rest == "from" && w.size() > 3;
    if (from && w[3] != "0") return mci_error::kOutOfRange;  // only the beginning is asked for
    return p.Play(from) ? 0 : mci_error::kCannotLoadDriver;
  }
  if (verb == "stop") {
    p.Stop();
    return 0;
  }
  if (verb == "close") {
    aliases_.erase(a);
    return 0;
  }
  if (verb == "status" && rest == "mode" && w.size() == 3) {
    answer = p.Mode();
    return 0;
  }
  return mci_error::kUnrecognizedCommand;
}

std::optional<std::string> X11Media::MciErrorText(uint32_t code, uint32_t capacity) {
  const auto texts = MciErrorTexts();
  const auto t = texts.find(code);
  if (t == texts.end() || capacity == 0) return std::nullopt;
  return MciTextInBuffer(t->second, capacity);
}

int32_t X11Media::PlaySoundFile(std::string_view path, uint32_t flags) {
  // A new sound replaces the one playing, as the system's player does.
  sound_.reset();
  if (!Started()) return 0;
  auto player = std::make_unique<Player>(std::string(path), audioSink_, (flags & sound_flags::kLoop) != 0);
  if (!player->ok() || !player->Play(false)) return 0;
  sound_ = std::move(player);
  return 1;
}

int32_t X11Media::StopSound() {
  sound_.reset();
  return 1;
}

void X11Media::StopAll() {
  aliases_.clear();
  sound_.reset();
}

uint32_t X11Media::WaveOutDeviceCount() { return Started() ? 1 : 0; }

}  // namespace tl
