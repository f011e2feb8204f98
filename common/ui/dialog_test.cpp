#include "common/ui/dialog.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/skin.h"

namespace {

constexpr UINT kThrowingCommand = 4000;

class CPlainDialog : public CDialog {
 public:
  CPlainDialog(HWND parent, bool* finished) : CDialog(IDD_PLAIN_TEST, parent), m_finished(finished) {}
  int inits = 0, oks = 0, cancels = 0, commands = 0;
  UINT lastCode = 0;
  bool deleteAtEnd = false;
  UINT_PTR postAtInit = 0;  // a command to post once the dialog runs

 protected:
  BOOL OnInitDialog() override {
    ++inits;
    if (postAtInit) ::PostMessageA(m_hwnd, WM_COMMAND, postAtInit, 0);
    return TRUE;
  }
  void OnOK() override {
    ++oks;
    EndDialog(IDOK);
  }
  void OnCancel() override {
    ++cancels;
    EndDialog(77);
  }
  bool OnCommand(UINT id, UINT code, HWND) override {
    if (id == kThrowingCommand) throw std::runtime_error("handler failed");
    ++commands;
    lastCode = code;
    return true;
  }
  void OnFinalMessage() override {
    if (m_finished) *m_finished = true;
    if (deleteAtEnd) delete this;
  }

 private:
  bool* m_finished;
};

}  // namespace

TEST(Dialog, ModalRunDispatchesCommandsAndReturnsTheEndResult) {
  CPlainDialog dlg(nullptr, nullptr);
  dlg.postAtInit = IDCANCEL;
  EXPECT_EQ(dlg.DoModal(), 77);
  EXPECT_EQ(dlg.inits, 1);
  EXPECT_EQ(dlg.cancels, 1);
  EXPECT_EQ(dlg.Handle(), nullptr) << "unlinked when the window went";

  CPlainDialog ok(nullptr, nullptr);
  ok.postAtInit = IDOK;
  EXPECT_EQ(ok.DoModal(), IDOK);
  EXPECT_EQ(ok.oks, 1);
}

TEST(Dialog, ModelessDialogRoutesCommandsAndMayDeleteItselfAtTheEnd) {
  bool finished = false;
  auto* dlg = new CPlainDialog(nullptr, &finished);
  dlg->deleteAtEnd = true;
  HWND w = dlg->Create();
  ASSERT_TRUE(w);
  EXPECT_EQ(dlg->inits, 1);
  ::SendMessageA(w, WM_COMMAND, MAKEWPARAM(1234, EN_CHANGE), 0);
  EXPECT_EQ(dlg->commands, 1);
  EXPECT_EQ(dlg->lastCode, static_cast<UINT>(EN_CHANGE));
  // A failing handler is stopped at the procedure: the dialog lives on.
  EXPECT_EQ(::SendMessageA(w, WM_COMMAND, kThrowingCommand, 0), 0);
  EXPECT_TRUE(::IsWindow(w));
  ::SendMessageA(w, WM_COMMAND, IDCANCEL, 0);  // EndDialog of a modeless dialog destroys it
  EXPECT_FALSE(::IsWindow(w));
  EXPECT_TRUE(finished);  // and the object deleted itself after WM_NCDESTROY
}

TEST(Dialog, ObjectGoingFirstTakesItsWindowWithIt) {
  HWND w = nullptr;
  {
    CPlainDialog dlg(nullptr, nullptr);
    w = dlg.Create();
    ASSERT_TRUE(w);
  }
  EXPECT_FALSE(::IsWindow(w));
}
