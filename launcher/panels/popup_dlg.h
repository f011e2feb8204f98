// The two small themed popups: the item popup of a tile (open, its location, rename, delete) and
// the edit popup of the Edit button (menus, users, theme). Modeless, at the cursor (or at the
// tile, opened by a key), gone when they lose activation, when their owner is told; each object
// deletes itself after its window is gone.
// The keyboard works them as a menu: Up and Down move the lit entry, Enter or Space chooses it,
// Esc closes.
#pragma once
#include <windows.h>

#include "common/ui/dialog.h"
#include "launcher/base/resource.h"
#include "launcher/data/launch_data.h"

class CPopupBase : public CDialog {
 public:
  // Keys meant for the open popup, taken before the frame's accelerators; true when taken.
  static bool PreTranslateMessage(MSG* msg);

 protected:
  CPopupBase(int templateId, HWND parent, const CLaunchData* data, UINT timerId);
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void LightFirstEntry() { m_hotId = IDC_POPUP_OPEN; }
  void OnFinalMessage() override { delete this; }
  void StartTracking();
  virtual void Choose(int id) = 0;
  const CTheme& Theme() const { return m_data->Theme(); }

 private:
  void OnTimer();
  void OnPaint();
  void OnDrawItem(const DRAWITEMSTRUCT* d);
  void PaintPlain(HDC dc);  // under high contrast
  void DrawPlainEntry(const DRAWITEMSTRUCT* d, const char* text);
  bool OnKey(UINT key);
  void Light(int id);

  static CPopupBase* s_open;  // at most one popup is open at a time
  const CLaunchData* m_data;
  UINT m_timerId;
  int m_hotId = 0;
  int m_pointerId = 0;  // the entry under the pointer at the last look
  COLORREF m_text, m_hilite;
};

class CItemPopupDlg : public CPopupBase {
 public:
  // At the cursor, or with its first entry lit at a point of the screen (a tile) for a key.
  CItemPopupDlg(HWND panel, const CLaunchData* data, const POINT* keyAt = nullptr)
      : CPopupBase(IDD_ITEM_POPUP, panel, data, IDT_ITEM_POPUP), m_keyAt(keyAt ? *keyAt : POINT{}), m_byKey(keyAt) {}

 protected:
  BOOL OnInitDialog() override;
  void Choose(int id) override;

 private:
  POINT m_keyAt;
  bool m_byKey;
};

class CEditPopupDlg : public CPopupBase {
 public:
  CEditPopupDlg(HWND buttonPanel, const CLaunchData* data);

 protected:
  BOOL OnInitDialog() override;
  void Choose(int id) override;

 private:
  bool m_manyThemes = false;
};
