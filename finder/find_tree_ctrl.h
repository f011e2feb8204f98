// The tree of search targets: the four kinds, their places (shell folders, drives, the group of
// all local fixed drives) and the folders below them, read on first expansion.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "common/profile.h"
#include "common/win/handles.h"

// What every tree item carries; owned by the item and freed with it.
struct FindNode {
  std::string name;
  std::string extensions;
  int filled = 0;
  int flags = 0;
};

class CFindTreeCtrl {
 public:
  CFindTreeCtrl(const Profile& settings, HINSTANCE inst);
  ~CFindTreeCtrl();
  CFindTreeCtrl(const CFindTreeCtrl&) = delete;
  CFindTreeCtrl& operator=(const CFindTreeCtrl&) = delete;

  bool Create(HWND parent);
  HWND Handle() const { return m_hwnd; }
  // Icons of side x side pixels from now on, the ones shown kept in their places.
  void SetIconSide(int side);

  FindNode* Node(HTREEITEM item) const;
  HTREEITEM Selection() const { return TreeView_GetSelection(m_hwnd); }
  std::optional<std::string> PathOf(HTREEITEM item) const;
  std::string ExtensionsOf(HTREEITEM item) const;
  DWORD HiddenType() const { return m_hiddenType; }

  void AddDocumentExtension(const std::string& ext);
  void DeleteDocumentExtension();
  // The values of Document1 .. DocumentRegCnt as the settings hold them.
  std::vector<std::string> RegisteredDocuments() const;

  // Expansion and deletion are the tree's own; true when the notification was one of them.
  bool OnNotify(NMHDR* hdr, LRESULT* result);

 private:
  HTREEITEM Insert(HTREEITEM parent, HTREEITEM after, const std::string& text, int image, int selectedImage,
                   FindNode* node);
  int AddIcon(HICON icon);  // takes ownership of nothing: the image list copies it
  int ResourceIcon(int id);
  int ExtensionImage(const std::string& ext);
  void AddShellFolder(HTREEITEM parent, int csidl, bool common, int flags);
  void AddDriveList(HTREEITEM parent);
  void Build();
  void Expand(HTREEITEM item, FindNode* node);
  std::string KindList() const;
  void RefreshListsOfAll();
  std::string LoadText(UINT id) const;

  const Profile& m_settings;
  HINSTANCE m_inst;
  HWND m_hwnd = nullptr;
  UniqueImageList m_images;
  DWORD m_hiddenType = 6;
  HTREEITEM m_internet = nullptr, m_documents = nullptr, m_allDocuments = nullptr, m_programs = nullptr,
            m_all = nullptr, m_lastDocument = nullptr;
};
