#pragma once

#include <string>

namespace kestrel {

// A path cut at its last slash, for files made or found beside another.
struct PathParts {
  std::string folder;  // never empty: "." for a bare name
  std::string name;
};

inline PathParts SplitPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

inline std::string InFolder(const std::string& folder, const std::string& name) {
  return (folder == "/" ? "" : folder) + "/" + name;
}

}  // namespace kestrel
