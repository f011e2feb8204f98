#include "launcher/panels/popup_dlg.h"

#include <algorithm>
#include <vector>

#include "common/screen_fit.h"
#include "common/theme_ids.h"
#include "common/win/gdi.h"
#include "common/win/handles.h"
#include "common/win/high_contrast.h"
#include "common/win/monitors.h"
#include "launcher/base/resource.h"

namespace {

constexpr UINT kTrackMs = 100;

struct Entry {
  int id;
  const char* text;
};
constexpr Entry kItemEntries[] = {{IDC_POPUP_OPEN, "開く"},
                                  {IDC_POPUP_LOCATE, "ファイルの場所を開く"},
                                  {IDC_POPUP_FIRST, "アイテム情報(名称変更)"},
                                  {IDC_POPUP_SECOND, "アイテム削除"}};
// The entries from the top, for the arrow keys.
constexpr int kEntryOrder[] = {IDC_POPUP_OPEN,   IDC_POPUP_LOCATE, IDC_POPUP_FIRST,
                               IDC_POPUP_SECOND, IDC_POPUP_THIRD,  IDC_POPUP_FOURTH};
constexpr Entry kEditEntries[] = {{IDC_POPUP_FIRST, "メニュー追加・変更・削除"},
                                  {IDC_POPUP_SECOND, "ユーザー追加・変更・削除"},
                                  {IDC_POPUP_THIRD, "画面テーマ選択"},
                                  {IDC_POPUP_FOURTH, "ホットキーの設定"}};

const char* EntryText(int templateId, int id) {
  if (templateId == IDD_ITEM_POPUP) {
    for (const Entry& e : kItemEntries)
      if (e.id == id) return e.text;
  } else {
    for (const Entry& e : kEditEntries)
      if (e.id == id) return e.text;
  }
  return "";
}

RECT WindowRectOf(HWND w) {
  RECT rc{};
  ::GetWindowRect(w, &rc);
  return rc;
}

}  // namespace

CPopupBase* CPopupBase::s_open = nullptr;

CPopupBase::CPopupBase(int templateId, HWND parent, const CLaunchData* data, UINT timerId)
    : CDialog(templateId, parent), m_data(data), m_timerId(timerId) {
  m_text = data->Theme().Params().popupColour1;
  m_hilite = data->Theme().Params().popupColour2;
}

void CPopupBase::StartTracking() {
  ::SetTimer(m_hwnd, m_timerId, kTrackMs, nullptr);
  s_open = this;
}

bool CPopupBase::PreTranslateMessage(MSG* msg) {
  if (!s_open || msg->message != WM_KEYDOWN) return false;
  HWND popup = s_open->m_hwnd;
  if (msg->hwnd != popup && !::IsChild(popup, msg->hwnd)) return false;
  return s_open->OnKey(static_cast<UINT>(msg->wParam));
}

// The shown entries in order, for the arrow keys.
bool CPopupBase::OnKey(UINT key) {
  std::vector<int> shown;
  for (int id : kEntryOrder)
    if (HWND entry = ::GetDlgItem(m_hwnd, id); entry && ::IsWindowVisible(entry)) shown.push_back(id);
  if (shown.empty()) return false;
  const auto at = std::find(shown.begin(), shown.end(), m_hotId);
  const int n = static_cast<int>(shown.size()), i = at == shown.end() ? -1 : static_cast<int>(at - shown.begin());
  switch (key) {
    case VK_ESCAPE: ::PostMessageA(m_hwnd, WM_CLOSE, 0, 0); return true;
    case VK_DOWN: Light(shown[static_cast<std::size_t>((i + 1) % n)]); return true;
    case VK_UP: Light(shown[static_cast<std::size_t>(i <= 0 ? n - 1 : i - 1)]); return true;
    case VK_RETURN:
    case VK_SPACE: ::PostMessageA(m_hwnd, WM_COMMAND, i < 0 ? shown.front() : m_hotId, 0); return true;
    default: return false;
  }
}

