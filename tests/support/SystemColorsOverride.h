// System colours set for the whole session while the object lives, as a contrast theme sets
// them, and put back afterwards. SetSysColors tells every top-level window (WM_SYSCOLORCHANGE),
// as switching a theme does.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <utility>
#include <vector>

class SystemColorsOverride {
 public:
  explicit SystemColorsOverride(std::initializer_list<std::pair<int, COLORREF>> colors) {
    for (const auto& [element, color] : colors) {
      m_elements.push_back(element);
      m_before.push_back(::GetSysColor(element));
      m_after.push_back(color);
    }
    Set(m_after);
  }
  ~SystemColorsOverride() { Set(m_before); }
  SystemColorsOverride(const SystemColorsOverride&) = delete;
  SystemColorsOverride& operator=(const SystemColorsOverride&) = delete;

 private:
  void Set(const std::vector<COLORREF>& colors) {
    ::SetSysColors(static_cast<int>(m_elements.size()), m_elements.data(), colors.data());
  }

  std::vector<int> m_elements;
  std::vector<COLORREF> m_before;
  std::vector<COLORREF> m_after;
};
