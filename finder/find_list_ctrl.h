// The result list: one entry per match, added as the worker hands it over. The entries live here
// and the control shows them by index; an entry's display name and icon are found when the list
// first shows it, so a match costs the same however many came before it. Asking the shell costs
// milliseconds a file, so what holds for every file of a type is asked once per extension.
// Every result found is kept; the control shows a view of them: those the name filter lets
// through, in the chosen order (find_list_order.cpp).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/profile.h"
#include "common/ui/subclass.h"
#include "common/win/handles.h"
#include "finder/find_rules.h"
#include "finder/result_rules.h"

struct ResultItem {
  std::string displayName;
  std::string path;  // for the narrow calls; as shown only, when not usable
  std::uint64_t size = 0;
  std::uint64_t written = 0;  // FILETIME, UTC
  int image = -1;             // -1 until the shell was asked
  int smallImage = -1;        // the same for the details view
  bool named = false;
  bool usable = true;      // false: code page 932 cannot write the path nor its short form
  std::u16string folded;   // the file name folded, once a filter needs it
  std::u32string nameKey;  // the file name's sort key, once a sort by name needs it
};

struct SearchRequest;

// Ranks the characters marked (non-zero) in a table indexed by UTF-16 unit, from 1 up, by the
// collation of the user's locale with case aside; characters it finds alike share a rank.
void RankCharacters(std::vector<std::uint32_t>& ranks);

class CFindListCtrl : private CSubclass {
 public:
  CFindListCtrl(const Profile& settings, HINSTANCE inst);
  ~CFindListCtrl();
  CFindListCtrl(const CFindListCtrl&) = delete;
  CFindListCtrl& operator=(const CFindListCtrl&) = delete;

  bool Create(HWND parent, SearchRequest* request);
  HWND Handle() const { return m_hwnd; }
  int FindMax() const { return m_findMax; }

  // The entry a single-result command acts on: the focused one when selected, else the first
  // selected; -1 for none. Every selected entry, in the list's order.
  int Selected() const;
  std::vector<int> SelectedIndexes() const;
  void SelectAll();
  // The result shown at an index of the control.
  const ResultItem* Item(int index) const;
  // Shows every entry taken so far (the end of a search shows them at once).
  void ShowAll();
  // Deletes every entry and empties the image list and its cache.
  void Clear();
  // Drawn at another DPI from now on: icons fetched again at its sides, columns made as wide.
  void SetDpi(int dpi);
  // How many results were taken, whether or not the filter shows them.
  std::size_t Taken() const { return m_items.size(); }

  // The details view (small icons, columns) or the large icons; remembered in the settings.
  bool Details() const { return m_details; }
  void SetDetails(bool details);
  // Shows only the results whose file name the typed text (code page 932) lets through.
  void SetFilter(std::string_view typed);

  // Called with the count of matches shown or to be shown after every one taken; false: the
  // search is to list no more.
  std::function<bool(int count)> onInserted;

  // The list's own notifications; true when handled.
  bool OnNotify(NMHDR* hdr, LRESULT* result);

 private:
  LRESULT SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnDetached() override { m_hwnd = nullptr; }
  // UM_SEARCH_HIT: takes every match the worker queued, a moment later unless the queue is full.
  void TakeMatches();
  void DetectDrag(LPARAM clientPoint);
  bool InSight(int index) const;
  void ResolveName(ResultItem& item);
  void ResolveIcon(ResultItem& item, bool small);
  bool OnDispInfo(NMHDR* hdr);

  // find_list_order.cpp: the view over the results, its columns and the look's settings.
  void CreateColumns();
  void LoadLook();
  void SaveLook() const;
  void ApplyView();
  void ShowSortArrow();
  void OnColumnClick(int column);
  // Sorts every result by the chosen column (folders through their ranks).
  void SortOrder();
  void NoteColumnWidths();
  void SetIconSides(int large, int small);
  int CompareResults(std::uint32_t a, std::uint32_t b);
  // Gives every result its name key; characters not seen before are ranked by the platform's
  // collation first, and then every key is made again.
  void MakeNameKeys();
  // Folds the file names of results from `first` on, for the filter.
  void FoldNames(std::size_t first);
  bool PassesFilter(const ResultItem& item) const;
  // Puts results taken since the last showing into the order; true when they all went after the
  // ones before (always so in the order found).
  bool OrderNew();
  void MakeView();
  // Makes the view again from the order and gives the control its count. Unless the view only
  // grew at its end, the selected results stay selected wherever the view moved them.
  void Refresh(bool grownAtEnd);
  void Reselect(const std::vector<std::uint32_t>& selected, std::int64_t focused);
  std::string CellText(ResultItem& item, int column);

  static constexpr UINT_PTR kLookTimer = 2;  // saves the column widths once a drag of them rests
  bool m_lookPending = false;                // that timer runs: a close saves at once

  const Profile& m_settings;
  HINSTANCE m_inst;
  HWND m_hwnd = nullptr;
  UniqueImageList m_images;
  int m_dpi = 96;
  int m_iconSide = 0, m_smallSide = 0;
  // The shell's icon of a file is known by its index in the system image list; each is added to
  // the list's own image list once.
  std::unordered_map<int, int> m_iconCache;
  UniqueImageList m_smallImages;  // and the same at the small size, for the details view
  std::unordered_map<int, int> m_smallIconCache;
  // What was learned of each extension (its registry key) since the list was last emptied.
  struct ExtensionLook {
    findrules::NameRule names = findrules::NameRule::kUnknown;
    bool ownIcons = false;
    int image = -1;  // the type's image when its files share one
    int smallImage = -1;
  };
  ExtensionLook& LookOf(std::string_view fileName);
  std::unordered_map<std::string, ExtensionLook> m_looks;
  // A folder with a desktop.ini may give its files names of their own (localised names), so
  // the shell names each of its files and no rule is learned from them.
  bool NamesItsFiles(const std::string& folder);
  std::unordered_map<std::string, bool> m_namingFolders;
  std::vector<ResultItem> m_items;
  // Every result's id in the chosen order (m_ordered of them so far), and the ones shown.
  std::vector<std::uint32_t> m_order, m_view;
  std::size_t m_ordered = 0;
  resultrules::NameFilter m_filter;
  int m_matched = 0;  // results the filter lets through, for the limit
  resultrules::Order m_sort;
  std::vector<std::uint32_t> m_charRanks;  // per UTF-16 unit; 0 for one never seen
  resultrules::Widths m_widths{};          // at 96 DPI, as stored
  bool m_details = false;
  bool m_showPending = false;
  bool m_takePending = false;  // a UM_SEARCH_HIT waits for the take timer
  bool m_taking = true;        // false from the limit until the list is emptied
  unsigned m_showDelayMs = 250;
  int m_findMax = 1000;
  SearchRequest* m_request = nullptr;
};
