#include <windows.h>

#include <shlobj.h>

#include "customlabel/LabelSettings.h"
#include "language/win32/WideText.h"

namespace kestrel {

// The short (8.3) form keeps the path within the classic 260 characters
// whatever the user's name is.
std::string DataRootFromEnvironment() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  wchar_t shortForm[MAX_PATH] = {};
  const DWORD length = GetShortPathNameW(folder, shortForm, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return win32::Narrow(shortForm);
}

std::string ConfigRootFromEnvironment() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return win32::Narrow(folder);
}

}  // namespace kestrel
