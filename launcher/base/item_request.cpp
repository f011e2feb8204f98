#include "launcher/base/item_request.h"

#include "launcher/base/resource.h"

namespace {
thread_local ItemRequest* t_sending = nullptr;
}

LRESULT SendItemRequest(HWND frame, WPARAM receiver, ItemRequest& request) {
  ItemRequest* outer = t_sending;
  t_sending = &request;
  LRESULT r = ::SendMessageA(frame, UM_ITEM_DROP, receiver, reinterpret_cast<LPARAM>(&request));
  t_sending = outer;
  return r;
}

const ItemRequest* AcceptItemRequest(LPARAM value) {
  // A send from this thread is handled before SendMessage returns, so the address is still live.
  return (t_sending && reinterpret_cast<LPARAM>(t_sending) == value) ? t_sending : nullptr;
}
