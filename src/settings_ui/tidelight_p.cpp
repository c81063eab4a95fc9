#include "settings_ui/tidelight_p.h"

#include "base/numeric.h"
#include "gfx/raster.h"
#include "settings_ui/dialog_art.h"
#include "settings_ui/repeat_text.h"
#include "settings_ui/shading.h"
#include "shared/settings.h"
#include "shared/window_zoom.h"

namespace tl {

namespace L = dialog_layout;

namespace {

PropertyBag StoredButton(const char* caption, const Font& font) {
  return PropertyBag{{"Caption", std::string(caption)}, {"Font", font.name}};
}

bool Inside(const Rect& r, int32_t x, int32_t y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

Rect Offset(Rect r, int32_t dx, int32_t dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// A one-pixel outline just inside `r`.
void Outline(Surface& s, const Rect& r, uint32_t pixel) {
  FillRect(s, {r.left, r.top, r.right, r.top + 1}, pixel);
  FillRect(s, {r.left, r.bottom - 1, r.right, r.bottom}, pixel);
  FillRect(s, {r.left, r.top, r.left + 1, r.bottom}, pixel);
  FillRect(s, {r.right - 1, r.top, r.right, r.bottom}, pixel);
}

}  // namespace

Tidelight_P::Tidelight_P(Platform& p, BaseModule& b)
    : screen_(p.screen),
      p_{p.files, screen_, p.shell, p.windows, p.media, p.pictures},
      b_(b),
      unmarked_(MarkPicture(false)),
      markedPicture_(MarkPicture(true)) {
  fadeEvents_.dialog = speedEvents_.dialog = this;
  fadeEvents_.label = &fadeLabel_;
  speedEvents_.label = &speedLabel_;
}

Tidelight_P::~Tidelight_P() = default;

TwipRect Tidelight_P::OnDialog(const TwipRect& at) const {
  return {L::kPanel.left + at.left, L::kPanel.top + at.top, at.width, at.height};
}

Rect Tidelight_P::PanelChild(const TwipRect& at) const {
  return Offset(PixelRect(at, tx_, ty_), panelPx_.left, panelPx_.top);
}

Rect Tidelight_P::MarkRect(int16_t kind) const {
  const auto& row = L::kMusicRows[static_cast<size_t>(kind)];
  return PanelChild({row.left, row.top, L::kMarkSize, L::kMarkSize});
}

Rect Tidelight_P::RowLabelRect(int16_t kind) const { return PanelChild(L::MusicRowText(kind, b_.language).at); }

Rect Tidelight_P::LinkRect() const { return PixelRect(L::LinkBox(b_.language), tx_, ty_); }

void Tidelight_P::ShowModal() {
  Show();
  if (!window_ || p_.windows.Ended()) return;
  p_.windows.RunModal(*window_);
}

void Tidelight_P::Show() {
  UsePrimaryMonitorDpi();
  Measure();
  // Made on the primary monitor, so that it is drawn at that monitor's
  // resolution from the start; the load places it.
  WindowSpec spec{L::kTitle, WindowKind::Dialog, {0, 0, clientW_, clientH_}, 0, PixelFromColorRef(L::kBackColour)};
  spec.rectIsClient = true;
  window_ = p_.windows.OpenWindow(spec, *this);
  if (!window_) return;
  SizeSurfaces();
  MakeLabels();
  MakeControls();
  Load();
  if (closed_ || p_.windows.Ended()) return;
  window_->Show();
  // The first display brings the resize notification, which shades.
  Resized();
}

void Tidelight_P::MakeLabels() {
  using L::MakeLabel;
  const UiLanguage lang = b_.language;
  const Font font = L::LabelFont(lang);
  for (auto& t : L::PanelTexts(lang)) panelLabels_.push_back(MakeLabel(t.at, std::move(t.text), font, t.align));
  for (size_t i = 0; i < rowLabels_.size(); ++i) {
    auto row = L::MusicRowText(static_cast<int16_t>(i), lang);
    rowLabels_[i] = MakeLabel(row.at, std::move(row.text), font);
  }
  fadeLabel_ = MakeLabel(L::LabelBox(L::kFadeValue, "", lang), "99", font, TextAlign::Centre);
  speedLabel_ = MakeLabel(L::LabelBox(L::kSpeedValue, "", lang), "99", font, TextAlign::Centre);
  fileLabel_ = MakeLabel(L::kFileLabel, "", font);
  PlaceFileLabel();
  linkLabel_ = MakeLabel(L::LinkBox(lang), LinkAddress(), font);
  linkLabel_.foreColour = 0xFFFFFF;
  linkLabel_.font->underline = true;
}

void Tidelight_P::MakeControls() {
  cmdCan_ = std::make_unique<Command>(p_, *this, L::kCmdCan);
  cmdSet_ = std::make_unique<Command>(p_, *this, L::kCmdSet);
  cmdFile_ = std::make_unique<Command>(p_, *this, OnDialog(L::kCmdFile));
  const UiTexts& texts = TextsFor(b_.language);
  const Font font = L::LabelFont(b_.language);
  const PropertyBag can = StoredButton(texts.cancelButton, font), set = StoredButton(texts.setButton, font),
                    file = StoredButton(L::kFileCaption, font);
  cmdCan_->Load(&can);
  cmdSet_->Load(&set);
  cmdFile_->Load(&file);
  // A stored font gives the caption its face alone; English needs its own
  // character set as well.
  if (b_.language == UiLanguage::English)
    for (Command* c : {cmdCan_.get(), cmdSet_.get(), cmdFile_.get()}) c->SetFont(std::make_shared<Font>(font));
  cmdCan_->Click = [this] { Cancel(); };
  cmdSet_->Click = [this] { Apply(); };
  cmdFile_->Click = [this] { ChooseMusicFile(); };

  const NativeHandle host = window_->Handle();
  ScrollBarSpec fade{PanelChild(L::kFadeBar), host, L::kFadeMin, L::kFadeMax, 1, 1};
  ScrollBarSpec speed{PanelChild(L::kSpeedBar), host, L::kSpeedMin, L::kSpeedMax, 1, 1};
  fadeBar_ = p_.windows.OpenScrollBar(fade, fadeEvents_);
  speedBar_ = p_.windows.OpenScrollBar(speed, speedEvents_);
  const Font panelFont = L::PanelFont();
  DropDownSpec list{PanelChild(L::kRepeatList), host, 0, ResolveFace(p_.windows, panelFont),
                    FontHeightPx(panelFont.size, p_.screen.DpiY())};
  list.listHeightPx = list.fontHeightPx * 12;
  repeat_ = p_.windows.OpenDropDown(list);
}

void Tidelight_P::PlaceControls() {
  // Everything stands where its twips fall at the dialog's resolution.
  cmdCan_->Move(L::kCmdCan);
  cmdSet_->Move(L::kCmdSet);
  cmdFile_->Move(OnDialog(L::kCmdFile));
  if (fadeBar_) fadeBar_->Move(PanelChild(L::kFadeBar));
  if (speedBar_) speedBar_->Move(PanelChild(L::kSpeedBar));
  if (repeat_) {
    const int32_t fontPx = FontHeightPx(L::PanelFont().size, p_.screen.DpiY());
    repeat_->Move(PanelChild(L::kRepeatList), fontPx * 12, fontPx);
  }
  PlaceFileLabel();
}

void Tidelight_P::PlaceFileLabel() {
  // Inside its single-line border, one pixel wide.
  fileLabel_.left = L::kFileLabel.left + tx_;
  fileLabel_.top = L::kFileLabel.top + ty_;
  fileLabel_.width = L::kFileLabel.width - 2 * tx_;
  fileLabel_.height = L::kFileLabel.height - 2 * ty_;
}

void Tidelight_P::Load() {
  Position();
  for (Command* c : {cmdCan_.get(), cmdSet_.get(), cmdFile_.get()}) c->Initialize();
  if (repeat_) repeat_->SetEnabled(false);
  const SettingsRecord& s = b_.settings;
  ShowMarks();
  if (s.MusicKind == 1 && repeat_) repeat_->SetEnabled(true);
  cmdFile_->SetEnabled(s.MusicKind == 2);
  if (repeat_) {
    repeat_->SetText(FormatHashHash(s.RepeatTrack));
    for (int32_t i = 0; i < L::kRepeatEntries; ++i) repeat_->AddEntry(FormatHashHash(i));
  }
  fileLabel_.caption = s.MusicFile;
  // A stored value outside a slider's range leaves the slider at its
  // minimum; its label shows the stored number all the same.
  if (fadeBar_) fadeBar_->SetValue(s.FadeDepth);
  fadeLabel_.caption = std::to_string(s.FadeDepth);
  if (speedBar_ && s.FadeSpeed >= INT16_MIN && s.FadeSpeed <= INT16_MAX) speedBar_->SetValue(s.FadeSpeed);
  speedLabel_.caption = std::to_string(s.FadeSpeed);
  RecordCursorPosition(p_, b_);
  ZoomFromCursor(p_, b_, window_->Handle());
  if (p_.windows.Ended()) return;
  p_.windows.SetScreenPointer(MousePointer::Default);
}

void Tidelight_P::UsePrimaryMonitorDpi() {
  for (const Monitor& m : p_.screen.Monitors())
    if (m.primary) screen_.SetDpi(m.dpiX, m.dpiY);
}

void Tidelight_P::Measure() {
  tx_ = p_.screen.TwipsPerPixelX();
  ty_ = p_.screen.TwipsPerPixelY();
  panelPx_ = PixelRect(L::kPanel, tx_, ty_);
  clientW_ = TwipsToPixels(L::kClientWidth, tx_);
  clientH_ = TwipsToPixels(L::kClientHeight, ty_);
}

void Tidelight_P::SizeSurfaces() {
  shown_.Resize(clientW_, clientH_, PixelFromColorRef(L::kBackColour));
  dialogShade_.Resize(clientW_, clientH_, PixelFromColorRef(L::kBackColour));
  panelShade_.Resize(panelPx_.Width(), panelPx_.Height(), PixelFromColorRef(L::kPanelColour));
}

void Tidelight_P::Position() {
  // In twips, as the screen and the outer window measure: centred across,
  // a third of the free height above.
  Rect outer;
  if (!p_.windows.WindowRect(window_->Handle(), outer)) return;
  const int64_t freeW = int64_t{p_.screen.Width()} * tx_ - int64_t{outer.Width()} * tx_;
  const int64_t freeH = int64_t{p_.screen.Height()} * ty_ - int64_t{outer.Height()} * ty_;
  const int32_t left = TwipsToPixels(static_cast<double>(freeW / 2), tx_);
  const int32_t top = TwipsToPixels(static_cast<double>(freeH / 3), ty_);
  window_->Move({left, top, left + outer.Width(), top + outer.Height()});
}

void Tidelight_P::OnDpiChanged(int32_t dpiX, int32_t dpiY, const Rect& suggested) {
  if (!window_ || closed_) return;
  screen_.SetDpi(dpiX, dpiY);
  Measure();
  window_->Move(suggested);
  SizeSurfaces();
  PlaceControls();
  // Shaded again at the new size; the labels draw in fonts of the new resolution.
  Resized();
}

bool Tidelight_P::ClientSizeAtDpi(int32_t dpi, int32_t& width, int32_t& height) {
  const int32_t tpp = TwipsPerPixelAt(dpi);
  width = TwipsToPixels(L::kClientWidth, tpp);
  height = TwipsToPixels(L::kClientHeight, tpp);
  return true;
}

std::optional<int16_t> Tidelight_P::MarkedRow() const {
  for (size_t i = 0; i < marked_.size(); ++i)
    if (marked_[i]) return static_cast<int16_t>(i);
  return std::nullopt;
}

void Tidelight_P::ShowMarks() {
  marked_ = {};
  const int16_t kind = b_.settings.MusicKind;
  if (kind >= 0 && kind < 3) marked_[static_cast<size_t>(kind)] = true;
  Paint();
}

void Tidelight_P::SelectMusicKind(int16_t kind) {
  b_.settings.MusicKind = kind;
  cmdFile_->SetEnabled(false);
  if (repeat_) repeat_->SetEnabled(false);
  ShowMarks();
  if (kind == 1 && repeat_) repeat_->SetEnabled(true);
  if (kind == 2) cmdFile_->SetEnabled(true);
}

void Tidelight_P::ShowBarValue(Label& label, int32_t value) {
  label.caption = std::to_string(value);
  Paint();
}

// --- closing ---

void Tidelight_P::Apply() {
  if (closed_) return;
  // The sliders go straight to the file; the record in memory keeps its
  // fade values. The repeat track is stored whatever the music kind.
  b_.settings.RepeatTrack = RepeatTrackFromText(repeat_ ? repeat_->Text() : std::string());
  BaseModule written = b_;
  if (fadeBar_) written.settings.FadeDepth = static_cast<int16_t>(fadeBar_->Value());
  if (speedBar_) written.settings.FadeSpeed = speedBar_->Value();
  SaveSettings(p_, written);
  b_.LastApiResult = written.LastApiResult;
  if (p_.windows.Ended()) return;
  Unload();
}

void Tidelight_P::Cancel() { Unload(); }

void Tidelight_P::Unload() {
  if (closed_ || !window_) return;
  closed_ = true;
  ZoomToCursor(p_, b_, window_->Handle());
  if (p_.windows.Ended()) return;
  window_->Close();
}

void Tidelight_P::OnClosing() {
  // Closed by the user (its close box, Alt+F4): nothing is written; the
  // window is still there for the closing zoom.
  if (closed_ || !window_) return;
  closed_ = true;
  ZoomToCursor(p_, b_, window_->Handle());
}

void Tidelight_P::OnDestroyed() {
  // Gone some other way: there is no window left to zoom from.
  closed_ = true;
}

// --- input ---

void Tidelight_P::OnButtonDown(MouseButton button, int32_t x, int32_t y) {
  for (int16_t kind = 0; kind < 3; ++kind)
    if (Inside(MarkRect(kind), x, y) || Inside(RowLabelRect(kind), x, y)) {
      SelectMusicKind(kind);
      return;
    }
  linkPressed_ = button == MouseButton::Left && Inside(LinkRect(), x, y);
}

void Tidelight_P::OnButtonUp(MouseButton button, int32_t x, int32_t y) {
  if (button != MouseButton::Left) return;
  const bool click = linkPressed_ && Inside(LinkRect(), x, y);
  linkPressed_ = false;
  if (click) OpenWebPage();
}

void Tidelight_P::OnMouseMove(int32_t x, int32_t y) {
  const MousePointer want = Inside(LinkRect(), x, y) ? MousePointer::Custom : MousePointer::Default;
  if (want == pointer_ || !window_) return;
  pointer_ = want;
  if (want == MousePointer::Custom) window_->SetCustomPointer(LinkPointer());
  window_->SetMousePointer(want);
}

void Tidelight_P::OpenWebPage() {
  p_.windows.SetScreenPointer(MousePointer::Hourglass);
  p_.shell.OpenWebPage(linkLabel_.caption);
  if (p_.windows.Ended()) return;
  p_.windows.SetScreenPointer(MousePointer::Default);
}

// --- painting ---

void Tidelight_P::Resized() {
  Shade(dialogShade_, DialogRowColour);
  Shade(panelShade_, PanelRowColour);
  shaded_ = true;
  Paint();
}

void Tidelight_P::PaintPanel(Surface& panel) {
  for (const TwipRect& f : L::Frames(b_.language)) Outline(panel, PixelRect(f, tx_, ty_), 0);
  for (Label& l : panelLabels_) l.Draw(panel, p_);
  for (size_t i = 0; i < 3; ++i) {
    const Rect mark = Offset(MarkRect(static_cast<int16_t>(i)), -panelPx_.left, -panelPx_.top);
    BitBlt(panel, mark.left, mark.top, kMarkPx, kMarkPx, marked_[i] ? markedPicture_ : unmarked_, 0, 0,
           Rop::SrcCopy);
    rowLabels_[i].Draw(panel, p_);
  }
  Outline(panel, PixelRect(L::kFileLabel, tx_, ty_), 0);
  fileLabel_.Draw(panel, p_);
  fadeLabel_.Draw(panel, p_);
  speedLabel_.Draw(panel, p_);
}

void Tidelight_P::Paint() {
  if (!window_ || closed_) return;
  // Before the first display the back buffers hold the plain colours.
  shown_ = dialogShade_;
  Surface panel = panelShade_;
  PaintPanel(panel);
  BitBlt(shown_, panelPx_.left, panelPx_.top, panel.Width(), panel.Height(), panel, 0, 0, Rop::SrcCopy);
  linkLabel_.Draw(shown_, p_);
  window_->Present(shown_, shown_.Bounds());
}

}  // namespace tl
