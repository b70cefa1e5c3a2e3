#include "DialogTemplate.h"

#include <cctype>

namespace {

// Walks the template's words, never past its end.
class Reader {
 public:
  Reader(const BYTE* data, DWORD size) : m_data(data), m_size(size) {}

  bool ok() const { return m_ok; }

  template <class T>
  T Read() {
    T value{};
    if (m_offset + sizeof(T) > m_size) {
      m_ok = false;
      return value;
    }
    memcpy(&value, m_data + m_offset, sizeof(T));
    m_offset += sizeof(T);
    return value;
  }

  // A NUL-terminated UTF-16 string, kept as its ASCII bytes.
  std::string ReadString() {
    std::string text;
    for (WORD ch = Read<WORD>(); m_ok && ch != 0; ch = Read<WORD>()) {
      text += static_cast<char>(ch);
    }
    return text;
  }

  // A string, or 0xFFFF and an ordinal.
  std::string ReadStringOrOrdinal() {
    const size_t start = m_offset;
    if (Read<WORD>() == 0xFFFF) {
      return "#" + std::to_string(Read<WORD>());
    }
    m_offset = start;
    return ReadString();
  }

  void AlignToDword() { m_offset = (m_offset + 3) & ~static_cast<size_t>(3); }

 private:
  const BYTE* m_data;
  size_t m_size;
  size_t m_offset = 0;
  bool m_ok = true;
};

// Class names compare without case; predefined classes may come as ordinals.
std::string ClassName(const std::string& name) {
  if (name == "#128") {
    return "button";
  }
  if (name == "#129") {
    return "edit";
  }
  if (name == "#130") {
    return "static";
  }
  std::string lower = name;
  for (char& ch : lower) {
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  }
  return lower;
}

}  // namespace

bool LoadDialogTemplate(HMODULE module, int id, DialogTemplate* result) {
  const HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
  if (found == nullptr) {
    return false;
  }
  const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
  Reader reader(data, ::SizeofResource(module, found));

  DialogTemplate& dialog = *result;
  const WORD version = reader.Read<WORD>();
  const WORD signature = reader.Read<WORD>();
  dialog.extended = version == 1 && signature == 0xFFFF;
  if (!dialog.extended) {
    return false;
  }
  reader.Read<DWORD>();  // help id
  dialog.exStyle = reader.Read<DWORD>();
  dialog.style = reader.Read<DWORD>();
  const WORD count = reader.Read<WORD>();
  dialog.x = reader.Read<short>();
  dialog.y = reader.Read<short>();
  dialog.cx = reader.Read<short>();
  dialog.cy = reader.Read<short>();
  dialog.menu = reader.ReadStringOrOrdinal();
  dialog.windowClass = reader.ReadStringOrOrdinal();
  dialog.caption = reader.ReadString();
  if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
    dialog.pointSize = reader.Read<WORD>();
    dialog.weight = reader.Read<WORD>();
    dialog.italic = reader.Read<BYTE>();
    dialog.charset = reader.Read<BYTE>();
    dialog.typeface = reader.ReadString();
  }
  for (WORD i = 0; i < count && reader.ok(); ++i) {
    reader.AlignToDword();
    TemplateItem item;
    reader.Read<DWORD>();  // help id
    item.exStyle = reader.Read<DWORD>();
    item.style = reader.Read<DWORD>();
    item.x = reader.Read<short>();
    item.y = reader.Read<short>();
    item.cx = reader.Read<short>();
    item.cy = reader.Read<short>();
    item.id = reader.Read<DWORD>();
    item.windowClass = ClassName(reader.ReadStringOrOrdinal());
    item.text = reader.ReadStringOrOrdinal();
    const WORD extraBytes = reader.Read<WORD>();
    for (WORD skip = 0; skip < extraBytes; ++skip) {
      reader.Read<BYTE>();
    }
    dialog.items.push_back(item);
  }
  return reader.ok();
}
