// The menu column under the system's high contrast: each menu a plain face with its name, the
// current one lit, and the page buttons with theirs.
#include "launcher/menus/menu_wnd.h"

#include "common/win/gdi.h"
#include "common/win/high_contrast.h"
#include "launcher/base/resource.h"
#include "launcher/skin/draw.h"

void CMenuWnd::DrawPlain(const DRAWITEMSTRUCT* d) {
  const int id = static_cast<int>(d->CtlID);
  const bool pressed = d->itemState & ODS_SELECTED;
  contrast::State state{.chosen = pressed, .hot = m_hotId == id, .disabled = (d->itemState & ODS_DISABLED) != 0};
  const char* label = id == IDC_MENU_PREV_PAGE ? "▲ 前のページ" : id == IDC_MENU_NEXT_PAGE ? "▼ 次のページ" : nullptr;
  int focus = 0;
  if (!label) {
    const int k = id - IDC_MENU_FIRST;
    if (k < 0 || k >= m_pages.PerPage() || k >= MenuPages::kMaxPerPage) return;
    state.hot = state.hot || m_drops[k].lit;
    state.chosen = pressed || m_pages.IsCurrentButton(k);
    label = m_names[k].c_str();
    if (m_pages.MenuOf(k) == m_pages.Focus() && FocusShown(m_hwnd)) focus = m_data->Theme().Px(2);
  }
  OffscreenPaint buffer(d->hDC, d->rcItem);
  contrast::DrawFace(buffer.Dc(), d->rcItem, contrast::Part::kButton, state, label, m_font.Get(), focus);
}
