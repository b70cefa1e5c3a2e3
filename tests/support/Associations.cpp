#include "Associations.h"

#include <cstring>
#include <fstream>

namespace {

constexpr char kTestsKey[] = "Software\\Chromivo tests";
constexpr char kBackupKey[] = "Software\\Chromivo tests\\Saved classes";

// How a key was before the tests changed it; stored as the start of a backup value's data.
enum class Was : DWORD { Absent, WithoutDefault, WithDefault };
struct SavedState {
  Was was;
  DWORD type;  // of the default value, when there was one
};

// A registry key closed on scope exit.
class Key {
 public:
  Key() = default;
  ~Key() {
    if (m_key != nullptr) {
      ::RegCloseKey(m_key);
    }
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  bool Open(HKEY root, const std::string& subkey, REGSAM access) {
    return ::RegOpenKeyExA(root, subkey.c_str(), 0, access, &m_key) == ERROR_SUCCESS;
  }
  bool Create(HKEY root, const std::string& subkey) {
    return ::RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                             nullptr) == ERROR_SUCCESS;
  }
  operator HKEY() const { return m_key; }

 private:
  HKEY m_key = nullptr;
};

void DeleteClassKey(const std::string& subkey) {
  ::RegDeleteTreeA(HKEY_CLASSES_ROOT, subkey.c_str());
  ::RegDeleteKeyA(HKEY_CLASSES_ROOT, subkey.c_str());
}

// Puts every saved key back as it was, then forgets the copies.
void RestoreSavedClasses() {
  Key backup;
  if (!backup.Open(HKEY_CURRENT_USER, kBackupKey, KEY_READ)) {
    return;
  }
  for (DWORD index = 0;; ++index) {
    char name[1024] = {};
    DWORD nameLength = sizeof(name);
    std::string data(4096, '\0');
    DWORD dataSize = static_cast<DWORD>(data.size());
    if (::RegEnumValueA(backup, index, name, &nameLength, nullptr, nullptr,
                        reinterpret_cast<BYTE*>(data.data()), &dataSize) != ERROR_SUCCESS) {
      break;
    }
    if (dataSize < sizeof(SavedState)) {
      continue;
    }
    SavedState state{};
    std::memcpy(&state, data.data(), sizeof(state));
    Key key;
    if (state.was == Was::Absent) {
      DeleteClassKey(name);
    } else if (state.was == Was::WithoutDefault) {
      if (key.Open(HKEY_CLASSES_ROOT, name, KEY_SET_VALUE)) {
        ::RegDeleteValueA(key, nullptr);
      }
    } else if (key.Create(HKEY_CLASSES_ROOT, name)) {
      ::RegSetValueExA(key, nullptr, 0, state.type,
                       reinterpret_cast<const BYTE*>(data.data() + sizeof(state)),
                       dataSize - static_cast<DWORD>(sizeof(state)));
    }
  }
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestsKey);
  ::RegDeleteKeyA(HKEY_CURRENT_USER, kTestsKey);
}

}  // namespace

ScopedClasses::ScopedClasses() {
  RestoreSavedClasses();
}

ScopedClasses::~ScopedClasses() {
  RestoreSavedClasses();
}

