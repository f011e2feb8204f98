// The button panel under the system's high contrast: no pictures, each button a plain face
// with a short word for what it does.
#include "launcher/panels/button_panel_wnd.h"

#include <string>

#include "common/win/gdi.h"
#include "common/win/high_contrast.h"
#include "launcher/base/resource.h"
#include "launcher/skin/draw.h"

void CButtonPanelWnd::DrawPlain(const DRAWITEMSTRUCT* d) {
  const int id = static_cast<int>(d->CtlID);
  std::string label;
  switch (id) {
    case IDC_TOOL_USER: label = m_data->UserName() + " ▼"; break;
    case IDC_TOOL_LR: label = m_data->IsWide() ? "狭く" : "広く"; break;
    case IDC_TOOL_LUPE: label = "追加"; break;
    case IDC_TOOL_EDIT: label = "編集"; break;
    case IDC_TOOL_HELP: label = "？"; break;
    case IDC_TOOL_TRASH: label = "ごみ箱"; break;
    default: return;
  }
  const contrast::State state{.chosen = (d->itemState & ODS_SELECTED) || (id == IDC_TOOL_TRASH && m_trashHot),
                              .hot = m_hotId == id};
  UniqueFont font = CreateThemeFont(m_data->Theme().Params().fontD);
  OffscreenPaint buffer(d->hDC, d->rcItem);
  const int focus = (d->itemState & ODS_FOCUS) && FocusCuesOn(d->hwndItem) ? m_data->Theme().Px(2) : 0;
  contrast::DrawFace(buffer.Dc(), d->rcItem, contrast::Part::kButton, state, label.c_str(), font.Get(), focus);
}
