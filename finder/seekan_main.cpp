// The file finder. Its windows and search engine are built in their own modules; this entry
// keeps the program present in the program folder.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
