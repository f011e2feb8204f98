#include "launcher/skin/scroll_skin.h"

#include "common/theme_ids.h"
#include "common/ui/subclass.h"
#include "common/win/gdi.h"
#include "common/win/handles.h"
#include "common/win/high_contrast.h"
#include "launcher/base/theme.h"
#include "launcher/skin/scroll_geometry.h"

namespace {

// What a rendered strip was made from; it is reused while all of it is unchanged.
struct StripKey {
  RECT strip{};  // window coordinates
  bool up = false, down = false, disabled = false;
  scrollgeom::ScrollValues values;
  bool operator==(const StripKey& o) const {
    return ::EqualRect(&strip, &o.strip) && up == o.up && down == o.down && disabled == o.disabled &&
           values == o.values;
  }
};

struct ScrollSkinEntry : CSubclass {
  LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnDetached() override;
  LRESULT Erase(WPARAM wParam, LPARAM lParam) { return Default(WM_ERASEBKGND, wParam, lParam); }
  WORD baseId = 0;
  bool upPressed = false, downPressed = false;  // the arrows as the last scroll message left them
  StripKey cached;
  UniqueBitmap strip;
  HWND cover = nullptr;
};

ScrollSkinEntry g_entries[kMaxScrollSkins];
int g_used = 0;  // entries [0, g_used) may be taken; every later one is free

int FindIndex(HWND wnd) {
  for (int i = 0; i < g_used; ++i)
    if (g_entries[i].Subclassed() == wnd) return i;
  return -1;
}
ScrollSkinEntry* Find(HWND wnd) {
  const int i = wnd ? FindIndex(wnd) : -1;
  return i < 0 ? nullptr : &g_entries[i];
}

void ForgetStrip(ScrollSkinEntry& e) {
  e.strip.Reset();
  e.cached = {};
}

RECT CurrentStrip(HWND wnd) {
  RECT window{}, client{};
  ::GetWindowRect(wnd, &window);
  ::GetClientRect(wnd, &client);
  POINT origin{0, 0};
  ::ClientToScreen(wnd, &origin);
  const int dx = origin.x - window.left, dy = origin.y - window.top;
  Rect s = scrollgeom::StripRect({dx, dy, dx + client.right, dy + client.bottom}, ::GetSystemMetrics(SM_CXVSCROLL));
  return {s.left, s.top, s.right, s.bottom};
}

// None under high contrast: the bar is drawn in the system's colours, as a theme without pictures has it.
HBITMAP Picture(const ScrollSkinEntry& e, int offset) {
  if (contrast::On()) return nullptr;
  const CTheme* theme = CTheme::Current();
  return theme ? theme->Bitmap(e.baseId + offset) : nullptr;
}

// Stretches a whole picture (or a band of its rows) into a rectangle of the strip.
void Stretch(HDC dc, int x, int y, int w, int h, HBITMAP picture, int srcTop = 0, int srcRows = -1) {
  BITMAP bm{};
  if (!::GetObjectA(picture, sizeof bm, &bm)) return;
  MemoryDC src(dc);
  src.Select(picture);
  ::StretchBlt(dc, x, y, w, h, src.Get(), 0, srcTop, bm.bmWidth, srcRows < 0 ? bm.bmHeight : srcRows, SRCCOPY);
}

void DrawArrow(HDC dc, const ScrollSkinEntry& e, const scrollgeom::Band& band, int width, bool upArrow, bool pressed,
               bool disabled) {
  if (band.height <= 0) return;
  const int first = upArrow ? IDB_SCROLL_UP : IDB_SCROLL_DOWN;
  HBITMAP pic = Picture(e, first + (disabled ? 2 : pressed ? 1 : 0));
  if (pic) {
    Stretch(dc, 0, band.top, width, band.height, pic);
    return;
  }
  RECT rc{0, band.top, width, band.top + band.height};  // a theme without the picture: the system's arrow
  ::DrawFrameControl(
      dc, &rc, DFC_SCROLL,
      (upArrow ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) | (disabled ? DFCS_INACTIVE : 0) | (pressed ? DFCS_PUSHED : 0));
}

HBITMAP Render(ScrollSkinEntry& e) {
  SCROLLINFO si{sizeof si, SIF_ALL};
  if (!::GetScrollInfo(e.Subclassed(), SB_VERT, &si)) si = SCROLLINFO{sizeof si};
  StripKey key;
  key.strip = CurrentStrip(e.Subclassed());
  key.values = {si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos};
  key.disabled = scrollgeom::IsDisabled(key.values);
  key.up = e.upPressed;
  key.down = e.downPressed;
  const int w = key.strip.right - key.strip.left, h = key.strip.bottom - key.strip.top;
  if (w <= 0 || h <= 0) return nullptr;
  if (e.strip && key == e.cached) return e.strip.Get();

  WindowDC screen(nullptr);
  UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), w, h));
  if (!bitmap) return nullptr;
  {
    MemoryDC mem(screen.Get());
    mem.Select(bitmap.Get());
    RECT all{0, 0, w, h};
    if (HBITMAP track = Picture(e, IDB_SCROLL_TRACK)) {
      UniqueBrush pattern(::CreatePatternBrush(track));
      ::FillRect(mem.Get(), &all, pattern.Get());
    } else {
      ::FillRect(mem.Get(), &all, ::GetSysColorBrush(COLOR_SCROLLBAR));
    }
    ::SetStretchBltMode(mem.Get(), COLORONCOLOR);
    const scrollgeom::Metrics metrics{::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYVSCROLL),
                                      ::GetSystemMetrics(SM_CYVTHUMB)};
    const scrollgeom::StripLayout layout = scrollgeom::LayoutStrip(h, key.values, metrics);
    DrawArrow(mem.Get(), e, layout.up, w, true, key.up, key.disabled);
    DrawArrow(mem.Get(), e, layout.down, w, false, key.down, key.disabled);
    if (layout.hasThumb) {
      if (HBITMAP thumb = Picture(e, IDB_SCROLL_THUMB)) {
        scrollgeom::ThumbSlice slices[3];
        const int n = scrollgeom::SliceThumb(layout.thumb, slices);
        for (int i = 0; i < n; ++i)
          Stretch(mem.Get(), 0, slices[i].dstTop, w, slices[i].dstRows, thumb, slices[i].srcTop, slices[i].srcRows);
      } else {
        RECT rc{0, layout.thumb.top, w, layout.thumb.top + layout.thumb.height};
        ::FillRect(mem.Get(), &rc, ::GetSysColorBrush(COLOR_BTNFACE));
        ::DrawEdge(mem.Get(), &rc, EDGE_RAISED, BF_RECT);
      }
    }
  }
  e.strip = std::move(bitmap);
  e.cached = key;
  return e.strip.Get();
}

