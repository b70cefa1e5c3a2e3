// Reads an extended dialog template (DLGTEMPLATEEX) from a module's resources, so the tests can
// check what the resource compiler really produced.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateItem {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  std::string windowClass;  // in lower case: "button", "edit", "static", "msctls_updown32"
  std::string text;         // "#128" for an ordinal (an icon resource, say)
};

struct DialogTemplate {
  bool extended = false;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::string menu;
  std::string windowClass;
  std::string caption;
  WORD pointSize = 0;
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::string typeface;
  std::vector<TemplateItem> items;
};

// False when the template is missing or is not an extended template.
bool LoadDialogTemplate(HMODULE module, int id, DialogTemplate* result);
