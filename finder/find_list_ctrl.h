// The result list: one entry per match, inserted as the worker hands it over. An entry's display
// name and icon are asked of the shell when the list first shows it, so that a search costs one
// insertion per match however many matches there are.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <unordered_map>

#include "common/profile.h"

struct ResultItem {
  std::string displayName;
  std::string path;
  int image = -1;  // -1 until the shell was asked
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
  // Deletes every entry and empties the image list and its cache.
  void Clear();

  // Called with the count after every insertion (the item-inserted notification).
  std::function<void(int count)> onInserted;

  // The list's own notifications; true when handled.
  bool OnNotify(NMHDR* hdr, LRESULT* result);

 private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
  void OnSearchHit(const char* path);
  void DetectDrag(LPARAM clientPoint);
  void Resolve(ResultItem& item);

  const Profile& m_settings;
  HINSTANCE m_inst;
  HWND m_hWnd = nullptr;
  WNDPROC m_previous = nullptr;
  HIMAGELIST m_images = nullptr;
  // The shell's icon of a file is known by its index in the system image list; each is added to
  // the list's own image list once.
  std::unordered_map<int, int> m_iconCache;
  int m_findMax = 1000;
  SearchRequest* m_request = nullptr;
};
