#include "common/win/modal_guard.h"

#include <gtest/gtest.h>

TEST(ModalGuard, AGuardInsideAnotherLeavesTheEventToTheOutermost) {
  HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  ModalGuard::SetEvent(event);
  {
    ModalGuard dialog;
    EXPECT_TRUE(ModalGuard::IsSet());
    { ModalGuard warningOverIt; }
    EXPECT_TRUE(ModalGuard::IsSet()) << "the warning's end cleared the event of the open dialog";
  }
  EXPECT_FALSE(ModalGuard::IsSet());
  { ModalGuard again; }
  EXPECT_FALSE(ModalGuard::IsSet());
  ModalGuard::SetEvent(nullptr);
  ::CloseHandle(event);
}
