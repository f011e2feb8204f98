#include "launcher/skin/skin_dialog.h"

#include <uxtheme.h>

#include "common/dpi.h"
#include "common/screen_fit.h"
#include "common/win/gdi.h"
#include "common/win/high_contrast.h"
#include "common/win/monitors.h"
#include "launcher/base/resource.h"
#include "launcher/base/theme.h"
#include "launcher/skin/draw.h"
#include "launcher/skin/scroll_skin.h"
#include "launcher/skin/skin_layout.h"

namespace {
constexpr UINT kHoverPeriodMs = 50;
constexpr DWORD kKeepStyles = 0xFF3FFFFF;     // everything but WS_CAPTION
constexpr DWORD kCloseBoxStyle = 0x5400000B;  // child, visible, clip siblings, owner-draw
constexpr int kOutOfSight = 10000;
constexpr int kTitleFontHeight = 12;
constexpr char kTitleFace[] = "ＭＳ Ｐゴシック";
constexpr int kLabelBytes = 256, kTitleBytes = 260;
constexpr UINT kTitleFormat = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;

void Outline(HDC dc, int left, int top, int right, int bottom) {
  POINT pts[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
  ::Polyline(dc, pts, 5);
}
}  // namespace

CSkinDialog::CSkinDialog(int templateId, HWND parent) : CDialog(templateId, parent) {}

CSkinDialog::~CSkinDialog() = default;

void CSkinDialog::InitSkin(const CTheme& theme, int backgroundId, int captionActiveId, int captionInactiveId,
                           bool drawTitle) {
  m_theme = &theme;
  m_dpi = theme.Dpi();
  m_backgroundId = backgroundId;
  m_captionActive = captionActiveId;
  m_captionInactive = captionInactiveId;
  m_drawTitle = drawTitle;
  m_textColour = theme.Colour(IDS_DLG_TEXT_COLOR, RGB(255, 255, 255));
  m_shadowColour = theme.Colour(IDS_DLG_SHADOW_COLOR, RGB(0, 0, 0));
  LeaveDpiChangesToDialog(m_hwnd);

  const DWORD style = static_cast<DWORD>(::GetWindowLongA(m_hwnd, GWL_STYLE));
  ::SetWindowLongA(m_hwnd, GWL_STYLE, static_cast<LONG>((style & kKeepStyles) | WS_CLIPCHILDREN | WS_SYSMENU));
  ::CreateWindowExA(0, "BUTTON", "", kCloseBoxStyle, 0, 0, 0, 0, m_hwnd,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FRAME_CLOSE)), ::GetModuleHandleA(nullptr),
                    nullptr);
  FitToBackground();
  LayOut();
}

