// Text of the win32 back end: DrawTextW onto a DIB section holding the
// surface's pixels under the text, in a font made for the one draw.
#include <windows.h>

#include <cstring>
#include <cwchar>

#include "backends/win32/gdi_handles.h"
#include "backends/win32/wide_text.h"
#include "backends/win32/win32_platform.h"

namespace tl {

using win32::DibSection;
using win32::UniqueFont;
using win32::Wide;

namespace {

// False when the face name does not fit a LOGFONTW.
bool SetFace(LOGFONTW& lf, std::string_view face) {
  const std::wstring w = Wide(face);
  if (w.size() >= LF_FACESIZE) return false;
  std::wmemcpy(lf.lfFaceName, w.c_str(), w.size() + 1);
  return true;
}

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

}  // namespace

void Win32Platform::DrawText(Surface& onto, const TextDraw& t) {
  const Rect r = Intersect(t.rect, onto.Bounds());
  if (r.Empty() || t.text.empty()) return;
  DibSection dib(r.Width(), r.Height());
  if (!dib.ok()) return;
  const size_t rowBytes = static_cast<size_t>(r.Width()) * 4;
  for (int32_t y = 0; y < r.Height(); ++y)
    std::memcpy(dib.bits() + static_cast<size_t>(y) * r.Width(), onto.Row(r.top + y) + r.left, rowBytes);

  LOGFONTW lf{};
  lf.lfHeight = -t.heightPx;
  lf.lfWeight = t.weight;
  lf.lfItalic = t.italic;
  lf.lfUnderline = t.underline;
  lf.lfStrikeOut = t.strikethrough;
  lf.lfCharSet = t.charset;
  SetFace(lf, t.face);
  const UniqueFont font(CreateFontIndirectW(&lf));
  HDC dc = dib.dc();
  const HGDIOBJ old = font ? SelectObject(dc, font.get()) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  const UINT format = DT_WORDBREAK | (t.align == TextAlign::Centre  ? DT_CENTER
                                      : t.align == TextAlign::Right ? DT_RIGHT
                                                                    : DT_LEFT);
  std::wstring text = Wide(t.text);
  RECT box{t.rect.left - r.left, t.rect.top - r.top, t.rect.right - r.left, t.rect.bottom - r.top};
  if (t.enabled) {
    SetTextColor(dc, t.colour & 0x00FFFFFF);
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, format);
  } else {
    // The system's greyed look: a highlight one pixel down and right under grey text.
    RECT shadow{box.left + 1, box.top + 1, box.right + 1, box.bottom + 1};
    SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &shadow, format);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, format);
  }
  if (old) SelectObject(dc, old);
  GdiFlush();
  for (int32_t y = 0; y < r.Height(); ++y)
    std::memcpy(onto.Row(r.top + y) + r.left, dib.bits() + static_cast<size_t>(y) * r.Width(), rowBytes);
}

bool Win32Platform::HasFontFace(std::string_view face, uint8_t charset) {
  LOGFONTW lf{};
  lf.lfCharSet = charset;
  if (face.empty() || !SetFace(lf, face)) return false;
  bool found = false;
  const auto screen = win32::WindowDc(nullptr);
  EnumFontFamiliesExW(screen.get(), &lf, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace tl
