// Every scenario runs with the settings Windows ships where Wine's differ: focus marks stay hidden
// until a key is used. The user's own setting is put back at the end.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

class WindowsDefaults : public ::testing::Environment {
 public:
  void SetUp() override {
    ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &m_cues, 0);
    ::SystemParametersInfoA(SPI_SETKEYBOARDCUES, 0, nullptr, 0);
  }
  void TearDown() override {
    ::SystemParametersInfoA(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(INT_PTR{m_cues}), 0);
  }

 private:
  BOOL m_cues = FALSE;
};

[[maybe_unused]] ::testing::Environment* const kDefaults = ::testing::AddGlobalTestEnvironment(new WindowsDefaults);

}  // namespace
