// The file finder's application: one instance per desktop, its window where the command line
// puts it, and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <string>

#include "common/ini_keys.h"
#include "common/ui/wheel.h"
#include "common/win/handles.h"
#include "common/win/monitors.h"
#include "finder/find_rules.h"
#include "finder/finder_ids.h"
#include "finder/main_frame.h"

namespace {

// Another finder already runs: its last active pop-up comes to the front instead.
bool ActivateRunning() {
  HWND running = ::FindWindowA(seekan::CMainFrame::kClassName, nullptr);
  if (!running) return false;
  HWND popup = ::GetLastActivePopup(running);
  ::SetForegroundWindow(popup ? popup : running);
  if (::IsIconic(running)) ::ShowWindow(running, SW_SHOWNORMAL);
  return true;
}

std::string ProgramFolder() {
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string p(exe);
  const std::string_view folder = findrules::FolderOf(p);
  return folder.empty() ? std::string() : std::string(folder) + '\\';
}

std::string LoadText(HINSTANCE inst, UINT id) {
  char text[260] = {};
  ::LoadStringA(inst, id, text, sizeof text);
  return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR commandLine, int) {
  if (ActivateRunning()) return 0;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  if (FAILED(::OleInitialize(nullptr))) return 1;
  const findrules::Placement p = findrules::ParsePlacement(commandLine ? commandLine : "");
  const Rect place = ReachablePlace(Rect{p.left, p.top, p.left + p.width, p.top + p.height});
  const RECT rc{place.left, place.top, place.right, place.bottom};
  int result = 0;
  {
    seekan::CMainFrame frame(inst, ProgramFolder() + inikeys::kSettingsFile);
    if (frame.Create(rc, LoadText(inst, IDS_TITLE))) {
      // The icons outlive the frame: they are released after the loop.
      UniqueIcon large(
          static_cast<HICON>(::LoadImageA(inst, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                          ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0)));
      UniqueIcon small(
          static_cast<HICON>(::LoadImageA(inst, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                          ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));
      ::SendMessageA(frame.Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.Get()));
      ::SendMessageA(frame.Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
      ::ShowWindow(frame.Handle(), SW_SHOW);
      ::UpdateWindow(frame.Handle());
      MSG msg;
      while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (frame.TranslateKeys(&msg)) continue;
        RouteWheelToPointer(&msg);
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
      result = static_cast<int>(msg.wParam);
    } else {
      result = 1;
    }
  }
  ::OleUninitialize();
  return result;
}
