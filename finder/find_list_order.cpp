// CFindListCtrl's view over the results: the filter, the sort, the details view's columns and
// texts, and the look remembered in the settings.
#include "finder/find_list_ctrl.h"

#include <algorithm>
#include <unordered_set>

#include "common/dpi.h"
#include "common/ini_keys.h"
#include "common/win/text.h"
#include "finder/finder_ids.h"
#include "finder/finder_settings.h"

namespace fs = findsettings;
using namespace resultrules;

namespace {

constexpr UINT kLookSaveDelayMs = 500;
// Names folded in one call of the platform: separated by a line feed, which no file name holds
// and the folding leaves alone.
constexpr std::size_t kFoldBatch = 2048;

std::string DateText(std::uint64_t written) {
  if (!written) return std::string();
  const FILETIME ft{static_cast<DWORD>(written), static_cast<DWORD>(written >> 32)};
  SYSTEMTIME utc{}, local{};
  if (!::FileTimeToSystemTime(&ft, &utc) || !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return "";
  char date[80] = {}, time[80] = {};
  ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, sizeof date);
  ::GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, time, sizeof time);
  return std::string(date) + ' ' + time;
}

}  // namespace

void CFindListCtrl::LoadLook() {
  m_details = m_settings.GetInt(inikeys::kFindInit, fs::kResultView, 0) == 1;
  m_widths = ParseWidths(m_settings.GetString(inikeys::kFindInit, fs::kColumnWidths));
  m_sort = OrderOf(m_settings.GetInt(inikeys::kFindInit, fs::kSortColumn, -1),
                   m_settings.GetInt(inikeys::kFindInit, fs::kSortDescending, 0));
}

void CFindListCtrl::SaveLook() const {
  fs::Edit(m_settings, [&](IniText& ini) {
    ini.SetInt(inikeys::kFindInit, fs::kResultView, m_details ? 1 : 0);
    ini.Set(inikeys::kFindInit, fs::kColumnWidths, WidthsText(m_widths));
    ini.SetInt(inikeys::kFindInit, fs::kSortColumn, m_sort.column);
    ini.SetInt(inikeys::kFindInit, fs::kSortDescending, m_sort.descending ? 1 : 0);
  });
}

void CFindListCtrl::CreateColumns() {
  const int dpi = m_dpi;
  for (int column = 0; column < kColumnCount; ++column) {
    char title[64] = {};
    ::LoadStringA(m_inst, IDS_COLUMN_NAME + column, title, sizeof title);
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.fmt = column == kSize ? LVCFMT_RIGHT : LVCFMT_LEFT;
    c.cx = dpi::Scale(m_widths[column], dpi);
    c.pszText = title;
    ::SendMessageA(m_hwnd, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&c));
  }
}

void CFindListCtrl::SetDpi(int dpi) {
  m_dpi = dpi;
  SetIconSides(dpi::IconSize(dpi), dpi::Scale(16, dpi));
  for (int column = 0; column < kColumnCount; ++column)
    ListView_SetColumnWidth(m_hwnd, column, dpi::Scale(m_widths[column], dpi));
}

void CFindListCtrl::ApplyView() {
  const LONG style = ::GetWindowLongA(m_hwnd, GWL_STYLE);
  ::SetWindowLongA(m_hwnd, GWL_STYLE, (style & ~LVS_TYPEMASK) | (m_details ? LVS_REPORT : LVS_ICON));
  if (!m_details) ::SendMessageA(m_hwnd, LVM_ARRANGE, LVA_DEFAULT, 0);
  ShowSortArrow();
  ::InvalidateRect(m_hwnd, nullptr, TRUE);
}

void CFindListCtrl::SetDetails(bool details) {
  if (details == m_details) return;
  m_details = details;
  ApplyView();
  SaveLook();
}

void CFindListCtrl::ShowSortArrow() {
  HWND header = ListView_GetHeader(m_hwnd);
  for (int column = 0; column < kColumnCount; ++column) {
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    if (!::SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item))) continue;
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (column == m_sort.column) item.fmt |= m_sort.descending ? HDF_SORTDOWN : HDF_SORTUP;
    ::SendMessageA(header, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
  }
}

void CFindListCtrl::OnColumnClick(int column) {
  if (column < 0 || column >= kColumnCount) return;
  m_sort = Clicked(m_sort, column);
  SortOrder();
  Refresh(false);
  ShowSortArrow();
  SaveLook();
}

