#include "launcher/base/theme.h"

#include <vector>

#include "common/dpi.h"
#include "common/theme_ids.h"
#include "common/win/gdi.h"

std::unique_ptr<CTheme> CTheme::Load(const std::string& path) {
  constexpr DWORD kAsData = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
  UniqueModule lib(::LoadLibraryExA(path.c_str(), nullptr, kAsData));
  if (!lib) return nullptr;
  return std::unique_ptr<CTheme>(new CTheme(std::move(lib)));
}

CTheme::CTheme(UniqueModule module) : m_module(std::move(module)) {
  m_params = theme::ReadParams(AsSource());
  m_scaled = m_params;
}

void CTheme::SetDpi(int dpi) {
  if (dpi <= 0 || dpi == m_dpi) return;
  m_dpi = dpi;
  m_scaled = theme::ScaledParams(m_params, dpi);
}

int CTheme::Px(int pixelsAt96) const { return dpi::Scale(pixelsAt96, m_dpi); }

namespace {
const CTheme* g_current = nullptr;
void (*g_listener)() = nullptr;
}  // namespace

void CTheme::MakeCurrent(const CTheme* theme) {
  g_current = theme;
  if (g_listener) g_listener();
}

const CTheme* CTheme::Current() { return g_current; }

void CTheme::OnCurrentChange(void (*listener)()) { g_listener = listener; }

CTheme::~CTheme() {
  // Nothing may go on drawing from pictures that are about to be freed.
  if (g_current == this) MakeCurrent(nullptr);
}

UniqueFont CreateThemeFont(const theme::ThemeFont& f) {
  return UniqueFont(::CreateFontA(f.height, 0, 0, 0, f.style.weight, f.style.italic, f.style.underline,
                                  f.style.strikeOut, static_cast<BYTE>(f.charset), 0, 0, 0, 0, f.face.c_str()));
}

std::string CTheme::Text(int id, int bytes) const {
  std::vector<char> buf(static_cast<std::size_t>(bytes), '\0');
  int n = m_module ? ::LoadStringA(m_module.Get(), static_cast<UINT>(id), buf.data(), bytes) : 0;
  return std::string(buf.data(), n > 0 ? static_cast<std::size_t>(n) : 0);
}

int CTheme::Number(int id, int fallback) const { return Number(id, fallback, m_dpi); }

int CTheme::Number(int id, int fallback, int dpi) const {
  return dpi::Scale(theme::ParseNumber(Text(id), fallback), dpi);
}

COLORREF CTheme::Colour(int id, COLORREF fallback) const { return theme::ParseColour(Text(id), fallback); }

HBITMAP CTheme::Loaded(int id) const {
  auto it = m_bitmaps.find(id);
  if (it != m_bitmaps.end()) return it->second.Get();
  HBITMAP b = m_module ? static_cast<HBITMAP>(
                             ::LoadImageA(m_module.Get(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR))
                       : nullptr;
  return m_bitmaps.emplace(id, UniqueBitmap(b)).first->second.Get();
}

HBITMAP CTheme::Bitmap(int id) const { return Bitmap(id, m_dpi); }

HBITMAP CTheme::Bitmap(int id, int dpi) const {
  HBITMAP loaded = Loaded(id);
  if (dpi == dpi::kBase || !loaded) return loaded;
  const std::pair<int, int> key{dpi, id};
  auto it = m_scaledBitmaps.find(key);
  if (it != m_scaledBitmaps.end()) return it->second.Get();
  // Above 100 % from the library's 200 % picture where it has one, else from the 100 % one.
  HBITMAP twin = dpi > dpi::kBase ? Loaded(id + IDB_ART_200) : nullptr;
  const int from = ArtSourceDpi(loaded, twin, dpi);
  if (from == dpi) return twin;
  return m_scaledBitmaps.emplace(key, ScaledBitmap(from == dpi::kBase ? loaded : twin, dpi, from)).first->second.Get();
}

HCURSOR CTheme::Cursor(int id) const {
  auto it = m_cursors.find(id);
  if (it != m_cursors.end()) return it->second;
  HCURSOR c = m_module ? static_cast<HCURSOR>(::LoadImageA(m_module.Get(), MAKEINTRESOURCEA(id), IMAGE_CURSOR, 0, 0,
                                                           LR_DEFAULTSIZE | LR_SHARED))
                       : nullptr;
  return m_cursors.emplace(id, c).first->second;
}

theme::Source CTheme::AsSource() const {
  return {[this](int id, int bytes) { return Text(id, bytes); },
          [this](int id) -> std::optional<theme::Size> {
            HBITMAP b = Loaded(id);
            BITMAP bm{};
            if (!b || !::GetObjectA(b, sizeof bm, &bm)) return std::nullopt;
            return theme::Size{bm.bmWidth, bm.bmHeight};
          }};
}
