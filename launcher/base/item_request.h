// ItemRequest: what the icon panel and the menu column hand the main window to store a dropped
// item (UM_ITEM_DROP). The record lives in the sender's memory for the duration of the send.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "launcher/base/item_record.h"

// What the icon panel asks for an item moved within it; the menu column moves items to the end
// of the menu dropped on whatever this says.
enum class ItemOperation : std::int32_t {
  kNone = 0,  // the panel does nothing
  kMove = 1,  // take the item out and insert it at the drop place
  kSwap = 2,  // exchange it with the item at the drop place (any other non-zero value too)
};

struct ItemRequest {
  static constexpr std::int32_t kNoPlace = -1;

  std::uint32_t format = 0;  // the item format moves an existing item; the path format adds one
  ItemOperation operation = ItemOperation::kNone;
  std::int32_t target = 0;  // the menu dropped on (menu column), or the position dropped at (icon panel)
  std::int32_t fromMenu = kNoPlace, fromPosition = kNoPlace;  // where a moved item is now
  char file[260] = {};
  char caption[260] = {};
  char iconFile[260] = {};
  char description[260] = {};
  ItemDate date;
};
// The names change no byte of what the senders and the main window share.
static_assert(sizeof(ItemRequest) == 1076 && offsetof(ItemRequest, file) == 20);

// Dates cross between the platform's SYSTEMTIME and the item record's plain type.
inline ItemDate ToItemDate(const SYSTEMTIME& t) {
  return ItemDate{t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}
inline ItemDate LocalNow() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  return ToItemDate(t);
}

// Sends the request to the main window. Only a request sent this way is taken: the message's
// address parameter is never trusted when it comes from anywhere else (another program can post
// any number to the window).
LRESULT SendItemRequest(HWND frame, WPARAM receiver, ItemRequest& request);
const ItemRequest* AcceptItemRequest(LPARAM value);
