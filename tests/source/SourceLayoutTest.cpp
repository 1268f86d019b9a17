#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace kestrel::test {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = KESTREL_SOURCE_DIR;

// What a folder of src/ may include besides its own headers.
struct Layer {
  std::set<std::string> folders;
  bool qt = false;
};

// The rows of the README's "Source layout" table:
// | `folder/` | what it holds | `other`, `folders`, Qt |
std::map<std::string, Layer> LayoutTable() {
  std::ifstream readme(kSourceDir / "README.md");
  std::map<std::string, Layer> table;
  const std::regex row(R"(^\| `([a-z0-9_]+)/` \|[^|]*\|([^|]*)\|\s*$)");
  const std::regex name("`([a-z0-9_]+)`");
  bool inSection = false;
  for (std::string line; std::getline(readme, line);) {
    if (line.rfind("## ", 0) == 0) inSection = line == "## Source layout";
    std::smatch cells;
    if (!inSection || !std::regex_match(line, cells, row)) continue;
    Layer& layer = table[cells[1]];
    const std::string uses = cells[2];
    for (auto found = std::sregex_iterator(uses.begin(), uses.end(), name); found != std::sregex_iterator(); ++found)
      layer.folders.insert((*found)[1]);
    layer.qt = std::regex_search(uses, std::regex(R"(\bQt\b)"));
  }
  return table;
}

std::set<std::string> SourceFolders() {
  std::set<std::string> folders;
  for (const fs::directory_entry& entry : fs::directory_iterator(kSourceDir / "src"))
    if (entry.is_directory()) folders.insert(entry.path().filename().string());
  return folders;
}

TEST(SourceLayoutTest, EveryFolderOfSrcHasItsRowInTheReadme) {
  std::set<std::string> rows;
  for (const auto& [folder, layer] : LayoutTable()) rows.insert(folder);
  EXPECT_EQ(rows, SourceFolders()) << "README.md, \"Source layout\": one row for each folder of src/";
}

TEST(SourceLayoutTest, EveryIncludeKeepsToTheReadmeTable) {
  const std::map<std::string, Layer> table = LayoutTable();
  const std::set<std::string> folders = SourceFolders();
  ASSERT_FALSE(table.empty()) << "README.md has no \"Source layout\" table";
  const std::regex quoted(R"(^\s*#\s*include\s*"([a-z0-9_]+)/)");
  const std::regex qt(R"(^\s*#\s*include\s*<Q)");
  std::vector<std::string> broken;
  std::size_t linesRead = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kSourceDir / "src")) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
    const fs::path relative = fs::relative(entry.path(), kSourceDir / "src");
    const std::string folder = relative.begin()->string();
    const auto layer = table.find(folder);
    if (layer == table.end()) continue;  // the other test names it
    std::ifstream source(entry.path());
    int number = 0;
    for (std::string line; std::getline(source, line);) {
      ++number;
      ++linesRead;
      if (line.find("include") == std::string::npos) continue;
      std::smatch include;
      const bool known =
          std::regex_search(line, include, quoted) && include[1] != folder && folders.count(include[1]) > 0;
      if ((known && layer->second.folders.count(include[1]) == 0) || (!layer->second.qt && std::regex_search(line, qt)))
        broken.push_back("src/" + relative.generic_string() + ":" + std::to_string(number) + ": " + line);
    }
  }
  EXPECT_GT(linesRead, 1000u);
  for (const std::string& line : broken) ADD_FAILURE() << line << "\n  is not allowed by README.md, \"Source layout\"";
}

}  // namespace
}  // namespace kestrel::test
