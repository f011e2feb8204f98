// CDialog: a dialog template and its object. The shared dialog procedure links them on
// WM_INITDIALOG (the object travels as the creation parameter) and unlinks on WM_NCDESTROY, so no
// virtual call reaches an object being destroyed and messages before WM_INITDIALOG get the
// dialog manager's defaults.
#pragma once
#include <windows.h>

class CDialog {
 public:
  CDialog(int templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;
  // A modeless window still open is unlinked first, then destroyed.
  virtual ~CDialog();

  HWND Handle() const { return m_hwnd; }
  HWND Parent() const { return m_parent; }
  int TemplateId() const { return m_templateId; }

  // Runs the template of the module (the program's own when null) modally: the value given to
  // EndDialog, or -1 when the dialog could not be made.
  INT_PTR DoModal(HINSTANCE inst = nullptr);
  // Creates the dialog modeless; shown when its template says WS_VISIBLE. Null on failure.
  HWND Create(HINSTANCE inst = nullptr);

 protected:
  // One switch per class; TRUE when handled (results other than TRUE go through SetResult),
  // FALSE for the dialog manager's default.
  virtual INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // Commands other than IDOK and IDCANCEL; true when handled.
  virtual bool OnCommand(UINT /*id*/, UINT /*code*/, HWND /*ctl*/) { return false; }
  // After WM_NCDESTROY: the window is gone and the object is no longer reachable from it, so a
  // modeless dialog may delete itself here.
  virtual void OnFinalMessage() {}

  // Ends a modal run with the result; a modeless dialog is destroyed.
  void EndDialog(INT_PTR result);
  // Answers a message whose result is not the procedure's return value.
  INT_PTR SetResult(LRESULT result);

  HWND m_hwnd = nullptr;

 private:
  static INT_PTR CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);

  int m_templateId;
  HWND m_parent;
  bool m_modal = false;
};
