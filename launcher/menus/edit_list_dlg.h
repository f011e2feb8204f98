// CEditListDlg: the themed dialog with a name field, an add button and an ordered list with
// move, rename and delete buttons. The menu and user dialogs derive from it and say what the
// rows are; it owns the controls, their look and the rules of the buttons.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <utility>

#include "common/win/handles.h"
#include "launcher/data/launch_data.h"
#include "launcher/menus/name_field.h"
#include "launcher/skin/skin_dialog.h"

class CEditListDlg : public CSkinDialog {
 public:
  // themeOffset: 0 for the menu dialog's theme values, 200 for the user dialog's.
  CEditListDlg(int templateId, const CLaunchData* data, HWND parent, int themeOffset, std::size_t nameLimit,
               std::size_t addLimit);

 protected:
  BOOL OnInitDialog() override;
  void LayOut() override;
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(UINT id, UINT code, HWND ctl) override;

  // ---- What the derived dialog's rows are ----
  virtual int RowCount() const = 0;
  virtual std::string RowText(int row) const = 0;
  virtual int AddRow(const std::string& name) = 0;  // the new row, or -1
  virtual bool DeleteRow(int row) = 0;              // asks first; true when the row went
  virtual bool RenameRow(int row) = 0;              // true when the name changed
  virtual int MoveRow(int row, bool up) = 0;        // the row's new index, or -1
  virtual std::string FullText() const = 0;         // why no row can be added: the list is full

  // A message box over this dialog with the application's caption.
  int Ask(const char* text, UINT type);

  const CLaunchData* m_data;  // not owned

 private:
  int Selected() const;
  void UpdateButtons();
  void SetRowText(int row);
  void OnAdd();
  void OnDelete();
  void OnRename();
  void OnMove(bool up);
  HWND Item(int id) const { return ::GetDlgItem(m_hwnd, id); }

  int m_themeOffset;
  std::size_t m_nameLimit, m_addLimit;
  UniqueFont m_font;  // the 16-pixel font of the name field and the list
  NameField m_field;
};

// The dialog over a working list that names, adds and moves its rows itself (Count, Name, Add,
// MoveUp, MoveDown); the derived dialog decides deleting, renaming and saving.
template <class List>
class CWorkingListDlg : public CEditListDlg {
 protected:
  CWorkingListDlg(int templateId, const CLaunchData* data, HWND parent, int themeOffset, std::size_t nameLimit,
                  std::size_t addLimit, List list)
      : CEditListDlg(templateId, data, parent, themeOffset, nameLimit, addLimit), m_list(std::move(list)) {}

  int RowCount() const override { return m_list.Count(); }
  std::string RowText(int row) const override { return m_list.Name(row); }
  int AddRow(const std::string& name) override { return m_list.Add(name); }
  int MoveRow(int row, bool up) override { return up ? m_list.MoveUp(row) : m_list.MoveDown(row); }

  List m_list;
};
