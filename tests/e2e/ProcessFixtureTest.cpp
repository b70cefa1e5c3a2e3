// The process fixtures: starting a program beside the tests, finding its window, its exit code,
// and the guard that ends leftover copies by image name.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "fixtures/ChromivoProcess.h"
#include "fixtures/E2eTest.h"
#include "fixtures/Process.h"
#include "fixtures/ProcessGuard.h"
#include "standin/StandInIds.h"

namespace {

class ProcessFixture : public E2eTest {};

DWORD OwnerOf(HWND window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  return processId;
}

bool Contains(const std::vector<DWORD>& ids, DWORD id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

TEST_F(ProcessFixture, FindsTheWindowOfEachStartedProcessByItsOwnId) {
  TestProcess first(kStandInImageName);
  TestProcess second(kStandInImageName);
  ASSERT_TRUE(first.Start());
  ASSERT_TRUE(second.Start());

  const HWND firstWindow = first.WaitForWindow(kStandInCaption);
  const HWND secondWindow = second.WaitForWindow(kStandInCaption);
  ASSERT_NE(firstWindow, nullptr);
  ASSERT_NE(secondWindow, nullptr);
  EXPECT_NE(firstWindow, secondWindow);
  EXPECT_EQ(OwnerOf(firstWindow), first.Id());
  EXPECT_EQ(OwnerOf(secondWindow), second.Id());
  EXPECT_TRUE(::IsWindowVisible(firstWindow));
}

TEST_F(ProcessFixture, WindowCaptionMustMatchExactly) {
  TestProcess standIn(kStandInImageName);
  ASSERT_TRUE(standIn.Start());
  ASSERT_NE(standIn.WaitForWindow(kStandInCaption), nullptr);

  // "Chromivo" begins the stand-in's caption but is not its caption.
  EXPECT_EQ(standIn.WaitForWindow(kChromivoCaption, 300), nullptr);
  EXPECT_EQ(FindTopLevelWindow(standIn.Id(), "Chromivo Stand-In "), nullptr);
}

TEST_F(ProcessFixture, ReportsTheExitCodeOfAProcessThatEndsByItself) {
  TestProcess standIn(kStandInImageName);
  ASSERT_TRUE(standIn.Start());
  const HWND window = standIn.WaitForWindow(kStandInCaption);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(standIn.IsRunning());
  EXPECT_FALSE(standIn.WaitForExit(0));

  ::PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD exitCode = 0;
  ASSERT_TRUE(standIn.WaitForExit(kDefaultTimeoutMs, &exitCode));
  EXPECT_EQ(exitCode, static_cast<DWORD>(kStandInExitCode));
  EXPECT_FALSE(standIn.IsRunning());
}

TEST_F(ProcessFixture, KillEndsTheProcess) {
  TestProcess standIn(kStandInImageName);
  ASSERT_TRUE(standIn.Start());
  ASSERT_NE(standIn.WaitForWindow(kStandInCaption), nullptr);
  const DWORD id = standIn.Id();
  ASSERT_TRUE(Contains(ProcessIdsByImageName(kStandInImageName), id));

  standIn.Kill();
  EXPECT_FALSE(standIn.IsRunning());
  EXPECT_FALSE(Contains(ProcessIdsByImageName(kStandInImageName), id));
}

TEST_F(ProcessFixture, GuardEndsEveryProcessOfAnImageNameInAnyCase) {
  TestProcess first(kStandInImageName);
  TestProcess second(kStandInImageName);
  ASSERT_TRUE(first.Start());
  ASSERT_TRUE(second.Start());
  ASSERT_NE(first.WaitForWindow(kStandInCaption), nullptr);
  ASSERT_NE(second.WaitForWindow(kStandInCaption), nullptr);

  const std::vector<DWORD> ids = ProcessIdsByImageName("e2estandin.EXE");
  EXPECT_TRUE(Contains(ids, first.Id()));
  EXPECT_TRUE(Contains(ids, second.Id()));
  EXPECT_FALSE(Contains(ids, ::GetCurrentProcessId()));

  EXPECT_EQ(TerminateProcessesByImageName(kStandInImageName), 2);
  DWORD exitCode = 0;
  EXPECT_TRUE(first.WaitForExit(kDefaultTimeoutMs, &exitCode));
  EXPECT_EQ(exitCode, 1u);
  EXPECT_TRUE(second.WaitForExit(kDefaultTimeoutMs));
  EXPECT_EQ(TerminateProcessesByImageName(kStandInImageName), 0);
}

TEST_F(ProcessFixture, ChromivoMappingProbeLooksForTheProgramsMappingName) {
  EXPECT_FALSE(IsChromivoMappingPresent());
  const UniqueHandle mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                  1, kChromivoRunningMapping));
  ASSERT_NE(mapping, nullptr);
  EXPECT_TRUE(IsChromivoMappingPresent());
}
