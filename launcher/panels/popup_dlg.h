// The two small themed popups: the item popup of a tile (rename, delete) and the edit popup of
// the Edit button (menus, users, theme). Modeless, at the cursor, gone when they lose activation;
// each object deletes itself after its window is gone.
#pragma once
#include <windows.h>

#include "common/ui/dialog.h"
#include "launcher/base/resource.h"
#include "launcher/data/launch_data.h"

class CPopupBase : public CDialog {
 protected:
  CPopupBase(int templateId, HWND parent, const CLaunchData* data, UINT timerId);
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage() override { delete this; }
  void StartTracking();
  virtual void Choose(int id) = 0;
  const CTheme& Theme() const { return m_pData->Theme(); }

 private:
  void OnTimer();
  void OnPaint();
  void OnDrawItem(const DRAWITEMSTRUCT* d);

  const CLaunchData* m_pData;
  UINT m_timerId;
  int m_nHotId = 0;
  COLORREF m_text, m_hilite;
};

class CItemPopupDlg : public CPopupBase {
 public:
  CItemPopupDlg(HWND panel, const CLaunchData* data) : CPopupBase(IDD_ITEM_POPUP, panel, data, IDT_ITEM_POPUP) {}

 protected:
  BOOL OnInitDialog() override;
  void Choose(int id) override;
};

class CEditPopupDlg : public CPopupBase {
 public:
  CEditPopupDlg(HWND buttonPanel, const CLaunchData* data);

 protected:
  BOOL OnInitDialog() override;
  void Choose(int id) override;

 private:
  bool m_bManyThemes = false;
};
