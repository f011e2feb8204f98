// The result list: one entry per match, added as the worker hands it over. The entries live here
// and the control shows them by index; an entry's display name and icon are asked of the shell
// when the list first shows it, so a match costs the same however many came before it.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/profile.h"

struct ResultItem {
  std::string displayName;
  std::string path;
  int image = -1;  // -1 until the shell was asked
  bool named = false;
};

struct SearchRequest;

class CFindListCtrl {
 public:
  CFindListCtrl(const Profile& settings, HINSTANCE inst);
  ~CFindListCtrl();
  CFindListCtrl(const CFindListCtrl&) = delete;
  CFindListCtrl& operator=(const CFindListCtrl&) = delete;

  bool Create(HWND parent, SearchRequest* request);
  HWND Handle() const { return m_hWnd; }
  int FindMax() const { return m_findMax; }

  // The entry selected, or -1, and its result.
  int Selected() const;
  const ResultItem* Item(int index) const;
  // Shows every entry taken so far (the end of a search shows them at once).
  void ShowAll();
  // Deletes every entry and empties the image list and its cache.
  void Clear();

  // Called with the count after every insertion, before the worker is let go.
  std::function<void(int count)> onInserted;

  // The list's own notifications; true when handled.
  bool OnNotify(NMHDR* hdr, LRESULT* result);

 private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
  void OnSearchHit(const char* path);
  void DetectDrag(LPARAM clientPoint);
  void ResolveName(ResultItem& item);
  void ResolveIcon(ResultItem& item);

  const Profile& m_settings;
  HINSTANCE m_inst;
  HWND m_hWnd = nullptr;
  WNDPROC m_previous = nullptr;
  HIMAGELIST m_images = nullptr;
  // The shell's icon of a file is known by its index in the system image list; each is added to
  // the list's own image list once.
  std::unordered_map<int, int> m_iconCache;
  std::vector<ResultItem> m_items;
  bool m_showPending = false;
  unsigned m_showDelayMs = 50;
  int m_findMax = 1000;
  SearchRequest* m_request = nullptr;
};