void CFindListCtrl::SortOrder() {
  if (m_sort.column == kName) MakeNameKeys();
  if (m_sort.column != kFolder) {
    SortIds(m_order, m_sort.descending, [this](std::uint32_t a, std::uint32_t b) { return CompareResults(a, b); });
    return;
  }
  std::vector<std::string_view> folders;
  folders.reserve(m_items.size());
  for (const ResultItem& item : m_items) folders.push_back(findrules::FolderOf(item.path));
  const std::vector<std::uint32_t> ranks = FolderRanks(folders);
  SortIds(m_order, m_sort.descending, [&ranks](std::uint32_t a, std::uint32_t b) {
    return ranks[a] < ranks[b] ? -1 : ranks[a] > ranks[b] ? 1 : 0;
  });
}

// A drag of a column's edge changes its width many times: the last width is saved once it rests.
void CFindListCtrl::NoteColumnWidths() {
  const int dpi = m_dpi;
  bool changed = false;
  for (int column = 0; column < kColumnCount; ++column) {
    const int shown = ListView_GetColumnWidth(m_hwnd, column);
    if (shown <= 0 || shown == dpi::Scale(m_widths[column], dpi)) continue;
    m_widths[column] = ::MulDiv(shown, dpi::kBase, dpi);
    changed = true;
  }
  if (!changed) return;
  m_lookPending = true;
  ::SetTimer(m_hwnd, kLookTimer, kLookSaveDelayMs, nullptr);
}

int CFindListCtrl::CompareResults(std::uint32_t a, std::uint32_t b) {
  const ResultItem &x = m_items[a], &y = m_items[b];
  return CompareKeys(static_cast<Column>(m_sort.column),
                     SortKeys{findrules::FolderOf(x.path), x.size, x.written, x.nameKey},
                     SortKeys{findrules::FolderOf(y.path), y.size, y.written, y.nameKey});
}

void RankCharacters(std::vector<std::uint32_t>& ranks) {
  std::vector<wchar_t> known;
  for (std::size_t c = 0; c < ranks.size(); ++c)
    if (ranks[c]) known.push_back(static_cast<wchar_t>(c));
  auto compare = [](wchar_t a, wchar_t b) {
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, &a, 1, &b, 1) - CSTR_EQUAL;
  };
  std::sort(known.begin(), known.end(), [&](wchar_t a, wchar_t b) { return compare(a, b) < 0; });
  std::uint32_t rank = 1;
  for (std::size_t i = 0; i < known.size(); ++i) {
    if (i > 0 && compare(known[i - 1], known[i]) != 0) ++rank;
    ranks[known[i]] = rank;
  }
}

// Names as Explorer orders them: the user's locale, case aside, digits as numbers. The platform
// ranks each character once; comparing two names is then the platform's work no more.
void CFindListCtrl::MakeNameKeys() {
  constexpr std::uint32_t kUnranked = 1;
  if (m_charRanks.empty()) m_charRanks.assign(0x10000, 0);
  bool grown = false;
  for (const ResultItem& item : m_items) {
    if (!item.nameKey.empty()) continue;
    for (wchar_t c : wintext::FromCp932(findrules::FileNameOf(item.path)))
      if (!m_charRanks[c]) m_charRanks[c] = kUnranked, grown = true;
  }
  if (grown) RankCharacters(m_charRanks);
  for (ResultItem& item : m_items) {
    if (!grown && !item.nameKey.empty()) continue;
    const std::wstring wide = wintext::FromCp932(findrules::FileNameOf(item.path));
    item.nameKey =
        NameKey(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()), m_charRanks);
  }
}

void CFindListCtrl::FoldNames(std::size_t first) {
  std::vector<std::size_t> batch;
  std::string joined;
  auto fold = [&] {
    const std::u16string folded = wintext::FoldForSearch(joined);
    std::size_t at = 0;
    for (std::size_t id : batch) {
      const std::size_t end = std::min(folded.find(u'\n', at), folded.size());
      m_items[id].folded = folded.substr(at, end - at);
      at = end + 1;
    }
    batch.clear();
    joined.clear();
  };
  for (std::size_t id = first; id < m_items.size(); ++id) {
    if (!m_items[id].folded.empty()) continue;
    joined.append(findrules::FileNameOf(m_items[id].path));
    joined += '\n';
    batch.push_back(id);
    if (batch.size() == kFoldBatch) fold();
  }
  if (!batch.empty()) fold();
}

bool CFindListCtrl::PassesFilter(const ResultItem& item) const {
  return m_filter.Empty() || m_filter.Matches(item.folded);
}

void CFindListCtrl::SetFilter(std::string_view typed) {
  m_filter = NameFilter(wintext::FoldForSearch(typed));
  if (!m_filter.Empty()) FoldNames(0);
  m_matched = 0;
  for (const ResultItem& item : m_items) m_matched += PassesFilter(item) ? 1 : 0;
  OrderNew();
  Refresh(false);
  ListView_EnsureVisible(m_hwnd, 0, FALSE);
}

