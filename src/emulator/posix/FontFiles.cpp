#include "emulator/FontFiles.h"

namespace kestrel::emu {

// The fonts that scripts/setup installs.
std::vector<std::filesystem::path> CjkFontFiles() {
  return {
      "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
      "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
      "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc",
  };
}

}  // namespace kestrel::emu
