// What the link tests need from the machine: file-type associations that they change and put
// back, and a recorder program that writes down how it was started.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "fixtures/Wait.h"

// Changes under HKEY_CLASSES_ROOT, undone when the object goes. The original state of each
// changed key is first copied under HKEY_CURRENT_USER, so that a test program that dies midway
// is undone by the next one that makes such changes (the Wine prefix outlives the run).
class ScopedClasses {
 public:
  ScopedClasses();
  ~ScopedClasses();
  ScopedClasses(const ScopedClasses&) = delete;
  ScopedClasses& operator=(const ScopedClasses&) = delete;

  // Sets the key's default value, creating the key as needed.
  void SetDefault(const std::string& subkey, const std::string& value);
  void SetDefaultRaw(const std::string& subkey, DWORD type, const std::string& bytes);
  void RemoveDefault(const std::string& subkey);
  void RemoveKey(const std::string& subkey);

 private:
  void Save(const std::string& subkey);
};

// The file type that the tests give ".htm" files.
constexpr char kTestPageType[] = "ChromivoTests.Page";

// The shell can no longer open http or mailto addresses, and ".htm" files open with the command
// htmlCommand: the situation in which a link falls back to the program of ".htm" files.
void BreakShellLinks(ScopedClasses& classes, const std::string& htmlCommand);

// link_recorder.exe, beside the test program (a Windows path without spaces here).
std::string RecorderPath();
// The text in double quotes.
std::string Quoted(const std::string& text);

// The lines the recorder writes while this object lives, one per start. The file is named in the
// environment, which every process started from here inherits.
class LinkRecord {
 public:
  LinkRecord();
  ~LinkRecord();
  LinkRecord(const LinkRecord&) = delete;
  LinkRecord& operator=(const LinkRecord&) = delete;

  std::vector<std::string> Lines() const;
  // Waits until there are at least count lines, pumping messages meanwhile; false if they did
  // not come.
  bool WaitForLines(size_t count, const std::function<void()>& pump = PumpMessages) const;

 private:
  std::string m_path;
};
