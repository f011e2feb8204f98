// CMainFrame: the launcher's caption-less main window. It owns the data store for its life.
#pragma once
#include <string>

#include "common/ui/wnd.h"
#include "launcher/data/launch_data.h"

class CMainFrame : public CWnd {
 public:
  CMainFrame(HINSTANCE inst, HFONT appFont, void* handoffView, bool dataInProgramFolder);
  bool CreateFrame(const char* className);
  CLaunchData& Data() { return m_data; }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnPaint();
  void OnClose();
  void OnDestroy();
  void OnCommand(UINT id);
  void OnPathFromInstance();
  void OnReloadData();
  void OnItemAction(WPARAM from, LPARAM value);
  void SetLayout(bool wide);
  void ShowAbout();

  HINSTANCE m_inst;
  HFONT m_appFont;            // borrowed from the application
  const void* m_handoffView;  // borrowed: the shared block, or null without the receiving end
  bool m_dataInProgramFolder;
  bool m_reloaded = false;  // menus and items reread since creation
  CLaunchData m_data;
};
