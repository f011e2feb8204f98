#include "launcher/base/theme_values.h"

#include <cctype>

#include "common/dpi.h"

namespace theme {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 10;  // anything else counts as A
}

bool SameLetters(const std::string& a, const char* b) { return a == b; }

}  // namespace

int ParseNumber(const std::string& text, int fallback) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i == text.size()) return fallback;
  bool negative = false;
  if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
  long long value = 0;
  bool digits = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (IsBlank(c)) continue;
    if (c < '0' || c > '9') return fallback;
    digits = true;
    if (value < 1'000'000'000'000LL) value = value * 10 + (c - '0');
  }
  if (!digits) return fallback;
  if (negative) value = -value;
  // Out-of-range numbers are clamped rather than wrapped: a layout value can never flip sign.
  if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;
  if (value < -0x7FFFFFFF) value = -0x7FFFFFFF;
  return static_cast<int>(value);
}

std::uint32_t ParseColour(const std::string& text, std::uint32_t fallback) {
  if (text.size() != 6) return fallback;
  auto pair = [&](int at) { return HexDigit(text[at]) * 16 + HexDigit(text[at + 1]); };
  return Rgb(pair(0), pair(2), pair(4));
}

std::string ParseFace(const std::string& text) {
  return text.size() > static_cast<std::size_t>(kMaxFaceLength) ? std::string() : text;
}

int ParseCharset(const std::string& text) {
  if (SameLetters(text, "ANSI_CHARSET")) return 0;
  if (SameLetters(text, "SYMBOL_CHARSET")) return 2;
  return 128;
}

FontStyle ParseStyle(const std::string& text) {
  FontStyle s;
  for (char c : text) {
    switch (std::tolower(static_cast<unsigned char>(c))) {
      case 'i': s.italic = true; break;
      case 's': s.strikeOut = true; break;
      case 'u': s.underline = true; break;
      case 'b': s.weight = 700; break;
      default: break;
    }
  }
  return s;
}

int Number(const Source& source, int id, int fallback) { return ParseNumber(source.text(id, kValueBytes), fallback); }

std::uint32_t Colour(const Source& source, int id, std::uint32_t fallback) {
  return ParseColour(source.text(id, kValueBytes), fallback);
}

namespace {

// Face, charset, height, style, then the two colours: the identifiers of one group in a row.
ThemeFont ReadFont(const Source& s, int first, int defaultHeight) {
  ThemeFont f;
  f.face = ParseFace(s.text(first, kFaceBytes));
  f.height = Number(s, first + 2, defaultHeight);
  f.style = ParseStyle(s.text(first + 3, kValueBytes));
  f.charset = ParseCharset(s.text(first + 1, kValueBytes));
  f.colour1 = Colour(s, first + 4, 0);
  f.colour2 = Colour(s, first + 5, 0);
  return f;
}

Rect ReadPictureRect(const Source& s, int leftId, int bitmap, Rect fallback) {
  int left = Number(s, leftId, fallback.left), top = Number(s, leftId + 1, fallback.top);
  Size size{fallback.right - fallback.left, fallback.bottom - fallback.top};
  if (std::optional<Size> b = s.bitmapSize(bitmap)) size = *b;
  return Rect{left, top, left + size.cx, top + size.cy};
}

Rect ReadExtentRect(const Source& s, int firstId, Rect fallback) {
  int left = Number(s, firstId, fallback.left), top = Number(s, firstId + 1, fallback.top);
  int width = Number(s, firstId + 2, fallback.right - fallback.left);
  int height = Number(s, firstId + 3, fallback.bottom - fallback.top);
  return Rect{left, top, left + width, top + height};
}

}  // namespace

Params ReadParams(const Source& s) {
  Params p;
  p.fontA = ReadFont(s, 21101, 10);
  p.fontB = ReadFont(s, 21111, 14);
  p.fontC = ReadFont(s, 21121, 16);
  p.fontD = ReadFont(s, 21131, 10);
  p.fontE = ReadFont(s, 21137, 10);
  p.toolButton1 = ReadPictureRect(s, 21201, 20126, p.toolButton1);
  p.toolButton2 = ReadPictureRect(s, 21203, 20118, p.toolButton2);
  p.toolButton3 = ReadPictureRect(s, 21205, 20110, p.toolButton3);
  p.toolButton4 = ReadPictureRect(s, 21207, 25101, p.toolButton4);
  p.toolButton5 = ReadPictureRect(s, 21209, 25125, p.toolButton5);
  if (std::optional<Size> strip = s.bitmapSize(20102)) p.titleHeight = strip->cy;
  p.panelValue1 = Number(s, 21301, p.panelValue1);
  p.panelValue2 = Number(s, 21302, p.panelValue2);
  p.panelValue3 = Number(s, 21303, p.panelValue3);
  p.panelValue4 = Number(s, 21304, p.panelValue4);
  p.outerFrame = Colour(s, 21401, p.outerFrame);
  p.innerFrame = Colour(s, 21402, p.innerFrame);
  p.background = Colour(s, 21403, p.background);
  p.popupColour1 = Colour(s, 21404, p.popupColour1);
  p.popupColour2 = Colour(s, 21405, p.popupColour2);
  p.panelRect1 = ReadExtentRect(s, 21117, p.panelRect1);
  p.panelRect2 = ReadExtentRect(s, 21305, p.panelRect2);
  p.panelRect3 = ReadExtentRect(s, 21309, p.panelRect3);
  for (int i = 0; i < 6; ++i) p.panelValues[i] = Number(s, 21313 + i, p.panelValues[i]);
  p.panelColour = Colour(s, 21319, p.panelColour);
  p.paneWidth = Number(s, 21151, p.paneWidth);
  for (int i = 0; i < 4; ++i) p.panelValues2[i] = Number(s, 21152 + i, p.panelValues2[i]);
  p.buttonPanelBackX = Number(s, 21156, p.buttonPanelBackX);
  p.buttonPanelBackY = Number(s, 21157, p.buttonPanelBackY);
  p.userButton = ReadPictureRect(s, 21158, 20321, p.userButton);
  p.userListHeight = Number(s, 21160, p.userListHeight);
  p.menuColumnX = Number(s, 21161, p.menuColumnX);
  p.menuColumnY = Number(s, 21162, p.menuColumnY);
  int perPage = Number(s, 21163, 8);
  p.menusPerPage = (perPage >= 1 && perPage <= 8) ? perPage : 8;
  p.title = s.text(21901, 260);
  return p;
}

Params ScaledParams(const Params& p, int dpi) {
  Params s = p;
  auto scale = [dpi](int& v) { v = dpi::Scale(v, dpi); };
  auto scaleRect = [dpi](Rect& r) { r = dpi::Scale(r, dpi); };
  for (ThemeFont* f : {&s.fontA, &s.fontB, &s.fontC, &s.fontD, &s.fontE}) scale(f->height);
  for (Rect* r : {&s.toolButton1, &s.toolButton2, &s.toolButton3, &s.toolButton4, &s.toolButton5, &s.panelRect1,
                  &s.panelRect2, &s.panelRect3, &s.userButton})
    scaleRect(*r);
  for (int* v : {&s.titleHeight, &s.panelValue1, &s.panelValue2, &s.panelValue3, &s.panelValue4, &s.paneWidth,
                 &s.buttonPanelBackX, &s.buttonPanelBackY, &s.userListHeight, &s.menuColumnX, &s.menuColumnY})
    scale(*v);
  for (int& v : s.panelValues) scale(v);
  for (int& v : s.panelValues2) scale(v);
  return s;
}

}  // namespace theme