// Copies the strip over the system's bar. A window whose bar is hidden has no strip to cover.
void Blit(ScrollSkinEntry& e) {
  if (::IsIconic(e.Subclassed()) || !(::GetWindowLongA(e.Subclassed(), GWL_STYLE) & WS_VSCROLL)) return;
  HBITMAP b = Render(e);
  if (!b) return;
  WindowFrameDC dc(e.Subclassed());
  MemoryDC mem(dc.Get());
  mem.Select(b);
  const RECT& s = e.cached.strip;
  ::BitBlt(dc.Get(), s.left, s.top, s.right - s.left, s.bottom - s.top, mem.Get(), 0, 0, SRCCOPY);
}

void DestroyCover(ScrollSkinEntry& e) {
  HWND cover = e.cover;
  e.cover = nullptr;
  if (cover && ::IsWindow(cover)) ::DestroyWindow(cover);
}

void Uninstall(ScrollSkinEntry& e) {
  e.Detach();
  DestroyCover(e);
  e.baseId = 0;
  e.upPressed = e.downPressed = false;
  ForgetStrip(e);
  while (g_used > 0 && !g_entries[g_used - 1].Subclassed()) --g_used;
}

void ScrollSkinEntry::OnDetached() { Uninstall(*this); }

LRESULT CALLBACK CoverProc(HWND cover, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      // Window handles keep their meaning in 32 bits, so the class's 4 extra bytes hold one.
      ::SetWindowLongA(cover, 0, static_cast<LONG>(reinterpret_cast<LONG_PTR>(cs->lpCreateParams)));
      return 0;
    }
    case WM_PAINT: {
      PaintGuard paint(cover);
      const HDC dc = paint.Dc();
      HWND skinned = reinterpret_cast<HWND>(static_cast<LONG_PTR>(::GetWindowLongA(cover, 0)));
      if (ScrollSkinEntry* e = Find(skinned)) {
        if (HBITMAP b = Render(*e)) {
          MemoryDC mem(dc);
          mem.Select(b);
          const RECT& s = e->cached.strip;
          ::BitBlt(dc, 0, 0, s.right - s.left, s.bottom - s.top, mem.Get(), 0, 0, SRCCOPY);
        }
      }
      return 0;
    }
    default: return ::DefWindowProcA(cover, msg, wParam, lParam);
  }
}

