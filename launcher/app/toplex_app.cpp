// The launcher's start: one instance per desktop, a path handed to a running instance, or the
// process-wide objects and the main window.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>

#include "bridge/quilodll.h"
#include "common/cp932.h"
#include "common/ui/wheel.h"
#include "common/win/handles.h"
#include "common/win/modal_guard.h"
#include "launcher/app/command_line.h"
#include "launcher/app/main_frame.h"
#include "launcher/base/resource.h"
#include "launcher/packages/package_rules.h"
#include "launcher/skin/drop_rules.h"

namespace {

std::string LoadText(HINSTANCE inst, UINT id) {
  char buf[264] = {};
  int n = ::LoadStringA(inst, id, buf, sizeof buf);
  return std::string(buf, n > 0 ? n : 0);
}

void PutPath(void* view, const std::string& path) {
  char* block = static_cast<char*>(view);
  std::memset(block, 0, handoff::kBlockSize);
  cp932::CopyBounded(block, handoff::kPathField, path);
}

// A path too long for the hand-off is no package either: said here, with the running
// launcher's own caption, since the path cannot reach it.
void RefuseLongPath(HWND owner, const std::string& path) {
  char caption[264] = {};
  ::GetWindowTextA(owner, caption, sizeof caption);
  ::MessageBoxA(owner, package::NotAPackageText(path).c_str(), caption, MB_OK | MB_ICONWARNING);
}

// Another instance runs: bring it forward and hand over the path, or close its web pane.
void HandOver(HWND running, const StartOptions& options) {
  const std::string& path = options.path;
  HWND popup = ::GetLastActivePopup(running);
  ::SetForegroundWindow(popup);
  if (::IsIconic(running)) ::ShowWindow(running, SW_SHOWNORMAL);
  if (popup != running) ::SetActiveWindow(popup);
  if (path.empty()) {
    ::SendMessageA(running, WM_COMMAND, ID_WEB_CLOSE, 0);
    return;
  }
  if (!options.PathFits()) {
    RefuseLongPath(running, path);
    return;
  }
  UniqueHandle mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, handoff::kBlockSize,
                                            handoff::kMappingName));
  if (!mapping) return;
  UniqueView view(::MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, handoff::kBlockSize));
  if (!view) return;
  PutPath(view.Get(), path);
  ::SendMessageA(running, UM_PATH_FROM_INSTANCE, 0, 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
  ::OleInitialize(nullptr);
  std::string mainClass = LoadText(inst, IDS_MAIN_CLASS);
  if (mainClass.empty()) mainClass = handoff::kLauncherClass;
  StartOptions options = ParseStartOptions(SplitCommandLine(SkipProgramName(::GetCommandLineA())));

  if (HWND running = ::FindWindowA(mainClass.c_str(), nullptr)) {
    HandOver(running, options);
    ::OleUninitialize();
    return 0;
  }

  for (UINT id : {IDS_ITEM_FORMAT, IDS_PATH_FORMAT}) ::RegisterClipboardFormatA(LoadText(inst, id).c_str());
  for (const char* name : {CFSTR_INETURLA, CFSTR_INETURLW, CFSTR_FILEDESCRIPTORA, CFSTR_FILEDESCRIPTORW,
                           droprules::kMozUrlFormat, droprules::kBookmarkFormat})
    ::RegisterClipboardFormatA(name);

  // The receiving end of the hand-off lives as long as the process; without it the launcher
  // still runs.
  UniqueHandle mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, handoff::kBlockSize,
                                            handoff::kMappingName));
  UniqueView view;
  if (mapping) view.Reset(::MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, handoff::kBlockSize));
  UniqueHandle modal(::CreateEventA(nullptr, TRUE, FALSE, handoff::kModalEvent));
  ModalGuard::SetEvent(modal.Get());
  UniqueFont font(::CreateFontA(18, 0, 0, 0, 0, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ ゴシック"));

  int result = 0;
  {
    CMainFrame frame(inst, font.Get(), view.Get(), (options.flags & StartOptions::kDataHere) != 0);
    if (frame.CreateFrame(mainClass.c_str())) {
      HWND hwnd = frame.Handle();
      if (options.flags & (StartOptions::kFull | StartOptions::kLittle))
        ::SendMessageA(hwnd, WM_COMMAND, (options.flags & StartOptions::kFull) ? ID_VIEW_FULL : ID_VIEW_LITTLE, 0);
      ::ShowWindow(hwnd, SW_SHOW);
      ::UpdateWindow(hwnd);
      // A package given to the first start is installed as soon as the launcher runs, the way a
      // later start hands one over.
      if (!options.path.empty() && !options.PathFits()) RefuseLongPath(hwnd, options.path);
      else if (!options.path.empty() && view) {
        PutPath(view.Get(), options.path);
        ::PostMessageA(hwnd, UM_PATH_FROM_INSTANCE, 0, 0);
      }
      MSG msg;
      while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        RouteWheelToPointer(&msg);
        if (frame.PreTranslateMessage(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
      result = static_cast<int>(msg.wParam);
    }
  }
  ModalGuard::SetEvent(nullptr);
  ::OleUninitialize();
  return result;
}
