// ItemRequest: what the icon panel and the menu column hand the main window to store a dropped
// item (UM_ITEM_DROP). The record lives in the sender's memory for the duration of the send.
#pragma once
#include <windows.h>

#include <cstdint>

#include "launcher/base/item_record.h"

struct ItemRequest {
  std::uint32_t format = 0;    // the item format moves an existing item; the path format adds one
  std::int32_t operation = 0;  // move: 1 moves, any other non-zero value swaps
  std::int32_t a = 0, b = -1, c = -1;
  char file[260] = {};
  char caption[260] = {};
  char iconFile[260] = {};
  char description[260] = {};
  ItemDate date;
};

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