bool RegisterCoverClass() {
  static bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = CoverProc;
    wc.cbWndExtra = 4;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kScrollCoverClass;
    return ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

// While the system tracks the thumb in its own loop it draws its bar; a popup over the strip,
// shown for as long as the window holds the capture, keeps the skin visible.
void CreateCover(ScrollSkinEntry& e) {
  RECT window{};
  ::GetWindowRect(e.Subclassed(), &window);
  RECT s = CurrentStrip(e.Subclassed());
  ::OffsetRect(&s, window.left, window.top);
  e.cover = ::CreateWindowExA(0, kScrollCoverClass, "", WS_POPUP, s.left, s.top, s.right - s.left, s.bottom - s.top,
                              e.Subclassed(), nullptr, ::GetModuleHandleA(nullptr), e.Subclassed());
  if (e.cover) ::ShowWindow(e.cover, SW_SHOWNOACTIVATE);
}

// Non-client painting of everything but the strip, then the strip from the skin.
bool PaintFrame(ScrollSkinEntry& e, WPARAM updateRegion) {
  RECT window{};
  ::GetWindowRect(e.Subclassed(), &window);
  RECT s = CurrentStrip(e.Subclassed());
  ::OffsetRect(&s, window.left, window.top);  // the update region is in screen coordinates
  HRGN update = reinterpret_cast<HRGN>(updateRegion);
  const bool whole = updateRegion == 1;
  if (!whole && !::RectInRegion(update, &s)) return false;
  UniqueRegion rest(whole ? ::CreateRectRgnIndirect(&window) : ::CreateRectRgn(0, 0, 0, 0));
  if (!whole) ::CombineRgn(rest.Get(), update, nullptr, RGN_COPY);
  UniqueRegion strip(::CreateRectRgnIndirect(&s));
  ::CombineRgn(rest.Get(), rest.Get(), strip.Get(), RGN_DIFF);
  ::DefWindowProcA(e.Subclassed(), WM_NCPAINT, reinterpret_cast<WPARAM>(rest.Get()), 0);
  Blit(e);
  return true;
}

// The previous procedure erases everything but the strip.
LRESULT EraseBackground(ScrollSkinEntry& e, HWND wnd, WPARAM wParam, LPARAM lParam) {
  Blit(e);
  HDC dc = reinterpret_cast<HDC>(wParam);
  RECT window{};
  ::GetWindowRect(wnd, &window);
  RECT s = CurrentStrip(wnd);
  UniqueRegion clip(::CreateRectRgn(0, 0, window.right - window.left, window.bottom - window.top));
  UniqueRegion strip(::CreateRectRgnIndirect(&s));
  ::CombineRgn(clip.Get(), clip.Get(), strip.Get(), RGN_DIFF);
  POINT origin{0, 0};  // the DC's origin is the client origin
  ::ClientToScreen(wnd, &origin);
  ::OffsetRgn(clip.Get(), window.left - origin.x, window.top - origin.y);
  UniqueRegion saved(::CreateRectRgn(0, 0, 0, 0));
  const bool hadClip = ::GetClipRgn(dc, saved.Get()) == 1;
  ::SelectClipRgn(dc, clip.Get());
  e.Erase(wParam, lParam);
  ::SelectClipRgn(dc, hadClip ? saved.Get() : nullptr);
  return 0;
}

LRESULT ScrollSkinEntry::SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  const HWND wnd = Subclassed();
  ScrollSkinEntry* e = this;
  switch (msg) {
    case WM_DESTROY: {
      LRESULT r = Default(msg, wParam, lParam);
      if (Subclassed()) Uninstall(*this);
      return r;
    }
    case WM_PAINT:
    case WM_NCLBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_NCMOUSEMOVE:  // the system draws its bar's hover state on these two
    case WM_NCMOUSELEAVE: {
      LRESULT r = Default(msg, wParam, lParam);
      if (Subclassed()) Blit(*this);  // the call can destroy the window
      return r;
    }
    case WM_ERASEBKGND: return EraseBackground(*e, wnd, wParam, lParam);
    case WM_SYSCOLORCHANGE:
    case WM_WININICHANGE: ForgetStrip(*e); break;
    case WM_NCPAINT:
      if ((::GetWindowLongA(wnd, GWL_STYLE) & WS_VSCROLL) && PaintFrame(*e, wParam)) return 0;
      break;
    case WM_VSCROLL: {
      if (::GetCapture() == wnd && !e->cover) CreateCover(*e);
      switch (LOWORD(wParam)) {
        case SB_LINEUP: e->upPressed = true; break;
        case SB_LINEDOWN: e->downPressed = true; break;
        case SB_ENDSCROLL: e->upPressed = e->downPressed = false; break;
        default: break;
      }
      Blit(*e);
      LRESULT r = Default(msg, wParam, lParam);
      if (Subclassed()) {
        Blit(*e);
        if (e->cover) {
          ::InvalidateRect(e->cover, nullptr, TRUE);
          ::UpdateWindow(e->cover);
        }
      }
      return r;
    }
    case WM_CAPTURECHANGED: DestroyCover(*e); break;
    default: break;
  }
  return Default(msg, wParam, lParam);
}

void OnThemeChange() {
  for (int i = 0; i < g_used; ++i) {
    ScrollSkinEntry& e = g_entries[i];
    if (!e.Subclassed()) continue;
    ForgetStrip(e);
    ::RedrawWindow(e.Subclassed(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  }
}

}  // namespace

int InstallScrollBarSkin(HWND wnd, WORD baseId) {
  if (!wnd || !::IsWindow(wnd)) return 0;
  if (Find(wnd)) return 1;
  RegisterCoverClass();
  CTheme::OnCurrentChange(&OnThemeChange);
  int slot = 0;
  while (slot < g_used && g_entries[slot].Subclassed()) ++slot;
  if (slot == kMaxScrollSkins) return 0;
  ScrollSkinEntry& e = g_entries[slot];
  ForgetStrip(e);
  e.upPressed = e.downPressed = false;
  e.cover = nullptr;
  e.baseId = baseId;
  if (!e.Attach(wnd)) return 0;
  if (slot == g_used) ++g_used;
  return 1;
}

int ScrollSkinEntriesInUse() { return g_used; }

HBITMAP RenderScrollSkin(HWND wnd) {
  ScrollSkinEntry* e = Find(wnd);
  return e ? Render(*e) : nullptr;
}
