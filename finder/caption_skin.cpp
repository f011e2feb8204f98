#include "finder/caption_skin.h"

#include <string>

#include "common/ui/subclass.h"
#include "common/win/gdi.h"
#include "common/win/handles.h"
#include "common/win/high_contrast.h"
#include "common/win/monitors.h"
#include "finder/caption_layout.h"

namespace {

constexpr int kEntries = 128;
constexpr int kTitleBytes = 511;

struct CaptionSkinEntry : CSubclass {
  LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnDetached() override;
  LRESULT Pass(UINT msg, WPARAM wParam, LPARAM lParam) { return Default(msg, wParam, lParam); }
  bool active = false;
  bool maximized = false;
  unsigned* ownerFlags = nullptr;
  RECT caption{};
  UniqueBitmap bitmaps[2];  // active, inactive
  UniqueFont font;
};

CaptionSkinEntry g_entries[kEntries];
int g_count = 0;

CaptionSkinEntry* Find(HWND w) {
  for (int i = 0; i < g_count; ++i)
    if (g_entries[i].Subclassed() == w) return &g_entries[i];
  return nullptr;
}

void Free(CaptionSkinEntry& e) {
  e.Detach();
  e.bitmaps[0].Reset();
  e.bitmaps[1].Reset();
  e.font.Reset();
  while (g_count > 0 && !g_entries[g_count - 1].Subclassed()) --g_count;
}

void CaptionSkinEntry::OnDetached() { Free(*this); }

bool HasCaption(HWND w) { return (::GetWindowLongA(w, GWL_STYLE) & WS_CAPTION) == WS_CAPTION; }

// Under the system's high contrast the system draws the caption in its own colours.
bool Skinned(HWND w) { return HasCaption(w) && !contrast::On(); }

RECT CaptionRect(HWND w) {
  RECT rc;
  ::GetWindowRect(w, &rc);
  ::OffsetRect(&rc, -rc.left, -rc.top);
  const bool sizing = ::GetWindowLongA(w, GWL_STYLE) & WS_THICKFRAME;
  const int dpi = DpiOf(w);
  const int fx = MetricAt(sizing ? SM_CXSIZEFRAME : SM_CXDLGFRAME, dpi);
  const int fy = MetricAt(sizing ? SM_CYSIZEFRAME : SM_CYDLGFRAME, dpi);
  return RECT{rc.left + fx, rc.top + fy, rc.right - fx,
              rc.top + fy + MetricAt(SM_CYCAPTION, dpi) - MetricAt(SM_CYBORDER, dpi)};
}

HBITMAP LoadPicture(int id) {
  return static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
}

HBITMAP MakeCaption(CaptionSkinEntry& e, bool active, int w, int h) {
  const LONG style = ::GetWindowLongA(e.Subclassed(), GWL_STYLE), ex = ::GetWindowLongA(e.Subclassed(), GWL_EXSTYLE);
  caption::Window cw;
  cw.width = w;
  cw.height = h;
  const int dpi = DpiOf(e.Subclassed());
  cw.cx = MetricAt(SM_CXSIZE, dpi);
  cw.cy = MetricAt(SM_CYSIZE, dpi);
  cw.sysMenu = style & WS_SYSMENU;
  cw.modalFrame = ex & WS_EX_DLGMODALFRAME;
  cw.minimizeBox = style & WS_MINIMIZEBOX;
  cw.maximizeBox = style & WS_MAXIMIZEBOX;
  cw.contextHelp = ex & WS_EX_CONTEXTHELP;
  cw.maximized = ::IsZoomed(e.Subclassed());
  cw.active = active;
  const caption::Layout layout = caption::Arrange(cw);

  WindowDC screen(nullptr);
  HBITMAP out = ::CreateCompatibleBitmap(screen.Get(), w, h);
  if (!out) return nullptr;
  MemoryDC dc(screen.Get());
  dc.Select(out);
  RECT all{0, 0, w, h};
  ::FillRect(dc.Get(), &all, ::GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  int loaded = 0;
  UniqueBitmap picture;
  MemoryDC src(screen.Get());
  for (const caption::Piece& p : layout.pieces) {
    if (p.picture != loaded) {
      src.Deselect();
      picture.Reset(LoadPicture(p.picture));
      loaded = p.picture;
      if (picture) src.Select(picture.Get());
    }
    if (!picture) continue;
    ::SetStretchBltMode(dc.Get(), COLORONCOLOR);
    ::StretchBlt(dc.Get(), p.to.x, p.to.y, p.to.w, p.to.h, src.Get(), p.from.x, p.from.y, p.from.w, p.from.h, SRCCOPY);
  }
  if (layout.drawIcon) {
    HICON icon = reinterpret_cast<HICON>(::SendMessageA(e.Subclassed(), WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrA(e.Subclassed(), GCLP_HICONSM));
    if (icon)
      ::DrawIconEx(dc.Get(), layout.icon.x, layout.icon.y, icon, layout.icon.w, layout.icon.h, 0, nullptr, DI_NORMAL);
  }
  if (!e.font) e.font = SystemFontAt(SystemFont::kCaption, dpi);
  char title[kTitleBytes + 1] = {};
  ::GetWindowTextA(e.Subclassed(), title, sizeof title);
  ScopedSelect font(dc.Get(), e.font.Get());
  ::SetBkMode(dc.Get(), TRANSPARENT);
  ::SetTextColor(dc.Get(), RGB(0, 0, 0));
  RECT text{layout.title.x, 0, layout.title.x + layout.title.w, h};
  ::DrawTextA(dc.Get(), title, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  return out;
}

void DrawCaption(CaptionSkinEntry& e) {
  if (!Skinned(e.Subclassed()) || ::IsIconic(e.Subclassed())) return;
  const RECT rc = CaptionRect(e.Subclassed());
  const bool maximized = ::IsZoomed(e.Subclassed());
  if (!::EqualRect(&rc, &e.caption) || maximized != e.maximized) {
    e.bitmaps[0].Reset();
    e.bitmaps[1].Reset();
    e.caption = rc;
    e.maximized = maximized;
  }
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if (w <= 0 || h <= 0) return;
  UniqueBitmap& cached = e.bitmaps[e.active ? 0 : 1];
  if (!cached) cached.Reset(MakeCaption(e, e.active, w, h));
  if (!cached) return;
  WindowFrameDC dc(e.Subclassed());
  MemoryDC mem(dc.Get());
  mem.Select(cached.Get());
  ::BitBlt(dc.Get(), rc.left, rc.top, w, h, mem.Get(), 0, 0, SRCCOPY);
}

LRESULT NcPaint(CaptionSkinEntry& e, WPARAM region) {
  if (!Skinned(e.Subclassed())) return e.Pass(WM_NCPAINT, region, 0);
  RECT window;
  ::GetWindowRect(e.Subclassed(), &window);
  RECT cap = CaptionRect(e.Subclassed());
  ::OffsetRect(&cap, window.left, window.top);
  UniqueRegion rest(::CreateRectRgnIndirect(&window));
  UniqueRegion capRegion(::CreateRectRgnIndirect(&cap));
  ::CombineRgn(rest.Get(), rest.Get(), capRegion.Get(), RGN_DIFF);
  bool captionTouched = true;
  if (region > 1) {
    ::CombineRgn(rest.Get(), rest.Get(), reinterpret_cast<HRGN>(region), RGN_AND);
    captionTouched = ::RectInRegion(reinterpret_cast<HRGN>(region), &cap);
  }
  LRESULT r = e.Pass(WM_NCPAINT, reinterpret_cast<WPARAM>(rest.Get()), 0);
  if (captionTouched) DrawCaption(e);
  return r;
}

LRESULT CaptionSkinEntry::SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  const HWND w = Subclassed();
  CaptionSkinEntry* e = this;
  switch (msg) {
    case WM_SETTEXT: {
      if (!Skinned(w)) return Default(msg, wParam, lParam);
      // The system would paint its own caption with the new text; it is kept from doing so.
      const LONG style = ::GetWindowLongA(w, GWL_STYLE);
      ::SetWindowLongA(w, GWL_STYLE, style & ~WS_VISIBLE);
      LRESULT r = Default(msg, wParam, lParam);
      ::SetWindowLongA(w, GWL_STYLE, style);
      e->bitmaps[0].Reset();
      e->bitmaps[1].Reset();
      DrawCaption(*e);
      return r;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DPICHANGED: {
      e->bitmaps[0].Reset();
      e->bitmaps[1].Reset();
      e->font.Reset();
      if (msg == WM_DPICHANGED) return Default(msg, wParam, lParam);
      const bool wasSkinned = Skinned(w);
      contrast::Update();
      const LRESULT r = Default(msg, wParam, lParam);
      if (Skinned(w) != wasSkinned) ::RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      return r;
    }
    case WM_NCHITTEST:
    case WM_NCMOUSEMOVE: {
      LRESULT r = Default(msg, wParam, lParam);
      if (Subclassed()) DrawCaption(*this);
      return r;
    }
    case WM_SETCURSOR: {
      LRESULT r = Default(msg, wParam, lParam);
      if (LOWORD(lParam) != HTCLIENT)
        if (Subclassed()) DrawCaption(*this);
      return r;
    }
    case WM_SYSCOMMAND: {
      LRESULT r = Default(msg, wParam, lParam);
      if ((wParam & 0xFFF0) != SC_CLOSE)
        if (Subclassed()) DrawCaption(*this);
      return r;
    }
    case WM_NCPAINT: return NcPaint(*e, wParam);
    case WM_NCACTIVATE: {
      bool active = wParam || (e->ownerFlags && (*e->ownerFlags & kStayActive));
      if (!::IsWindowEnabled(w)) active = false;
      LRESULT r = Default(msg, active, lParam);
      if (Subclassed()) {
        this->active = active;
        DrawCaption(*this);
      }
      return r;
    }
    default: return Default(msg, wParam, lParam);
  }
}

}  // namespace

void AttachCaptionSkin(HWND window, unsigned* ownerFlags) {
  if (!window || Find(window)) return;
  CaptionSkinEntry* e = nullptr;
  for (int i = 0; i < kEntries && !e; ++i)
    if (!g_entries[i].Subclassed()) e = &g_entries[i];
  if (!e) return;
  const int index = static_cast<int>(e - g_entries);
  if (index >= g_count) g_count = index + 1;
  HWND foreground = ::GetForegroundWindow();
  if (!foreground) foreground = ::GetActiveWindow();
  e->active = ::IsWindowEnabled(window) && foreground == window;
  e->maximized = ::IsZoomed(window);
  e->ownerFlags = ownerFlags;
  e->caption = RECT{};
  if (!e->Attach(window)) Free(*e);
}

int CaptionSkinCount() {
  int n = 0;
  for (int i = 0; i < g_count; ++i)
    if (g_entries[i].Subclassed()) ++n;
  return n;
}
