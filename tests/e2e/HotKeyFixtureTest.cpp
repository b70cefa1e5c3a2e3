// The hot key probe: it tells a hot key another program holds from a free one, and never keeps
// the key itself.
#include <gtest/gtest.h>

#include "StandInTest.h"
#include "fixtures/ChromivoProcess.h"
#include "fixtures/Foreground.h"
#include "fixtures/HotKeyProbe.h"
#include "fixtures/Input.h"

namespace {

class HotKeyFixture : public StandInTest {};

// Any id of the test thread's own.
constexpr int kTestHotKeyId = 17;

bool ChromivoHotKeyHeldElsewhere() {
  return IsHotKeyHeldElsewhere(kChromivoHotKeyModifiers, kChromivoHotKeyKey);
}

}  // namespace

TEST_F(HotKeyFixture, ProbeSeesTheHotKeyWhileTheStandInHoldsIt) {
  ASSERT_EQ(ItemText(kStandInHotKeyCount), "0") << "the stand-in could not register the hot key";
  EXPECT_TRUE(ChromivoHotKeyHeldElsewhere());

  m_standIn.Kill();
  EXPECT_TRUE(WaitUntil([] { return !ChromivoHotKeyHeldElsewhere(); }));
}

TEST_F(HotKeyFixture, ProbeLetsGoOfAFreeHotKey) {
  m_standIn.Kill();
  ASSERT_TRUE(WaitUntil([] { return !ChromivoHotKeyHeldElsewhere(); }));

  // Had the probe kept the key, this thread could not register it again, nor could a program.
  ASSERT_TRUE(
      ::RegisterHotKey(nullptr, kTestHotKeyId, kChromivoHotKeyModifiers, kChromivoHotKeyKey));
  ::UnregisterHotKey(nullptr, kTestHotKeyId);
  ASSERT_TRUE(m_standIn.Start());
  m_window = m_standIn.WaitForWindow(kStandInCaption);
  ASSERT_NE(m_window, nullptr);
  EXPECT_EQ(ItemText(kStandInHotKeyCount), "0");
}

TEST_F(HotKeyFixture, HotKeyReachesItsHolderWhileAnotherProgramIsInFront) {
  TestProcess other(kStandInImageName);
  ASSERT_TRUE(other.Start());
  const HWND otherWindow = other.WaitForWindow(kStandInCaption);
  ASSERT_NE(otherWindow, nullptr);
  ASSERT_EQ(ControlText(otherWindow, kStandInHotKeyCount.id), "taken");
  ASSERT_NE(BringToForeground(otherWindow), ForegroundMeans::kFailed);

  ASSERT_TRUE(PressKey(VK_SUBTRACT, kCtrl));
  EXPECT_TRUE(WaitForItemText(kStandInHotKeyCount, "1"));
  ASSERT_TRUE(PressKey(VK_SUBTRACT, kCtrl));
  EXPECT_TRUE(WaitForItemText(kStandInHotKeyCount, "2"));
  EXPECT_EQ(ControlText(otherWindow, kStandInEdit.id), kStandInInitialEditText);
}