// The window, its close box and its title font for the background at the dialog's DPI.
void CSkinDialog::FitToBackground() {
  m_background = Picture(m_backgroundId);
  // The controls take the title's font too, the template's 9 points made for this DPI; a dialog
  // with a font of its own sets it again in LayOut.
  UniqueFont font(::CreateFontA(Px(kTitleFontHeight), 0, 0, 0, 0, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, kTitleFace));
  for (HWND child = ::GetWindow(m_hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  m_titleFont = std::move(font);  // the old font goes once no control holds it
  const SIZE back = BitmapSize(m_background);
  int width = back.cx;
  if (width > 0) {
    ::SetWindowPos(m_hwnd, nullptr, 0, 0, width + 2 * ::GetSystemMetrics(SM_CXDLGFRAME),
                   back.cy + 2 * ::GetSystemMetrics(SM_CYDLGFRAME),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  } else {  // no background: the template's own client size
    RECT rc;
    ::GetClientRect(m_hwnd, &rc);
    width = rc.right;
    ::SetWindowPos(m_hwnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  const Rect box = skin::CloseBox(width, m_dpi);
  ::MoveWindow(::GetDlgItem(m_hwnd, IDC_FRAME_CLOSE), box.left, box.top, box.Width(), box.Height(), TRUE);
}

// Moved to a monitor of another scale: laid out again for it, at the place Windows suggests as
// far as the monitor's work area allows.
void CSkinDialog::OnDpiChanged(int dpi, const RECT& suggested) {
  if (!m_theme || dpi <= 0) return;
  m_dpi = dpi;
  m_buttons.clear();
  m_labels.clear();
  m_frames.clear();
  FitToBackground();
  LayOut();
  RECT window;
  ::GetWindowRect(m_hwnd, &window);
  const Rect at{suggested.left, suggested.top, suggested.left + window.right - window.left,
                suggested.top + window.bottom - window.top};
  const Rect placed = screenfit::MovedInto(at, WorkAreaNear(at));
  ::SetWindowPos(m_hwnd, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int CSkinDialog::Px(int pixelsAt96) const { return dpi::Scale(pixelsAt96, m_dpi); }

HBITMAP CSkinDialog::Picture(int id) const { return m_theme ? m_theme->Bitmap(id, m_dpi) : nullptr; }

// Beside the parent, wholly inside the work area of the parent's monitor.
void CSkinDialog::PlaceBesideParent() {
  RECT window, parent;
  ::GetWindowRect(m_hwnd, &window);
  const bool hasParent = Parent() && ::GetWindowRect(Parent(), &parent);
  const Rect parentRect{parent.left, parent.top, parent.right, parent.bottom};
  const Rect area = WorkAreaNear(hasParent ? parentRect : Rect{window.left, window.top, window.right, window.bottom});
  const int width = window.right - window.left, height = window.bottom - window.top;
  const skin::Point p = skin::PlaceDialog(width, height, hasParent ? &parentRect : nullptr, area, m_dpi);
  const Rect placed = screenfit::MovedInto(Rect{p.x, p.y, p.x + width, p.y + height}, area);
  ::SetWindowPos(m_hwnd, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect CSkinDialog::ReadBox(const ThemeBox& b) const {
  const int x = m_theme->Number(b.xId, b.x, m_dpi), y = m_theme->Number(b.yId, b.y, m_dpi);
  return {x, y, x + m_theme->Number(b.widthId, b.width, m_dpi), y + m_theme->Number(b.heightId, b.height, m_dpi)};
}

void CSkinDialog::PlaceControl(int id, const ThemeBox& box) {
  const Rect r = ReadBox(box);
  ::MoveWindow(::GetDlgItem(m_hwnd, id), r.left, r.top, r.Width(), r.Height(), TRUE);
}

void CSkinDialog::AddButton(int id, int base, const ThemePos& pos, bool hasDisabledLook) {
  HWND button = ::GetDlgItem(m_hwnd, id);
  const int x = m_theme->Number(pos.xId, pos.x, m_dpi), y = m_theme->Number(pos.yId, pos.y, m_dpi);
  const SIZE picture = BitmapSize(Picture(base + IDB_STATE_NORMAL));
  int width = picture.cx, height = picture.cy;
  if (width <= 0) {
    RECT rc;
    ::GetWindowRect(button, &rc);
    width = m_sizeWithoutPicture.cx > 0 ? Px(m_sizeWithoutPicture.cx) : rc.right - rc.left;
    height = m_sizeWithoutPicture.cx > 0 ? Px(m_sizeWithoutPicture.cy) : rc.bottom - rc.top;
  }
  const LONG style = ::GetWindowLongA(button, GWL_STYLE);
  ::SetWindowLongA(button, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
  ::MoveWindow(button, x, y, width, height, TRUE);
  m_buttons.push_back({id, base, x, y, hasDisabledLook});
}

void CSkinDialog::AddLabel(int id, const ThemeBox& box, UINT format) {
  const Rect r = ReadBox(box);
  ::MoveWindow(::GetDlgItem(m_hwnd, id), kOutOfSight, kOutOfSight, 0, 0, FALSE);
  m_labels.push_back({id, RECT{r.left, r.top, r.right, r.bottom}, format});
}

void CSkinDialog::AddFrame(const ThemeBox& box) {
  const Rect r = ReadBox(box);
  m_frames.push_back(RECT{r.left, r.top, r.right, r.bottom});
}

void CSkinDialog::SetControlColours(int id, COLORREF text, COLORREF back) {
  for (Colours& c : m_colours) {
    if (c.id != id) continue;
    c.text = text;
    c.back = back;
    c.brush.Reset(::CreateSolidBrush(back));
    return;
  }
  m_colours.push_back({id, text, back, UniqueBrush(::CreateSolidBrush(back))});
  // The art around the field was drawn for the classic sunken edge; the system's visual style
  // would ring a dark field with its own light border. A class list no style defines turns the
  // style off (Wine refuses the documented empty strings).
  ::SetWindowTheme(::GetDlgItem(m_hwnd, id), L" ", L" ");
}

void CSkinDialog::LayOutOneField(int themeBase, int labelId, int fieldId) {
  constexpr int kLabel = 0, kField = 4, kFrame = 8, kOk = 12, kCancel = 14;  // offsets from themeBase
  constexpr int kButtonWidth = 58, kButtonHeight = 26;                       // a button whose picture the theme lacks
  const int b = themeBase;
  auto box = [b](int at, int x, int y, int w, int h) {
    return ThemeBox{b + at, b + at + 1, b + at + 2, b + at + 3, x, y, w, h};
  };
  AddLabel(labelId, box(kLabel, 14, 29, 104, 14));
  PlaceControl(fieldId, box(kField, 14, 47, 180, 20));
  AddFrame(box(kFrame, 8, 34, 195, 42));
  SetButtonSizeWithoutPicture(kButtonWidth, kButtonHeight);
  AddButton(IDOK, IDB_DLG_OK, ThemePos{b + kOk, b + kOk + 1, 40, 87});
  AddButton(IDCANCEL, IDB_DLG_CANCEL, ThemePos{b + kCancel, b + kCancel + 1, 124, 87});
}

void CSkinDialog::SkinListBox(int id) {
  InstallScrollBarSkin(::GetDlgItem(m_hwnd, id), IDB_SCROLL_DIALOG);
  SetControlColours(id, m_theme->Colour(IDS_DLG_LIST_TEXT_COLOR, RGB(0, 0, 0)),
                    m_theme->Colour(IDS_DLG_LIST_BACK_COLOR, RGB(255, 255, 255)));
}

void CSkinDialog::StartHoverTimer() {
  m_hotId = 0;
  m_timer = ::SetTimer(m_hwnd, IDT_HOVER, kHoverPeriodMs, nullptr) != 0;
}

INT_PTR CSkinDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (msg) {
    case WM_NCACTIVATE: OnNcActivate(wParam != 0); return FALSE;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return TRUE;
    case WM_LBUTTONDOWN: OnLButtonDown(pt); return FALSE;
    case WM_MOUSEMOVE: OnMouseMove(pt); return FALSE;
    case WM_LBUTTONUP: OnLButtonUp(pt); return FALSE;
    case WM_CAPTURECHANGED: m_dragAnchor = {-1, -1}; return FALSE;
    case WM_ERASEBKGND:
      if (contrast::On() && m_theme) return SetResult(1);  // painted whole, plain
      if (!m_background) return FALSE;
      BlitBitmap(reinterpret_cast<HDC>(wParam), 0, 0, m_background);
      return SetResult(1);
    case WM_PAINT:
      if (!m_theme) return FALSE;
      OnPaint();
      return TRUE;
    case WM_DRAWITEM: return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_TIMER:
      if (wParam != IDT_HOVER) return FALSE;
      OnHoverTimer();
      return TRUE;
    case WM_DESTROY:
      if (m_timer) ::KillTimer(m_hwnd, IDT_HOVER);
      m_timer = false;
      return FALSE;
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: OnSystemLook(msg, wParam, lParam); break;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_FRAME_CLOSE) {
        OnCancel();
        return TRUE;
      }
      break;
    default: break;
  }
  return CDialog::DialogProc(msg, wParam, lParam);
}

void CSkinDialog::OnNcActivate(bool active) {
  if (active == (m_active != FALSE)) return;
  m_active = active ? TRUE : FALSE;
  ::InvalidateRect(m_hwnd, nullptr, TRUE);
  ::UpdateWindow(m_hwnd);
}

void CSkinDialog::OnLButtonDown(POINT pt) {
  if (!skin::StartsDrag(pt.y, m_dpi)) return;
  m_dragAnchor = pt;
  ::SetCapture(m_hwnd);
}

void CSkinDialog::MoveByDrag(POINT pt) {
  RECT rc;
  ::GetWindowRect(m_hwnd, &rc);
  ::MoveWindow(m_hwnd, rc.left + pt.x - m_dragAnchor.x, rc.top + pt.y - m_dragAnchor.y, rc.right - rc.left,
               rc.bottom - rc.top, TRUE);
}

void CSkinDialog::OnMouseMove(POINT pt) {
  if (m_dragAnchor.x == -1 && m_dragAnchor.y == -1) return;
  MoveByDrag(pt);
}

void CSkinDialog::OnLButtonUp(POINT pt) {
  if (m_dragAnchor.x != -1 || m_dragAnchor.y != -1) {
    MoveByDrag(pt);
    m_dragAnchor = {-1, -1};  // before the release, whose WM_CAPTURECHANGED finds no drag
    ::ReleaseCapture();
  }
  m_dragAnchor = {-1, -1};
}

void CSkinDialog::PaintSkin(HDC dc) {
  if (contrast::On()) return PaintPlain(dc);
  BlitBitmap(dc, 0, 0, m_background);
  const int captionId = m_active ? m_captionActive : m_captionInactive;
  HBITMAP caption = captionId ? Picture(captionId) : nullptr;
  BlitBitmap(dc, Px(skin::kCaptionX), Px(skin::kCaptionY), caption);

  RECT client;
  ::GetClientRect(m_hwnd, &client);
  if (m_drawTitle) {
    char title[kTitleBytes] = {};
    ::GetWindowTextA(m_hwnd, title, sizeof title);
    const Rect t = skin::TitleBox(client.right, m_dpi);
    DrawShadowText(dc, title, RECT{t.left, t.top, t.right, t.bottom}, kTitleFormat, m_titleFont.Get(), m_textColour,
                   m_shadowColour, caption, t.left, t.top);
  }
  if (!m_frames.empty()) {
    UniquePen first(::CreatePen(PS_SOLID, 1, m_theme->Colour(IDS_DLG_FRAME1_COLOR, RGB(255, 255, 255))));
    UniquePen second(::CreatePen(PS_SOLID, 1, m_theme->Colour(IDS_DLG_FRAME2_COLOR, RGB(0, 0, 0))));
    for (const RECT& f : m_frames) {
      {
        ScopedSelect pen(dc, first.Get());
        Outline(dc, f.left, f.top, f.right - 2, f.bottom - 2);
      }
      ScopedSelect pen(dc, second.Get());
      Outline(dc, f.left + 1, f.top + 1, f.right - 1, f.bottom - 1);
    }
  }
  for (const Label& l : m_labels) {
    char text[kLabelBytes] = {};
    ::GetDlgItemTextA(m_hwnd, l.id, text, sizeof text);
    DrawShadowText(dc, text, l.box, l.format, m_titleFont.Get(), m_textColour, m_shadowColour, m_background, l.box.left,
                   l.box.top);
  }
}

void CSkinDialog::OnPaint() {
  PaintGuard paint(m_hwnd);
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  // Drawn off screen and copied once, so the caption and title never flicker.
  OffscreenPaint buffer(paint.Dc(), client);
  PaintSkin(buffer.Dc());
}

const CSkinDialog::Button* CSkinDialog::FindButton(int id) const {
  for (const Button& b : m_buttons)
    if (b.id == id) return &b;
  return nullptr;
}

bool CSkinDialog::OnDrawItem(const DRAWITEMSTRUCT* d) {
  if (!m_theme || d->CtlType != ODT_BUTTON) return false;
  if (contrast::On()) return DrawPlainItem(d);
  const bool pressed = (d->itemState & ODS_SELECTED) != 0;
  if (d->CtlID == IDC_FRAME_CLOSE) {
    BlitBitmap(d->hDC, 0, 0, Picture(pressed ? IDB_CLOSE_PRESSED : IDB_CLOSE));
    return true;
  }
  const Button* b = FindButton(static_cast<int>(d->CtlID));
  if (!b) return false;
  const int state =
      skin::ButtonState((d->itemState & ODS_DISABLED) != 0, pressed, m_hotId == b->id, b->hasDisabledLook);
  HBITMAP image = Picture(b->base + state);
  if (image) {
    DrawMasked(d->hDC, 0, 0, image, Picture(b->base + IDB_STATE_MASK + state), m_background, b->x, b->y);
    return true;
  }
  // A theme without this set still shows a usable button.
  RECT rc = d->rcItem;
  ::DrawFrameControl(
      d->hDC, &rc, DFC_BUTTON,
      DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0) | ((d->itemState & ODS_DISABLED) ? DFCS_INACTIVE : 0));
  char text[kLabelBytes] = {};
  ::GetWindowTextA(d->hwndItem, text, sizeof text);
  ::SetBkMode(d->hDC, TRANSPARENT);
  ::DrawTextA(d->hDC, text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  return true;
}

void CSkinDialog::OnHoverTimer() {
  POINT cursor;
  ::GetCursorPos(&cursor);
  HWND under = ::WindowFromPoint(cursor);
  int id = 0;
  if (m_active && under && ::IsChild(m_hwnd, under)) {
    const int candidate = ::GetDlgCtrlID(under);
    if (FindButton(candidate)) id = candidate;
  }
  // A held button keeps its look until it is released.
  if (id == m_hotId || ::GetKeyState(VK_LBUTTON) < 0) return;
  const int old = m_hotId;
  m_hotId = id;
  if (old) ::InvalidateRect(::GetDlgItem(m_hwnd, old), nullptr, FALSE);
  if (id) ::InvalidateRect(::GetDlgItem(m_hwnd, id), nullptr, FALSE);
}

INT_PTR CSkinDialog::OnCtlColor(HDC dc, HWND ctl) {
  if (contrast::On()) return PlainControlColours(dc);
  const int id = ::GetDlgCtrlID(ctl);
  for (const Colours& c : m_colours) {
    if (c.id != id) continue;
    ::SetTextColor(dc, c.text);
    ::SetBkColor(dc, c.back);
    return reinterpret_cast<INT_PTR>(c.brush.Get());
  }
  return FALSE;
}
