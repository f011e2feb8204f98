#include "common/win/element_accessible.h"

#include <new>

#include "common/accessible_nav.h"
#include "common/win/com_object.h"
#include "common/win/text.h"

class ElementAccessible final : public ComObjectBase<IAccessible> {
 public:
  ElementAccessible(HWND window, AccessibleElements* elements, long role, const char* name)
      : m_hwnd(window), m_elements(elements), m_role(role), m_name(name) {}
  void Disconnect() { m_elements = nullptr; }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != kIidAccessible) return E_NOINTERFACE;
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }

  // Clients reach the properties through the vtable; none asks by name.
  STDMETHODIMP GetTypeInfoCount(UINT* n) override {
    if (n) *n = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  STDMETHODIMP get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!m_elements) return CO_E_OBJNOTCONNECTED;
    return ::AccessibleObjectFromWindow(m_hwnd, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                        reinterpret_cast<void**>(parent));
  }
  STDMETHODIMP get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    if (!m_elements) return CO_E_OBJNOTCONNECTED;
    *count = m_elements->ElementCount();
    return S_OK;
  }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    int c = 0;
    if (HRESULT hr = Check(child, &c); FAILED(hr)) return hr;
    return c == CHILDID_SELF ? E_INVALIDARG : S_FALSE;  // the elements are simple: no object of their own
  }
  STDMETHODIMP get_accName(VARIANT child, BSTR* out) override {
    return Text(child, out,
                [&](int c) { return c == CHILDID_SELF ? std::string(m_name) : m_elements->ElementName(c - 1); });
  }
  STDMETHODIMP get_accValue(VARIANT child, BSTR* out) override {
    return Text(child, out, [](int) { return std::string(); });
  }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* out) override {
    return Text(child, out,
                [&](int c) { return c == CHILDID_SELF ? std::string() : m_elements->ElementDescription(c - 1); });
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* out) override {
    return Number(child, out, [&](int c) { return c == CHILDID_SELF ? m_role : m_elements->ElementRole(c - 1); });
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* out) override {
    return Number(child, out,
                  [&](int c) { return c == CHILDID_SELF ? WindowState() : m_elements->ElementState(c - 1); });
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* out) override {
    return Text(child, out, [](int) { return std::string(); });
  }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return m_elements ? S_FALSE : CO_E_OBJNOTCONNECTED;
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    return Text(child, out, [](int) { return std::string(); });
  }
  STDMETHODIMP get_accFocus(VARIANT* out) override { return FirstWith(STATE_SYSTEM_FOCUSED, out); }
  STDMETHODIMP get_accSelection(VARIANT* out) override { return FirstWith(STATE_SYSTEM_SELECTED, out); }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* out) override {
    return Text(child, out, [&](int c) {
      const char* action = c == CHILDID_SELF ? nullptr : m_elements->ElementAction(c - 1);
      return std::string(action ? action : "");
    });
  }
  STDMETHODIMP accSelect(long, VARIANT) override { return m_elements ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED; }
  STDMETHODIMP accLocation(long* x, long* y, long* w, long* h, VARIANT child) override;
  STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* out) override;
  STDMETHODIMP accHitTest(long x, long y, VARIANT* out) override;
  STDMETHODIMP accDoDefaultAction(VARIANT child) override {
    int c = 0;
    if (HRESULT hr = Check(child, &c); FAILED(hr)) return hr;
    if (c == CHILDID_SELF || !m_elements->ElementAction(c - 1)) return DISP_E_MEMBERNOTFOUND;
    m_elements->DoElementAction(c - 1);
    return S_OK;
  }
  STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  // A child id as a number: 0 the window, 1 and up the elements.
  HRESULT Check(const VARIANT& v, int* child) const {
    if (!m_elements || !::IsWindow(m_hwnd)) return CO_E_OBJNOTCONNECTED;
    if (v.vt != VT_I4 || v.lVal < 0 || v.lVal > m_elements->ElementCount()) return E_INVALIDARG;
    *child = v.lVal;
    return S_OK;
  }
  template <typename Read>
  HRESULT Text(const VARIANT& child, BSTR* out, Read read) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    int c = 0;
    if (HRESULT hr = Check(child, &c); FAILED(hr)) return hr;
    const std::wstring text = wintext::FromCp932(read(c));
    if (text.empty()) return S_FALSE;
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  template <typename Read>
  HRESULT Number(const VARIANT& child, VARIANT* out, Read read) const {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    int c = 0;
    if (HRESULT hr = Check(child, &c); FAILED(hr)) return hr;
    out->vt = VT_I4;
    out->lVal = read(c);
    return S_OK;
  }
  long WindowState() const {
    long state = STATE_SYSTEM_FOCUSABLE;
    if (!::IsWindowVisible(m_hwnd)) state |= STATE_SYSTEM_INVISIBLE;
    if (!::IsWindowEnabled(m_hwnd)) state |= STATE_SYSTEM_UNAVAILABLE;
    if (::GetFocus() == m_hwnd) state |= STATE_SYSTEM_FOCUSED;
    return state;
  }
  HRESULT FirstWith(long state, VARIANT* out) const {
    if (!out) return E_POINTER;
    ::VariantInit(out);
    if (!m_elements) return CO_E_OBJNOTCONNECTED;
    for (int i = 0, n = m_elements->ElementCount(); i < n; ++i) {
      if (!(m_elements->ElementState(i) & state)) continue;
      out->vt = VT_I4;
      out->lVal = i + 1;
      return S_OK;
    }
    return S_FALSE;
  }

  HWND m_hwnd;
  AccessibleElements* m_elements;  // null once the window is gone
  long m_role;
  const char* m_name;
};

