// What each slot shows: the item's look (kept in a cache while no item changes), its caption as
// the tile wraps it, and the tip that shows a caption drawn cut.
#include "launcher/panels/icon_panel_wnd.h"

#include "common/cp932.h"
#include "common/win/gdi.h"
#include "launcher/skin/cut_tips.h"

void CIconPanelWnd::AssignSlots() {
  std::array<int, iconpanel::kSlotCount> shown = m_grid.AssignSlots();
  MemoryDC measure(nullptr);
  ScopedSelect font(measure.Get(), m_nameFont.Get());
  for (int i = 0; i < iconpanel::kSlotCount; ++i) {
    ItemSlot& s = m_slots[static_cast<std::size_t>(i)];
    s.shown = shown[static_cast<std::size_t>(i)];
    if (s.shown == s.loaded || s.shown < 0 || !m_grid.RowVisible(s.shown)) continue;
    s.Release();
    const TileRef ref = Ref(s.shown);
    const ItemRecord* item = m_data->Items().Find(ref.menu, ref.position);
    if (!item || !(s.look = LookOf(ref, *item))) continue;  // a failure is retried at the next assignment
    cp932::CopyBounded(s.caption, sizeof s.caption, item->caption);
    s.loaded = s.shown;
    WrapCaption(measure.Get(), s);
  }
  UpdateTips();
  CheckTargets();
}

void CIconPanelWnd::CheckTargets() {
  std::vector<std::string> targets;
  for (const ItemSlot& s : m_slots)
    if (s.look && s.shown >= 0) targets.push_back(s.look->target);
  m_checks.Request(targets);
}

void CIconPanelWnd::OnActivated() {
  m_checks.MarkStale();
  CheckTargets();
}

std::shared_ptr<const ItemPresentation> CIconPanelWnd::LookOf(const TileRef& ref, const ItemRecord& item) {
  constexpr std::size_t kMaxLooks = 4096;
  if (m_data->Items().Revision() != m_looksRevision || m_looks.size() > kMaxLooks) {
    m_looks.clear();
    m_checks.Clear();
    m_looksRevision = m_data->Items().Revision();
  }
  std::shared_ptr<const ItemPresentation>& cached = m_looks[item.file + '\n' + item.iconFile];
  if (cached) return cached;
  auto look = std::make_shared<ItemPresentation>();
  char name[260];
  if (!GetItemPresentation(*m_data, ref.menu, ref.position, *look, name, sizeof name, nullptr, 0)) return nullptr;
  return cached = std::move(look);
}

// As many lines as the theme's name box holds, broken at spaces where the words fit.
void CIconPanelWnd::WrapCaption(HDC measure, ItemSlot& slot) const {
  const Rect& box = m_grid.layout.name;
  const int lines = std::max(box.Height() / m_lineHeight, 1);
  textwrap::Wrapped w = textwrap::Wrap(slot.caption, box.Width(), lines, cuttips::MeasureIn(measure));
  slot.lines = std::move(w.lines);
  slot.cut = w.cut;
}

void CIconPanelWnd::AttachTips(HWND tooltip) {
  m_tips = tooltip;
  const RECT none{0, 0, 0, 0};
  for (UINT_PTR i = 0; i < m_slots.size(); ++i) cuttips::AddTool(tooltip, m_hwnd, i, &none);
  UpdateTips();
}

// Each slot's tool covers its tile while the tile is shown.
void CIconPanelWnd::UpdateTips() {
  if (!m_tips) return;
  for (std::size_t i = 0; i < m_slots.size(); ++i) {
    const int p = m_slots[i].shown;
    const RECT at = p >= 0 && m_grid.RowVisible(p) ? ToRECT(m_grid.HitRect(p, false)) : RECT{0, 0, 0, 0};
    cuttips::MoveTool(m_tips, m_hwnd, i, at);
  }
}
