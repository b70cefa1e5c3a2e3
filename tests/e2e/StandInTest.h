// The fixture for the tests that prove the end-to-end fixtures against the stand-in program:
// each test gets a freshly started stand-in with its window found.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fixtures/E2eTest.h"
#include "fixtures/Process.h"
#include "fixtures/Wait.h"
#include "fixtures/WindowQuery.h"
#include "standin/StandInIds.h"

class StandInTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    ASSERT_TRUE(m_standIn.Start());
    m_window = m_standIn.WaitForWindow(kStandInCaption);
    ASSERT_NE(m_window, nullptr) << "the stand-in showed no window";
  }

  HWND Item(const StandInControl& control) const { return Control(m_window, control.id); }
  std::string ItemText(const StandInControl& control) const {
    return ControlText(m_window, control.id);
  }
  // Waits until the control shows exactly this text; on failure the test reports the last one.
  ::testing::AssertionResult WaitForItemText(const StandInControl& control,
                                             const std::string& expected) const {
    if (WaitUntil([&] { return ItemText(control) == expected; })) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "control " << control.id << " shows \""
                                         << ItemText(control) << "\", not \"" << expected << "\"";
  }
  // The middle of a control, on the screen.
  POINT ScreenCentreOf(const StandInControl& control) const {
    return CentreOf(WindowRectOnScreen(Item(control)));
  }
  // A point of the stand-in's client area, on the screen.
  POINT ScreenPointAt(int clientX, int clientY) const {
    POINT point{clientX, clientY};
    ::ClientToScreen(m_window, &point);
    return point;
  }

  TestProcess m_standIn{kStandInImageName};
  HWND m_window = nullptr;
};