STDMETHODIMP ElementAccessible::accLocation(long* x, long* y, long* w, long* h, VARIANT child) {
  if (!x || !y || !w || !h) return E_POINTER;
  *x = *y = *w = *h = 0;
  int c = 0;
  if (HRESULT hr = Check(child, &c); FAILED(hr)) return hr;
  RECT rc{};
  if (c == CHILDID_SELF) ::GetClientRect(m_hwnd, &rc);
  else rc = m_elements->ElementPlace(c - 1);
  ::MapWindowPoints(m_hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  *x = rc.left;
  *y = rc.top;
  *w = rc.right - rc.left;
  *h = rc.bottom - rc.top;
  return S_OK;
}

STDMETHODIMP ElementAccessible::accNavigate(long direction, VARIANT start, VARIANT* out) {
  if (!out) return E_POINTER;
  ::VariantInit(out);
  int from = 0;
  if (HRESULT hr = Check(start, &from); FAILED(hr)) return hr;
  accnav::Move move;
  switch (direction) {
    case NAVDIR_FIRSTCHILD: move = accnav::Move::kFirstChild; break;
    case NAVDIR_LASTCHILD: move = accnav::Move::kLastChild; break;
    case NAVDIR_NEXT: move = accnav::Move::kNext; break;
    case NAVDIR_PREVIOUS: move = accnav::Move::kPrevious; break;
    default: return DISP_E_MEMBERNOTFOUND;
  }
  const int reached = accnav::Navigate(from, move, m_elements->ElementCount());
  if (reached == 0) return S_FALSE;
  out->vt = VT_I4;
  out->lVal = reached;
  return S_OK;
}

STDMETHODIMP ElementAccessible::accHitTest(long x, long y, VARIANT* out) {
  if (!out) return E_POINTER;
  ::VariantInit(out);
  if (!m_elements || !::IsWindow(m_hwnd)) return CO_E_OBJNOTCONNECTED;
  POINT pt{x, y};
  ::ScreenToClient(m_hwnd, &pt);
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  if (!::PtInRect(&client, pt)) return S_FALSE;
  out->vt = VT_I4;
  out->lVal = m_elements->ElementAt(pt) + 1;  // none is the window itself
  return S_OK;
}

AccessibleHost::AccessibleHost(long role, const char* name) : m_role(role), m_name(name) {}

AccessibleHost::~AccessibleHost() { Disconnect(); }

void AccessibleHost::Attach(HWND window, AccessibleElements* elements) {
  m_hwnd = window;
  m_elements = elements;
}

LRESULT AccessibleHost::Answer(WPARAM wParam, LPARAM lParam) {
  if (static_cast<long>(lParam) != OBJID_CLIENT || !m_elements) return 0;
  if (!m_object) *m_object.Put() = new (std::nothrow) ElementAccessible(m_hwnd, m_elements, m_role, m_name);
  if (!m_object) return 0;
  return ::LresultFromObject(kIidAccessible, wParam, static_cast<IAccessible*>(m_object.Get()));
}

void AccessibleHost::Disconnect() {
  m_elements = nullptr;
  if (!m_object) return;
  m_object->Disconnect();
  ::CoDisconnectObject(static_cast<IAccessible*>(m_object.Get()), 0);
  m_object.Reset();
}

void AccessibleHost::Notify(DWORD event, int i) const {
  if (m_hwnd) ::NotifyWinEvent(event, m_hwnd, OBJID_CLIENT, i < 0 ? CHILDID_SELF : i + 1);
}
