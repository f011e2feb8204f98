// The wheel turns what is under the pointer, as today's Windows does by default: a wheel message
// meant for the focus window goes instead to the window of this thread under the pointer.
#pragma once
#include <windows.h>

// Call for each message of a message loop before it is dispatched.
void RouteWheelToPointer(MSG* msg);

// Lines to scroll per notch (SPI_GETWHEELSCROLLLINES): 0 means none, WHEEL_PAGESCROLL a page.
UINT WheelScrollLines();
