#include "launcher/app/web_browser.h"

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <oleidl.h>

#include <string>
#include <vector>

#include "common/win/com_object.h"

namespace {
constexpr char kHostClass[] = "ToplexWebHost";
}

// The container side of the control: client site, in-place site and frame, and the sink of the
// browser's events. Reference counted; the browser window holds one reference.
class BrowserSite final : public ComObjectBase<IOleClientSite, IOleInPlaceSite, IOleInPlaceFrame, IDispatch> {
 public:
  BrowserSite(HWND host, CWebBrowser2::CommandStateHandler handler) : m_host(host), m_handler(std::move(handler)) {}
  void Detach() {
    m_host = nullptr;
    m_handler = nullptr;
  }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceFrame || iid == IID_IOleInPlaceUIWindow) *out = static_cast<IOleInPlaceFrame*>(this);
    else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) *out = static_cast<IDispatch*>(this);
    else return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer** c) override {
    *c = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (shared by the in-place site and the frame)
  STDMETHODIMP GetWindow(HWND* w) override {
    *w = m_host;
    return m_host ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    ::GetClientRect(m_host, pos);
    *clip = *pos;
    info->fMDIApp = FALSE;
    info->hwndFrame = m_host;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow / IOleInPlaceFrame: the launcher offers no menus or tool space.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // IDispatch: the browser's events. Only the command-state change matters here.
  STDMETHODIMP GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    // Arguments arrive last first: [1] the command, [0] whether it is enabled.
    if (id == DISPID_COMMANDSTATECHANGE && params && params->cArgs >= 2 && m_handler) {
      VARIANT command, enabled;
      ::VariantInit(&command);
      ::VariantInit(&enabled);
      if (SUCCEEDED(::VariantChangeType(&command, &params->rgvarg[1], 0, VT_I4)) &&
          SUCCEEDED(::VariantChangeType(&enabled, &params->rgvarg[0], 0, VT_BOOL)))
        m_handler(command.lVal, enabled.boolVal != VARIANT_FALSE);
      ::VariantClear(&command);
      ::VariantClear(&enabled);
    }
    return S_OK;
  }

 private:
  HWND m_host;
  CWebBrowser2::CommandStateHandler m_handler;
};

CWebBrowser2::CWebBrowser2() = default;
CWebBrowser2::~CWebBrowser2() { Destroy(); }

bool CWebBrowser2::CreateControl(HWND parent, const RECT& rc, int id, CommandStateHandler onCommandState) {
  HINSTANCE inst = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  static bool registered = CWnd::RegisterClass(kHostClass, inst, nullptr, nullptr);
  (void)registered;
  HWND host = ::CreateWindowExA(0, kHostClass, "", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rc.left, rc.top,
                                rc.right - rc.left, rc.bottom - rc.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, static_cast<CWnd*>(this));
  if (!host) return false;
  if (FAILED(::CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, m_ole.PutVoid()))) {
    Destroy();
    return false;
  }
  *m_site.Put() = new BrowserSite(host, std::move(onCommandState));
  m_ole->SetClientSite(static_cast<IOleClientSite*>(m_site.Get()));
  RECT client;
  ::GetClientRect(host, &client);
  if (FAILED(m_ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(m_site.Get()), 0, host,
                           &client)) ||
      FAILED(m_ole->QueryInterface(IID_IDispatch, m_dispatch.PutVoid()))) {
    Destroy();
    return false;
  }
  ComPtr<IConnectionPointContainer> points;
  ComPtr<IConnectionPoint> point;
  if (SUCCEEDED(m_ole->QueryInterface(IID_IConnectionPointContainer, points.PutVoid())) &&
      SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Put())))
    point->Advise(static_cast<IDispatch*>(m_site.Get()), &m_cookie);
  return true;
}

void CWebBrowser2::Destroy() {
  if (m_ole) {
    if (m_cookie) {
      ComPtr<IConnectionPointContainer> points;
      ComPtr<IConnectionPoint> point;
      if (SUCCEEDED(m_ole->QueryInterface(IID_IConnectionPointContainer, points.PutVoid())) &&
          SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Put())))
        point->Unadvise(m_cookie);
      m_cookie = 0;
    }
    m_ole->Close(OLECLOSE_NOSAVE);
    m_ole->SetClientSite(nullptr);
  }
  m_dispatch.Reset();
  m_ole.Reset();
  if (m_site) m_site->Detach();
  m_site.Reset();
  if (m_hwnd) ::DestroyWindow(m_hwnd);
}

LRESULT CWebBrowser2::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE: Resize(); return 0;
    default: return Default(msg, wParam, lParam);
  }
}

void CWebBrowser2::Resize() {
  ComPtr<IOleInPlaceObject> inPlace;
  if (!m_ole || FAILED(m_ole->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()))) return;
  RECT rc;
  ::GetClientRect(m_hwnd, &rc);
  inPlace->SetObjectRects(&rc, &rc);
}

void CWebBrowser2::Call(DISPID id) {
  if (!m_dispatch) return;
  DISPPARAMS none{};
  m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
}

void CWebBrowser2::Navigate(const char* url) {
  if (!m_dispatch || !url) return;
  int n = ::MultiByteToWideChar(CP_ACP, 0, url, -1, nullptr, 0);
  std::vector<wchar_t> wide(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, url, -1, wide.data(), n);
  // URL first, then flags, target frame, post data and headers, all empty; passed last first.
  VARIANT args[5];
  for (VARIANT& v : args) ::VariantInit(&v);
  args[4].vt = VT_BSTR;
  args[4].bstrVal = ::SysAllocString(wide.data());
  DISPPARAMS params{args, nullptr, 5, 0};
  m_dispatch->Invoke(kNavigate, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  ::VariantClear(&args[4]);
}

void CWebBrowser2::SetToolBar(int value) {
  if (!m_dispatch) return;
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&v, &named, 1, 1};
  m_dispatch->Invoke(kToolBar, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}
