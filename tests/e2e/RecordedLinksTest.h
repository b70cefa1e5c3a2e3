// The base of the end-to-end tests that open links: Chromivo.exe started with its main window
// shown, while the tests can change file-type associations and read what the recorder, standing
// in for a browser, was started with.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Associations.h"
#include "fixtures/ChromivoProcess.h"
#include "fixtures/E2eTest.h"

class RecordedLinksTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    ASSERT_TRUE(chromivo.Start());
    window = chromivo.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
  }

  // Made before the program starts, which inherits the record's name.
  ScopedClasses classes;
  LinkRecord record;
  ChromivoProcess chromivo;
  HWND window = nullptr;
  const std::string quotedRecorder = Quoted(RecorderPath());
};
