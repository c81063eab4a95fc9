#include "controls/command.h"

#include <limits>

#include "controls/command_face.h"

namespace tl {

namespace {

constexpr std::string_view kCaptionWritten = "Command", kCaptionRead = "Command1";

// The face's size in twips as a 16-bit value; a size that does not fit reads
// as 0, as a failed assignment leaves it.
int16_t Twips16(int32_t px, int32_t tpp) {
  const int64_t t = int64_t{px} * tpp;
  return t > std::numeric_limits<int16_t>::max() ? 0 : static_cast<int16_t>(t);
}

}  // namespace

Command::Command(Platform& p, ControlHost& host, const TwipRect& at)
    : p_(p), host_(host), at_(at), pictures_(DrawStatePictures()), face_(p, true) {
  LblMsg.caption = std::string(kCaptionWritten);
  LblMsg.font = std::make_shared<Font>(DesignFont());
  LblMsg.alignment = TextAlign::Centre;
  LblMsg.left = 0;
  LblMsg.top = 90;
  LblMsg.width = 1635;
  LblMsg.height = kLabelHeight;
  face_.backColor = kBackColour;
  face_.scaleMode = ScaleMode::Twips;
  const Rect r = PixelRect(at, p.screen.TwipsPerPixelX(), p.screen.TwipsPerPixelY());
  face_.Resize(r.Width(), r.Height());
  shown_ = face_.Pixels();
  if (Window* host_window = host.HostWindow())
    window_ = p.windows.OpenWindow({"", WindowKind::Control, r, host_window->Handle(), kBackColour}, *this);
  Present();
}

Command::~Command() = default;

void Command::Load(const PropertyBag* stored) {
  // A button placed new keeps its created values until its Enabled is first read.
  if (stored) ReadProperties(*stored);
  Resized();
}

void Command::Move(const TwipRect& at) {
  const Rect r = PixelRect(at, p_.screen.TwipsPerPixelX(), p_.screen.TwipsPerPixelY());
  // The same twips at another resolution are another size too.
  const bool resized = at.width != at_.width || at.height != at_.height ||
                       r.Width() != face_.PixelWidth() || r.Height() != face_.PixelHeight();
  at_ = at;
  if (window_) window_->Move(r);
  if (!resized) return;
  face_.Resize(r.Width(), r.Height());
  shown_ = face_.Pixels();
  Resized();
}

void Command::Resized() { ShowEnabledLook(); }

// --- painting ---

void Command::DrawFace(StatePicture picture) {
  switch (input_.ButtonState()) {
    case button_state::kNormal: gradientFlip_ = false; break;
    case button_state::kHover: gradientFlip_ = true; break;
    case button_state::kFocused: gradientFlip_ = false; break;
    default: break;  // keeps the orientation of the draw before
  }
  const int32_t tx = p_.screen.TwipsPerPixelX(), ty = p_.screen.TwipsPerPixelY();
  const int16_t w = Twips16(face_.PixelWidth(), tx), h = Twips16(face_.PixelHeight(), ty);
  face_.Pixels().Fill(face_.backColor);
  FillGradient(face_, gradientFlip_);
  PaintFramePieces(face_.Pixels(), pictures_[static_cast<size_t>(picture)], w, h, tx, ty);
  // The caption centred across the face, 10 twips above its middle.
  LblMsg.top = static_cast<float>((h - LblMsg.height - 20) / 2);
  LblMsg.left = 0;
  LblMsg.width = w;
  lastPicture_ = picture;
  Present();
}

void Command::Present() {
  shown_ = face_.Pixels();
  LblMsg.Draw(shown_, p_);
  if (window_) window_->Present(shown_, shown_.Bounds());
}

void Command::ShowEnabledLook() {
  if (enabled_) {
    LblMsg.enabled = true;
    DrawFace(StatePicture::Normal);
  } else {
    LblMsg.enabled = false;
    DrawFace(StatePicture::Disable);
  }
}

void Command::RefreshNormal() {
  if (!enabled_) return;
  LblMsg.enabled = true;
  if (firstRun_ == 0) LblMsg.foreColour = 0;
  DrawFace(StatePicture::Normal);
}

// --- properties ---

void Command::SetCaption(std::string caption) {
  LblMsg.caption = std::move(caption);
  Present();
  host_.PropertyChanged("Caption");
}

bool Command::Enabled() {
  if (firstRun_ == 0) {
    // The one-time default initialisation of a button placed new.
    RefreshNormal();
    firstRun_ = 1;
    enabled_ = true;
  }
  const bool value = enabled_;
  ShowEnabledLook();
  return value;
}

void Command::SetEnabled(bool enabled) {
  enabled_ = enabled;
  host_.PropertyChanged("Enabled");
  ShowEnabledLook();
}

void Command::SetFont(std::shared_ptr<Font> font) {
  if (!font) return;  // nothing to assign: the step fails
  LblMsg.font = std::move(font);
  Present();
  host_.PropertyChanged("Font");
}

uint32_t Command::FontColour() {
  const uint32_t colour = LblMsg.foreColour;
  RefreshNormal();
  return colour;
}

void Command::SetFontColour(uint32_t colour) {
  if (colour > 0xFFFFFF) {
    // Not a colour: the assignment fails and nothing is reported.
    RefreshNormal();
    return;
  }
  LblMsg.foreColour = colour;
  RefreshNormal();
  host_.PropertyChanged("FontColour");
}

uint8_t Command::Visible() {
  if (backStyle_ != 1) return 0;
  RefreshNormal();
  return 255;
}

void Command::SetVisible(uint8_t visible) {
  if (visible != 0) {
    backStyle_ = 1;
    RefreshNormal();
  } else {
    backStyle_ = 0;
  }
  host_.PropertyChanged("Visible");
}

void Command::Initialize() {
  input_.Initialize();
  if (window_) window_->StartTimer(kTmrMouse, kTmrMouseInterval);
}

// --- the property bag ---

void Command::ReadProperties(const PropertyBag& bag) {
  // Each step reads its key or its default; a value that does not convert
  // leaves the property as it was and the next step runs.
  if (const PropertyValue* v = bag.Read("Enabled")) {
    if (auto b = AsBoolean(*v)) enabled_ = *b;
  } else {
    enabled_ = true;
  }
  if (const PropertyValue* v = bag.Read("Caption")) {
    if (auto s = AsText(*v)) LblMsg.caption = *s;
  } else {
    LblMsg.caption = std::string(kCaptionRead);
  }
  // Only the face name of a stored font reaches the caption's own font.
  if (const PropertyValue* v = bag.Read("Font")) {
    if (auto s = AsText(*v)) LblMsg.font->name = *s;
  } else {
    LblMsg.font->name = host_.AmbientFont().name;
  }
  if (const PropertyValue* v = bag.Read("FirstRun")) {
    if (auto n = AsInteger(*v); n && *n >= 0 && *n <= 255) firstRun_ = static_cast<uint8_t>(*n);
  } else {
    firstRun_ = 1;
  }
  if (const PropertyValue* v = bag.Read("FontColour")) {
    if (auto n = AsInteger(*v); n && *n >= 0 && *n <= 0xFFFFFF) LblMsg.foreColour = static_cast<uint32_t>(*n);
  } else {
    LblMsg.foreColour = 0;
  }
  if (const PropertyValue* v = bag.Read("Visible")) {
    if (auto n = AsInteger(*v); n && (*n == 0 || *n == 1)) backStyle_ = static_cast<uint8_t>(*n);
  } else {
    backStyle_ = 1;
  }
  RefreshNormal();
}

void Command::WriteProperties(PropertyBag& bag) {
  // A value equal to its default is not stored.
  const auto put = [&](std::string_view key, bool isDefault, PropertyValue value) {
    if (isDefault) bag.Remove(key); else bag.Write(key, std::move(value));
  };
  put("Enabled", enabled_, enabled_);
  put("Caption", LblMsg.caption == kCaptionWritten, LblMsg.caption);
  put("FirstRun", firstRun_ == 1, int64_t{firstRun_});
  const Font ambient = host_.AmbientFont();
  put("Font", *LblMsg.font == ambient, *LblMsg.font);
  put("FontColour", LblMsg.foreColour == 0, int64_t{LblMsg.foreColour});
  put("Visible", backStyle_ == 1, int64_t{backStyle_});
  RefreshNormal();
}

// --- input ---

void Command::Apply(const InputOutcome& outcome) {
  if (outcome.paint) DrawFace(*outcome.paint);
  // Last: the host may destroy the button in its handler.
  if (outcome.click && Click) Click();
}

void Command::OnButtonDown(MouseButton button, int32_t, int32_t) {
  if (!enabled_) return;
  Apply(input_.Pressed(button));
}

void Command::OnButtonUp(MouseButton button, int32_t, int32_t) {
  if (!enabled_) return;
  Apply(input_.Released(button));
}

void Command::OnMouseMove(int32_t, int32_t) {
  if (!enabled_) return;
  Apply(input_.PointerMoved());
}

void Command::OnFocus(bool gained) {
  if (!enabled_) return;
  Apply(gained ? input_.FocusGained() : input_.FocusLost());
}

void Command::OnTimer(int32_t timerId) {
  if (timerId == kTmrMouse) PointerWatch();
}

void Command::PointerLeft() {
  if (!enabled_) return;
  Apply(input_.PointerLeft());
}

void Command::PointerWatch() {
  int32_t x = 0, y = 0;
  if (!p_.screen.CursorPosition(x, y)) x = y = 0;
  const NativeHandle under = p_.windows.WindowAt(x, y);
  Window* host = host_.HostWindow();
  const NativeHandle hostHandle = host ? host->Handle() : 0;
  const NativeHandle own = window_ ? window_->Handle() : 0;
  // Over the host itself, another of its controls or outside it: the pointer
  // has left. The caption has no window, so over it counts as over the button.
  if (under == hostHandle)
    PointerLeft();
  else if (under != own)
    PointerLeft();
}

}  // namespace tl
