// The main window under the system's high contrast: its frame, title strip and buttons drawn
// plain in the system's colours, and everything drawn again when the setting or the colours
// change.
#include "launcher/app/main_frame.h"

#include "common/win/gdi.h"
#include "common/win/high_contrast.h"
#include "launcher/app/main_frame_parts.h"

using namespace mainframe;

namespace {

// What each button says, in the order of CMainFrame::Button: Close and Minimise are too small
// for their names.
constexpr const char* kPlainLabels[] = {"×", "－", "閉", "更新", "中止", "進む", "戻る"};

}  // namespace

// Every top-level window hears of a change; the frame passes it on to its children and has every
// part draw again.
void CMainFrame::OnSystemLook(UINT msg, WPARAM wParam, LPARAM lParam) {
  contrast::Update();  // a dialog that heard it first may have read it already
  if (contrast::On() == m_plain && msg != WM_SYSCOLORCHANGE) return;
  m_plain = contrast::On();
  contrast::PassToChildren(m_hwnd, msg, wParam, lParam);
  m_tools.ApplyTheme(true);
  m_panel.ApplyTheme(true);
  m_panel.RefreshItems(false);
  // Erased now: the button panel draws its background only when erased.
  ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASENOW);
}

// The window's surface framed in the text colour, and the title strip (where a press drags the
// window) with the title, lit while the window is active.
void CMainFrame::PaintPlain(HDC dc, const RECT& client) {
  contrast::FillSurface(m_hwnd, dc, true);
  const int edge = Px(kEdge);
  const RECT strip{edge, edge, client.right - edge, Px(m_webOpen ? kWebStripTop : kStripTop)};
  const RECT text{strip.left + Px(6), strip.top, strip.right - Px(6), strip.bottom};
  UniqueFont font = CreateThemeFont(m_data.Theme().Params().fontA);
  contrast::DrawTitleStrip(dc, strip, text, m_title.c_str(), m_active, font.Get());
}

void CMainFrame::DrawPlainButton(const DRAWITEMSTRUCT* d, int button) {
  const contrast::State state{.chosen = (d->itemState & ODS_SELECTED) != 0,
                              .disabled = (d->itemState & ODS_DISABLED) != 0};
  UniqueFont font = CreateThemeFont(m_data.Theme().Params().fontD);
  contrast::DrawFace(d->hDC, d->rcItem, contrast::Part::kButton, state, kPlainLabels[button], font.Get());
}
