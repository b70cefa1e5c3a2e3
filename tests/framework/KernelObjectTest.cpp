// The single-instance guard is a named file mapping: the second one of a name must be told that
// it is second, and a name held by another kind of object must not pass for a free one.
#include <gtest/gtest.h>

#include <string>

#include "framework/Handle.h"

namespace {

std::string UniqueName(const char* what) {
  return "Local\\ChromivoFrameworkTest-" + std::to_string(::GetCurrentProcessId()) + "-" + what;
}

HANDLE CreateMapping(const std::string& name) {
  return ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 16, name.c_str());
}

}  // namespace

TEST(KernelObjects, Platform_SecondFileMappingOfTheSameNameReportsAlreadyExists) {
  const std::string name = UniqueName("mapping");
  {
    ::SetLastError(ERROR_SUCCESS);
    CHandle first(CreateMapping(name));
    const DWORD firstError = ::GetLastError();
    CHandle second(CreateMapping(name));
    const DWORD secondError = ::GetLastError();

    ASSERT_NE(static_cast<HANDLE>(first), nullptr);
    ASSERT_NE(static_cast<HANDLE>(second), nullptr);
    EXPECT_NE(firstError, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(secondError, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  }
  // Once every handle is closed the name is free again, as after the first instance exits.
  ::SetLastError(ERROR_SUCCESS);
  CHandle again(CreateMapping(name));
  const DWORD againError = ::GetLastError();
  ASSERT_NE(static_cast<HANDLE>(again), nullptr);
  EXPECT_NE(againError, static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

TEST(KernelObjects, Platform_FileMappingFailsOnANameTakenByAMutex) {
  const std::string name = UniqueName("mutex");
  CHandle mutex(::CreateMutexA(nullptr, FALSE, name.c_str()));
  ASSERT_NE(static_cast<HANDLE>(mutex), nullptr);

  CHandle mapping(CreateMapping(name));
  const DWORD error = ::GetLastError();
  EXPECT_EQ(static_cast<HANDLE>(mapping), nullptr);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_HANDLE));
}
