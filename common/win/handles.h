// Owning wrappers for kernel handles, mapped views, modules, GDI objects, icons, menus, keys,
// global memory, shell memory and image lists. Move-only; each closes what it owns exactly once.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <utility>

template <typename Traits>
class UniqueResource {
 public:
  using Type = typename Traits::Type;
  UniqueResource() = default;
  explicit UniqueResource(Type h) : m_h(h) {}
  UniqueResource(UniqueResource&& o) noexcept : m_h(o.Detach()) {}
  UniqueResource& operator=(UniqueResource&& o) noexcept {
    if (this != &o) Reset(o.Detach());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  ~UniqueResource() { Reset(); }

  Type Get() const { return m_h; }
  explicit operator bool() const { return Traits::Valid(m_h); }
  Type Detach() { return std::exchange(m_h, Traits::Invalid()); }
  void Reset(Type h = Traits::Invalid()) {
    if (Traits::Valid(m_h)) Traits::Close(m_h);
    m_h = h;
  }

 private:
  Type m_h = Traits::Invalid();
};

struct KernelHandleTraits {  // events, mappings, processes: NULL means none
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFile: INVALID_HANDLE_VALUE means none
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Valid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::CloseHandle(h); }
};
struct ViewTraits {
  using Type = void*;
  static Type Invalid() { return nullptr; }
  static bool Valid(Type p) { return p != nullptr; }
  static void Close(Type p) { ::UnmapViewOfFile(p); }
};
struct ModuleTraits {
  using Type = HMODULE;
  static Type Invalid() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::FreeLibrary(h); }
};
template <typename T>
struct GdiObjectTraits {  // fonts, brushes, pens, bitmaps made by this process
  using Type = T;
  static Type Invalid() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::DeleteObject(h); }
};

struct IconTraits {  // icons extracted or created by this process (never shared or loaded ones)
  using Type = HICON;
  static Type Invalid() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::DestroyIcon(h); }
};
struct MenuTraits {  // LoadMenu, CreatePopupMenu: a menu that no window holds
  using Type = HMENU;
  static Type Invalid() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::DestroyMenu(h); }
};
struct FindTraits {  // FindFirstFile
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Valid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::FindClose(h); }
};
struct RegKeyTraits {
  using Type = HKEY;
  static Type Invalid() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::RegCloseKey(h); }
};

struct GlobalTraits {  // GlobalAlloc; a block handed to the system (SetData, a medium) is detached
  using Type = HGLOBAL;
  static Type Invalid() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::GlobalFree(h); }
};
template <typename T>
struct CoTaskMemTraits {  // memory the shell hands out (item id lists), freed by the task allocator
  using Type = T;
  static Type Invalid() { return nullptr; }
  static bool Valid(Type p) { return p != nullptr; }
  static void Close(Type p) { ::CoTaskMemFree(p); }
};
struct ImageListTraits {
  using Type = HIMAGELIST;
  static Type Invalid() { return nullptr; }
  static bool Valid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::ImageList_Destroy(h); }
};

using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueGlobal = UniqueResource<GlobalTraits>;
using UniqueImageList = UniqueResource<ImageListTraits>;
using UniqueFile = UniqueResource<FileHandleTraits>;
using UniqueView = UniqueResource<ViewTraits>;
using UniqueModule = UniqueResource<ModuleTraits>;
using UniqueFont = UniqueResource<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueResource<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueResource<GdiObjectTraits<HBITMAP>>;
using UniquePen = UniqueResource<GdiObjectTraits<HPEN>>;
using UniquePalette = UniqueResource<GdiObjectTraits<HPALETTE>>;
using UniqueRegion = UniqueResource<GdiObjectTraits<HRGN>>;
using UniqueIcon = UniqueResource<IconTraits>;
using UniqueMenu = UniqueResource<MenuTraits>;
using UniqueFind = UniqueResource<FindTraits>;
using UniqueRegKey = UniqueResource<RegKeyTraits>;
template <typename T>
using UniqueCoTaskMem = UniqueResource<CoTaskMemTraits<T>>;

// A global block locked for the life of the scope: its bytes, or null when it cannot be locked.
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL block) : m_block(block), m_bytes(block ? ::GlobalLock(block) : nullptr) {}
  ~LockedGlobal() {
    if (m_bytes) ::GlobalUnlock(m_block);
  }
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  void* Get() const { return m_bytes; }
  SIZE_T Size() const { return m_bytes ? ::GlobalSize(m_block) : 0; }

 private:
  HGLOBAL m_block;
  void* m_bytes;
};

// The device context of a window (the screen for null), released on scope exit.
class WindowDC {
 public:
  explicit WindowDC(HWND wnd) : m_wnd(wnd), m_dc(::GetDC(wnd)) {}
  ~WindowDC() {
    if (m_dc) ::ReleaseDC(m_wnd, m_dc);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HWND m_wnd;
  HDC m_dc;
};

// The device context of a whole window, frame and scroll bars included, released on scope exit.
class WindowFrameDC {
 public:
  explicit WindowFrameDC(HWND wnd) : m_wnd(wnd), m_dc(::GetWindowDC(wnd)) {}
  ~WindowFrameDC() {
    if (m_dc) ::ReleaseDC(m_wnd, m_dc);
  }
  WindowFrameDC(const WindowFrameDC&) = delete;
  WindowFrameDC& operator=(const WindowFrameDC&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HWND m_wnd;
  HDC m_dc;
};
