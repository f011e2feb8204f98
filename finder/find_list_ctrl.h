// The result list: one entry per match, added as the worker hands it over. The entries live here
// and the control shows them by index; an entry's display name and icon are found when the list
// first shows it, so a match costs the same however many came before it. Asking the shell costs
// milliseconds a file, so what holds for every file of a type is asked once per extension.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/profile.h"
#include "common/ui/subclass.h"
#include "common/win/handles.h"
#include "finder/find_rules.h"

struct ResultItem {
  std::string displayName;
  std::string path;  // for the narrow calls; as shown only, when not usable
  int image = -1;    // -1 until the shell was asked
  bool named = false;
  bool usable = true;  // false: code page 932 cannot write the path nor its short form
};

struct SearchRequest;

class CFindListCtrl : private CSubclass {
 public:
  CFindListCtrl(const Profile& settings, HINSTANCE inst);
  ~CFindListCtrl();
  CFindListCtrl(const CFindListCtrl&) = delete;
  CFindListCtrl& operator=(const CFindListCtrl&) = delete;

  bool Create(HWND parent, SearchRequest* request);
  HWND Handle() const { return m_hwnd; }
  int FindMax() const { return m_findMax; }

  // The entry selected, or -1, and its result.
  int Selected() const;
  // Every entry selected, in the list's order.
  std::vector<int> SelectedIndexes() const;
  const ResultItem* Item(int index) const;
  // Shows every entry taken so far (the end of a search shows them at once).
  void ShowAll();
  // Deletes every entry and empties the image list and its cache.
  void Clear();

  // Called with the count after every insertion; false: the search is to list no more.
  std::function<bool(int count)> onInserted;

  // The list's own notifications; true when handled.
  bool OnNotify(NMHDR* hdr, LRESULT* result);

 private:
  LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnDetached() override { m_hwnd = nullptr; }
  // UM_SEARCH_HIT: takes every match the worker queued.
  void TakeMatches();
  void DetectDrag(LPARAM clientPoint);
  bool InSight(int index) const;
  void ResolveName(ResultItem& item);
  void ResolveIcon(ResultItem& item);

  const Profile& m_settings;
  HINSTANCE m_inst;
  HWND m_hwnd = nullptr;
  UniqueImageList m_images;
  // The shell's icon of a file is known by its index in the system image list; each is added to
  // the list's own image list once.
  std::unordered_map<int, int> m_iconCache;
  // What was learned of each extension (its registry key) since the list was last emptied.
  struct ExtensionLook {
    findrules::NameRule names = findrules::NameRule::kUnknown;
    bool ownIcons = false;
    int image = -1;  // the type's image when its files share one
  };
  ExtensionLook& LookOf(std::string_view fileName);
  std::unordered_map<std::string, ExtensionLook> m_looks;
  // A folder with a desktop.ini may give its files names of their own (localised names), so
  // the shell names each of its files and no rule is learned from them.
  bool NamesItsFiles(const std::string& folder);
  std::unordered_map<std::string, bool> m_namingFolders;
  std::vector<ResultItem> m_items;
  bool m_showPending = false;
  bool m_taking = true;  // false from the limit until the list is emptied
  unsigned m_showDelayMs = 50;
  int m_findMax = 1000;
  SearchRequest* m_request = nullptr;
};