void CPopupBase::Light(int id) {
  const int old = m_hotId;
  m_hotId = id;
  for (int changed : {old, id})
    if (HWND w = changed ? ::GetDlgItem(m_hwnd, changed) : nullptr) ::InvalidateRect(w, nullptr, FALSE);
}

INT_PTR CPopupBase::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCACTIVATE:
      if (!wParam) ::PostMessageA(m_hwnd, WM_CLOSE, 0, 0);
      return FALSE;
    case WM_CLOSE: ::DestroyWindow(m_hwnd); return TRUE;
    case WM_TIMER: OnTimer(); return TRUE;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      contrast::Update();
      ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
      return FALSE;
    case WM_PAINT: OnPaint(); return TRUE;
    case WM_ERASEBKGND: return SetResult(1);
    case WM_DRAWITEM: OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_DESTROY:
      ::KillTimer(m_hwnd, m_timerId);
      if (s_open == this) s_open = nullptr;
      ::PostMessageA(Parent(), UM_POPUP_CLOSED, 0, 0);
      return FALSE;
    case WM_COMMAND:
      if (std::find(std::begin(kEntryOrder), std::end(kEntryOrder), LOWORD(wParam)) != std::end(kEntryOrder)) {
        Choose(LOWORD(wParam));
        ::DestroyWindow(m_hwnd);
        return TRUE;
      }
      break;
    default: break;
  }
  return CDialog::DialogProc(msg, wParam, lParam);
}

void CPopupBase::OnTimer() {
  POINT pt;
  ::GetCursorPos(&pt);
  HWND under = ::WindowFromPoint(pt);
  int hot = (under && ::GetParent(under) == m_hwnd) ? ::GetDlgCtrlID(under) : 0;
  // The pointer lights what it moves onto; an entry lit by a key stays lit while it rests.
  if (hot == m_pointerId || ::GetKeyState(VK_LBUTTON) < 0) return;
  m_pointerId = hot;
  Light(hot);
}

void CPopupBase::OnPaint() {
  PaintGuard paint(m_hwnd);
  if (contrast::On()) return PaintPlain(paint.Dc());
  BlitBitmap(paint.Dc(), 0, 0, Theme().Bitmap(IDB_POPUP_BACK));
}

