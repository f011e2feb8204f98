// The bridge library: its exports arrive with the hand-off; the library and its strings exist.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
