// CTheme: a loaded theme library and what the launcher builds from it. The library is mapped as
// data only; windows borrow its bitmaps, cursors and values and never free them.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "common/win/handles.h"
#include "launcher/base/theme_values.h"

class CTheme {
 public:
  // Loads the library as a data file; an empty theme (no module) when it cannot be loaded.
  static std::unique_ptr<CTheme> Load(const std::string& path);
  ~CTheme();

  // Everything the windows read is for the DPI the theme is drawn at, scaled from the 96 DPI
  // pixels the library holds: the values, the places (Number) and the pictures.
  void SetDpi(int dpi);
  int Dpi() const { return m_dpi; }
  int Px(int pixelsAt96) const;  // a window's own size at the theme's DPI
  const theme::Params& Params() const { return m_scaled; }

  // The shared readers of a window's own identifiers; Number reads a place or a size.
  int Number(int id, int fallback) const;
  int Number(int id, int fallback, int dpi) const;  // for a window on a monitor of its own DPI
  COLORREF Colour(int id, COLORREF fallback) const;
  std::string Text(int id, int bytes = theme::kValueBytes) const;

  // Bitmaps are loaded once and kept for the life of the theme, and made once per DPI, above
  // 100 % from the library's 200 % picture when it holds one; null when the library has none.
  HBITMAP Bitmap(int id) const;
  HBITMAP Bitmap(int id, int dpi) const;
  HCURSOR Cursor(int id) const;

  theme::Source AsSource() const;

  // The theme the windows draw from now (borrowed). Whoever loads a theme makes it current before
  // the old one goes; a theme that goes while current leaves none. Parts that keep pictures made
  // from the current theme (the scroll-bar skin) are told of every change.
  static void MakeCurrent(const CTheme* theme);
  static const CTheme* Current();
  static void OnCurrentChange(void (*listener)());

 private:
  explicit CTheme(UniqueModule module);

  HBITMAP Loaded(int id) const;  // as the library holds it

  UniqueModule m_module;
  int m_dpi = 96;
  theme::Params m_params, m_scaled;
  mutable std::map<int, UniqueBitmap> m_bitmaps;
  // By DPI and id, kept for the theme's life: a window may still hold a picture of the DPI before.
  mutable std::map<std::pair<int, int>, UniqueBitmap> m_scaledBitmaps;
  mutable std::map<int, HCURSOR> m_cursors;  // shared resources: the system frees them
};

UniqueFont CreateThemeFont(const theme::ThemeFont& f);
