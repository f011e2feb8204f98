#include "launcher/menus/user_list_box.h"

#include "common/cp932.h"
#include "common/theme_ids.h"
#include "common/win/high_contrast.h"
#include "launcher/base/resource.h"
#include "launcher/base/theme.h"
#include "launcher/skin/scroll_skin.h"

namespace {
constexpr int kThemeDx = 3, kThemeDy = 21;  // theme coordinates to the panel's client ones
}

bool CUserListBox::Create(HWND parent, const Rect& button, int listHeight) {
  if (IsOpen() || !m_data) return false;
  HINSTANCE inst = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  m_hwnd = ::CreateWindowExA(
      0, "LISTBOX", "",
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_DISABLENOSCROLL, 0, 0, 0, 0,
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_USER_LIST)), inst, nullptr);
  if (!m_hwnd) return false;
  Attach(m_hwnd);

  const theme::ThemeFont& f = m_data->Theme().Params().fontE;
  m_font = CreateThemeFont(f);
  m_text = f.colour1;
  m_back = f.colour2;
  m_brush.Reset(::CreateSolidBrush(m_back));
  InstallScrollBarSkin(m_hwnd, IDB_SCROLL_USERLIST);
  ::SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), TRUE);
  ::SetWindowPos(m_hwnd, HWND_TOP, button.left - m_data->Theme().Px(kThemeDx),
                 button.bottom - m_data->Theme().Px(kThemeDy), button.Width(), listHeight, 0);
  ::SetFocus(m_hwnd);

  const auto& users = m_data->Users();
  m_active = -1;
  for (std::size_t i = 0; i < users.size(); ++i) {
    std::string name = m_data->DisplayNameOf(users[i]);
    ::SendMessageA(m_hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (m_active < 0 && cp932::EqualsNoCase(users[i], m_data->ActiveUserFile())) m_active = static_cast<int>(i);
  }
  m_keyHeld = false;
  ::SendMessageA(m_hwnd, LB_SETCURSEL, static_cast<WPARAM>(m_active), 0);
  if (m_data->HasInternetPage()) {
    std::string page = m_data->DisplayNameOf(m_data->InternetFile());
    ::SendMessageA(m_hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(page.c_str()));
  }
  return true;
}

LRESULT CUserListBox::SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KEYDOWN: return OnKeyDown(wParam, lParam);
    case WM_KEYUP: m_keyHeld = false; break;
    default: break;
  }
  return Default(msg, wParam, lParam);
}

void CUserListBox::OnDetached() {
  m_hwnd = nullptr;
  m_brush.Reset();
  m_font.Reset();
}

LRESULT CUserListBox::OnKeyDown(WPARAM key, LPARAM lp) {
  if (key == VK_SPACE || key == VK_RETURN) Commit();
  if (key == VK_ESCAPE) Close();
  else m_keyHeld = true;
  return Default(WM_KEYDOWN, key, lp);
}

bool CUserListBox::PreTranslateMessage(MSG* msg) {
  if (!IsOpen() || msg->hwnd != m_hwnd) return false;
  if (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP) return false;
  ::DispatchMessageA(msg);
  return true;
}

void CUserListBox::OnNotify(UINT code) {
  if (code == LBN_SELCHANGE) Commit();
  else if (code == LBN_KILLFOCUS) Close();
}

HBRUSH CUserListBox::OnColour(HDC dc) {
  if (contrast::On()) {
    ::SetTextColor(dc, contrast::Colour(contrast::SystemColour::kWindowText));
    ::SetBkColor(dc, contrast::Colour(contrast::SystemColour::kWindow));
    return ::GetSysColorBrush(COLOR_WINDOW);
  }
  ::SetTextColor(dc, m_text);
  ::SetBkColor(dc, m_back);
  return m_brush.Get();
}

void CUserListBox::Commit() {
  if (m_keyHeld) return;  // the selection only moves while a key is held
  int row = static_cast<int>(::SendMessageA(m_hwnd, LB_GETCURSEL, 0, 0));
  if (row == LB_ERR) return;
  Close();
  if (row != m_active) m_actions->SwitchUser(row);
}