bool CFindListCtrl::OrderNew() {
  std::vector<std::uint32_t> added;
  for (std::size_t id = m_ordered; id < m_items.size(); ++id) added.push_back(static_cast<std::uint32_t>(id));
  m_ordered = m_items.size();
  if (m_sort.column < 0) {
    m_order.insert(m_order.end(), added.begin(), added.end());
    return true;
  }
  if (m_sort.column == kName) MakeNameKeys();
  return MergeIds(m_order, std::move(added), m_sort.descending,
                  [this](std::uint32_t a, std::uint32_t b) { return CompareResults(a, b); });
}

void CFindListCtrl::MakeView() {
  if (m_filter.Empty()) {
    m_view = m_order;
    return;
  }
  m_view.clear();
  for (std::uint32_t id : m_order)
    if (m_filter.Matches(m_items[id].folded)) m_view.push_back(id);
}

void CFindListCtrl::Refresh(bool grownAtEnd) {
  std::vector<std::uint32_t> selected;
  std::int64_t focused = -1;
  if (!grownAtEnd) {
    for (int i : SelectedIndexes()) selected.push_back(m_view[i]);
    const int f = ListView_GetNextItem(m_hwnd, -1, LVNI_FOCUSED);
    if (f >= 0 && static_cast<std::size_t>(f) < m_view.size()) focused = m_view[f];
  }
  const std::size_t shown = m_view.size();
  MakeView();
  if (grownAtEnd && m_view.size() == shown) return;  // only results the filter hides came
  // Some controls scroll to the last entry when the count grows; the view stays where it was.
  POINT before{}, after{};
  // What was waiting to be painted, kept through the control's own invalidation below.
  UniqueRegion pending(::CreateRectRgn(0, 0, 0, 0));
  ::GetUpdateRgn(m_hwnd, pending.Get(), FALSE);
  ::SendMessageA(m_hwnd, LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&before));
  // Some controls (Wine's) place new entries of an icon view only when told to arrange, and
  // leave them all on the first place until then. Arranging moves each entry, which with
  // redrawing on would repaint it; the list is painted once afterwards instead.
  ::SendMessageA(m_hwnd, WM_SETREDRAW, FALSE, 0);
  ::SendMessageA(m_hwnd, LVM_SETITEMCOUNT, m_view.size(),
                 grownAtEnd ? LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL : LVSICF_NOSCROLL);
  if (!m_details) ::SendMessageA(m_hwnd, LVM_ARRANGE, LVA_DEFAULT, 0);
  if (!grownAtEnd) Reselect(selected, focused);
  ::SendMessageA(m_hwnd, WM_SETREDRAW, TRUE, 0);
  ::SendMessageA(m_hwnd, LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&after));
  const bool scrolled = after.x != before.x || after.y != before.y;
  if (scrolled) ::SendMessageA(m_hwnd, LVM_SCROLL, before.x - after.x, before.y - after.y);
  // Some controls (Wine's) repaint every entry when redrawing is turned on again, which costs
  // as much as the whole list: when new entries at the end are all out of sight, only the
  // scroll bar changes, and the list keeps what it shows.
  if (!grownAtEnd || shown == 0 || scrolled || InSight(static_cast<int>(shown))) {
    ::InvalidateRect(m_hwnd, nullptr, TRUE);
  } else {
    ::ValidateRect(m_hwnd, nullptr);
    ::InvalidateRgn(m_hwnd, pending.Get(), TRUE);
  }
}

void CFindListCtrl::Reselect(const std::vector<std::uint32_t>& selected, std::int64_t focused) {
  ListView_SetItemState(m_hwnd, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (selected.empty() && focused < 0) return;
  const std::unordered_set<std::uint32_t> wanted(selected.begin(), selected.end());
  for (std::size_t i = 0; i < m_view.size(); ++i) {
    if (wanted.count(m_view[i])) ListView_SetItemState(m_hwnd, static_cast<int>(i), LVIS_SELECTED, LVIS_SELECTED);
    if (m_view[i] == focused) ListView_SetItemState(m_hwnd, static_cast<int>(i), LVIS_FOCUSED, LVIS_FOCUSED);
  }
}

std::string CFindListCtrl::CellText(ResultItem& item, int column) {
  switch (column) {
    case kName:
      if (!item.named) ResolveName(item);
      return item.displayName;
    case kFolder: return std::string(findrules::FolderOf(item.path));
    case kSize: return KbText(item.size);
    case kDate: return DateText(item.written);
    default: return std::string();
  }
}