// Saves the state of the first key on the path that does not exist (removed whole on restore),
// or of the key's default value; once per key, and never under a key that will be removed.
void ScopedClasses::Save(const std::string& subkey) {
  std::string target = subkey;
  SavedState state{Was::WithDefault, REG_NONE};
  for (size_t end = 0; end != std::string::npos;) {
    end = subkey.find('\\', end + 1);
    Key probe;
    if (!probe.Open(HKEY_CLASSES_ROOT, subkey.substr(0, end), KEY_READ)) {
      target = subkey.substr(0, end);
      state.was = Was::Absent;
      break;
    }
  }
  std::string value;
  if (state.was != Was::Absent) {
    Key key;
    key.Open(HKEY_CLASSES_ROOT, subkey, KEY_READ);
    DWORD size = 0;
    if (::RegQueryValueExA(key, nullptr, nullptr, &state.type, nullptr, &size) != ERROR_SUCCESS) {
      state.was = Was::WithoutDefault;
    } else {
      value.resize(size);
      ::RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value.data()),
                         &size);
    }
  }

  Key backup;
  if (!backup.Create(HKEY_CURRENT_USER, kBackupKey)) {
    return;
  }
  if (::RegQueryValueExA(backup, target.c_str(), nullptr, nullptr, nullptr, nullptr) ==
      ERROR_SUCCESS) {
    return;
  }
  for (size_t slash = target.rfind('\\'); slash != std::string::npos;
       slash = target.rfind('\\', slash - 1)) {
    SavedState above{};
    DWORD size = sizeof(above);
    if (::RegQueryValueExA(backup, target.substr(0, slash).c_str(), nullptr, nullptr,
                           reinterpret_cast<BYTE*>(&above), &size) == ERROR_SUCCESS &&
        size == sizeof(above) && above.was == Was::Absent) {
      return;  // the whole key goes on restore
    }
    if (slash == 0) {
      break;
    }
  }
  std::string data(reinterpret_cast<const char*>(&state), sizeof(state));
  data += value;
  ::RegSetValueExA(backup, target.c_str(), 0, REG_BINARY,
                   reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
}

void ScopedClasses::SetDefault(const std::string& subkey, const std::string& value) {
  SetDefaultRaw(subkey, REG_SZ, std::string(value.c_str(), value.size() + 1));
}

void ScopedClasses::SetDefaultRaw(const std::string& subkey, DWORD type, const std::string& bytes) {
  Save(subkey);
  Key key;
  if (key.Create(HKEY_CLASSES_ROOT, subkey)) {
    ::RegSetValueExA(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                     static_cast<DWORD>(bytes.size()));
  }
}

void ScopedClasses::RemoveDefault(const std::string& subkey) {
  Save(subkey);
  Key key;
  if (key.Open(HKEY_CLASSES_ROOT, subkey, KEY_SET_VALUE)) {
    ::RegDeleteValueA(key, nullptr);
  }
}

void ScopedClasses::RemoveKey(const std::string& subkey) {
  Save(subkey);
  DeleteClassKey(subkey);
}

void BreakShellLinks(ScopedClasses& classes, const std::string& htmlCommand) {
  classes.RemoveDefault("http\\shell\\open\\command");
  classes.RemoveDefault("mailto\\shell\\open\\command");
  classes.SetDefault(".htm", kTestPageType);
  classes.SetDefault(std::string(kTestPageType) + "\\shell\\open\\command", htmlCommand);
}

std::string RecorderPath() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string result(path, length);
  return result.substr(0, result.find_last_of("\\/") + 1) + "link_recorder.exe";
}

std::string Quoted(const std::string& text) {
  // Built piecewise: GCC 12 warns falsely (-Wrestrict) on "\"" + std::string.
  std::string quoted = "\"";
  quoted += text;
  quoted += '"';
  return quoted;
}

LinkRecord::LinkRecord() {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  m_path = std::string(folder) + "chromivo-link-record-" + std::to_string(::GetCurrentProcessId()) +
           ".txt";
  ::DeleteFileA(m_path.c_str());
  ::SetEnvironmentVariableA("CHROMIVO_LINK_RECORD", m_path.c_str());
}

LinkRecord::~LinkRecord() {
  ::SetEnvironmentVariableA("CHROMIVO_LINK_RECORD", nullptr);
  ::DeleteFileA(m_path.c_str());
}

std::vector<std::string> LinkRecord::Lines() const {
  std::vector<std::string> lines;
  std::ifstream file(m_path, std::ios::binary);
  for (std::string line; std::getline(file, line);) {
    lines.push_back(line);
  }
  return lines;
}

bool LinkRecord::WaitForLines(size_t count, const std::function<void()>& pump) const {
  return WaitUntil([&] { return Lines().size() >= count; }, kDefaultTimeoutMs, pump);
}
