// The command line that opens an address with the ".htm" program when the shell cannot.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "controls/OpenCommand.h"

namespace {

constexpr char kAddress[] = "http://chromivo.example/";

// Builds into a buffer of kOpenCommandLineSize bytes followed by a guard region, and checks that
// nothing was written past the buffer.
struct Built {
  bool ok;
  std::string commandLine;
};

Built Build(const std::string& association, const std::string& address,
            size_t bufferSize = kOpenCommandLineSize) {
  constexpr char kGuard = '\x5A';
  std::array<char, kOpenCommandLineSize + 64> memory;
  memory.fill(kGuard);
  const bool ok =
      BuildOpenCommandLine(association.c_str(), address.c_str(), memory.data(), bufferSize);
  for (size_t i = bufferSize; i < memory.size(); ++i) {
    EXPECT_EQ(memory[i], kGuard) << "written past the buffer at offset " << i;
  }
  const size_t length = std::string(memory.data(), bufferSize).find('\0');
  EXPECT_NE(length, std::string::npos) << "the command line is not terminated within the buffer";
  return {ok, std::string(memory.data(), length == std::string::npos ? 0 : length)};
}

}  // namespace

TEST(OpenCommandLine, CutsAtThePlaceholderAndAppendsTheUnquotedAddress) {
  // A quoted placeholder is cut at its opening quote: the command keeps its own space.
  EXPECT_EQ(Build("\"C:\\Web\\browser.exe\" -url \"%1\"", kAddress).commandLine,
            "\"C:\\Web\\browser.exe\" -url  http://chromivo.example/");
  // A bare placeholder is cut where it starts; what follows it is lost.
  EXPECT_EQ(Build("C:\\Web\\browser.exe %1 -new-window", kAddress).commandLine,
            "C:\\Web\\browser.exe  http://chromivo.example/");
  // Without a placeholder the whole command is kept.
  EXPECT_EQ(Build("\"C:\\Web\\browser.exe\" -nohome", kAddress).commandLine,
            "\"C:\\Web\\browser.exe\" -nohome http://chromivo.example/");
}

TEST(OpenCommandLine, TakesTheFirstQuotedPlaceholderElseTheFirstBareOne) {
  EXPECT_EQ(Build("b.exe \"%1\" -again \"%1\"", kAddress).commandLine,
            "b.exe  http://chromivo.example/");
  EXPECT_EQ(Build("b.exe -a %1 -b %1", kAddress).commandLine, "b.exe -a  http://chromivo.example/");
  // A quoted placeholder wins over a bare one that comes before it.
  EXPECT_EQ(Build("b.exe %1 -alt \"%1\"", kAddress).commandLine,
            "b.exe %1 -alt  http://chromivo.example/");
}

TEST(OpenCommandLine, GivesUpWhenTheLineWouldNotFitAndWritesNothingPastTheBuffer) {
  const std::string command = "\"C:\\Web\\browser.exe\" ";
  // command + space + address + NUL exactly fills the buffer, then one byte more.
  const std::string fits(kOpenCommandLineSize - command.size() - 2, 'a');
  const Built atLimit = Build(command + "\"%1\"", fits);
  EXPECT_TRUE(atLimit.ok);
  EXPECT_EQ(atLimit.commandLine, command + " " + fits);
  EXPECT_EQ(atLimit.commandLine.size(), kOpenCommandLineSize - 1);

  const Built overLimit = Build(command + "\"%1\"", fits + "a");
  EXPECT_FALSE(overLimit.ok);
  EXPECT_EQ(overLimit.commandLine, "");

  // The command part alone can be too long too.
  const Built longCommand = Build(std::string(kOpenCommandLineSize, 'c'), "x");
  EXPECT_FALSE(longCommand.ok);
  EXPECT_EQ(longCommand.commandLine, "");

  EXPECT_FALSE(Build("b.exe %1", kAddress, 8).ok);
  EXPECT_TRUE(Build("b %1", "x", 5).ok);
}

TEST(OpenCommandLine, AnEmptyBufferIsNotTouched) {
  char memory[4] = {'g', 'g', 'g', 'g'};
  EXPECT_FALSE(BuildOpenCommandLine("b.exe %1", kAddress, memory, 0));
  EXPECT_EQ(std::string(memory, 4), "gggg");
}
