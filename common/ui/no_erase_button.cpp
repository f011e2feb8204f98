#include "common/ui/no_erase_button.h"

#include <new>

#include "common/ui/subclass.h"

namespace {

// One per button, gone with it.
class NoErase final : public CSubclass {
 protected:
  LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    return msg == WM_ERASEBKGND ? 0 : Default(msg, wParam, lParam);
  }
  void OnDetached() override { delete this; }
};

}  // namespace

void CNoEraseButton::Attach(HWND button) {
  if (!button) return;
  auto* subclass = new (std::nothrow) NoErase;
  if (subclass && !subclass->Attach(button)) delete subclass;
}

HWND CNoEraseButton::Create(HWND parent, int id, const char* text, DWORD style, int x, int y, int cx, int cy) {
  HINSTANCE inst = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  HWND b = ::CreateWindowExA(0, "BUTTON", text, style | WS_CHILD | BS_OWNERDRAW, x, y, cx, cy, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
  Attach(b);
  return b;
}