void CPopupBase::OnDrawItem(const DRAWITEMSTRUCT* d) {
  if (contrast::On()) return DrawPlainEntry(d, EntryText(TemplateId(), static_cast<int>(d->CtlID)));
  const int w = d->rcItem.right - d->rcItem.left, h = d->rcItem.bottom - d->rcItem.top;
  OffscreenPaint buffer(d->hDC, d->rcItem);  // a button's rectangle starts at 0, 0
  const HDC dc = buffer.Dc();
  // The popup's background under the entry.
  POINT at{0, 0};
  ::MapWindowPoints(d->hwndItem, m_hwnd, &at, 1);
  {
    MemoryDC back(d->hDC);
    back.Select(Theme().Bitmap(IDB_POPUP_BACK));
    ::BitBlt(dc, 0, 0, w, h, back.Get(), at.x, at.y, SRCCOPY);
  }
  const bool pressed = d->itemState & ODS_SELECTED, hot = static_cast<int>(d->CtlID) == m_hotId;
  int image = pressed ? IDB_POPUP_BULLET_PRESSED : hot ? IDB_POPUP_BULLET_HOVER : IDB_POPUP_BULLET;
  int mask = pressed ? IDB_POPUP_BULLET_PRESSED_MASK : hot ? IDB_POPUP_BULLET_HOVER_MASK : IDB_POPUP_BULLET_MASK;
  SIZE bullet = BitmapSize(Theme().Bitmap(image));
  MaskedOntoDC(dc, 0, (h - bullet.cy) / 2, Theme().Bitmap(image), Theme().Bitmap(mask));

  HFONT font = reinterpret_cast<HFONT>(::SendMessageA(m_hwnd, WM_GETFONT, 0, 0));
  ScopedSelect select(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  const char* text = EntryText(TemplateId(), static_cast<int>(d->CtlID));
  const UINT format = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
  if (hot && !pressed) {
    RECT glow{bullet.cx + 9, 1, w, h};
    ::SetTextColor(dc, m_hilite);
    ::DrawTextA(dc, text, -1, &glow, format);
  }
  RECT box{bullet.cx + 8, 0, w - 1, h - 1};
  ::SetTextColor(dc, m_text);
  ::DrawTextA(dc, text, -1, &box, format);
}

// ---- item popup -------------------------------------------------------------------------------

BOOL CItemPopupDlg::OnInitDialog() {
  // Top-left corner at the cursor (or the tile), wholly inside the work area of its monitor.
  POINT pt = m_keyAt;
  if (!m_byKey) ::GetCursorPos(&pt);
  else LightFirstEntry();
  RECT rc = WindowRectOf(m_hwnd);
  const Rect at{pt.x, pt.y, pt.x + rc.right - rc.left, pt.y + rc.bottom - rc.top};
  const Rect placed = screenfit::MovedInto(at, WorkAreaAt(pt));
  ::SetWindowPos(m_hwnd, HWND_TOP, placed.left, placed.top, 0, 0, SWP_NOSIZE);
  StartTracking();
  return TRUE;
}

void CItemPopupDlg::Choose(int id) {
  const UINT command = id == IDC_POPUP_OPEN     ? ID_ITEM_OPEN
                       : id == IDC_POPUP_LOCATE ? ID_ITEM_LOCATE
                       : id == IDC_POPUP_FIRST  ? ID_ITEM_RENAME
                                                : ID_ITEM_DELETE;
  ::PostMessageA(Parent(), WM_COMMAND, command, 0);
}

// ---- edit popup -------------------------------------------------------------------------------

CEditPopupDlg::CEditPopupDlg(HWND buttonPanel, const CLaunchData* data)
    : CPopupBase(IDD_EDIT_POPUP, buttonPanel, data, IDT_EDIT_POPUP) {
  WIN32_FIND_DATAA fd;
  UniqueFind find(::FindFirstFileA((data->ProgramFolder() + "Image??.dll").c_str(), &fd));
  if (find) m_manyThemes = ::FindNextFileA(find.Get(), &fd) != FALSE;
}

BOOL CEditPopupDlg::OnInitDialog() {
  // Bottom-right corner at the cursor, wholly inside the work area of its monitor.
  POINT pt;
  ::GetCursorPos(&pt);
  RECT rc = WindowRectOf(m_hwnd);
  int width = rc.right - rc.left, height = rc.bottom - rc.top;
  int x = pt.x - width, y = pt.y - height;
  if (!m_manyThemes) {  // no theme to choose: the hotkey entry takes the theme entry's place
    HWND third = ::GetDlgItem(m_hwnd, IDC_POPUP_THIRD), fourth = ::GetDlgItem(m_hwnd, IDC_POPUP_FOURTH);
    RECT at = WindowRectOf(third), last = WindowRectOf(fourth);
    const int d = last.bottom - at.bottom;
    ::MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&at), 2);
    ::ShowWindow(third, SW_HIDE);
    ::SetWindowPos(fourth, nullptr, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    height -= d;
    y += d;
  }
  const Rect placed = screenfit::MovedInto(Rect{x, y, x + width, y + height}, WorkAreaAt(pt));
  ::SetWindowPos(m_hwnd, HWND_TOP, placed.left, placed.top, width, height, 0);
  StartTracking();
  return TRUE;
}

void CEditPopupDlg::Choose(int id) {
  HWND frame = ::GetAncestor(Parent(), GA_ROOT);
  ::SetForegroundWindow(frame);
  ::SetActiveWindow(frame);
  const UINT message = id == IDC_POPUP_FIRST    ? UM_EDIT_MENUS
                       : id == IDC_POPUP_SECOND ? UM_EDIT_USERS
                       : id == IDC_POPUP_THIRD  ? UM_SELECT_THEME
                                                : UM_EDIT_HOTKEY;
  ::PostMessageA(frame, message, 0, 0);
}
