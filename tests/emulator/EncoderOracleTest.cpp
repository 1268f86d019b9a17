#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "emulator/EmulatorTestSupport.h"
#include "emulator/VirtualPrinter.h"
#include "support/TestSupport.h"

namespace kestrel::emu {
namespace {

// Streams of an independent encoder, receiptline from the npm registry, when
// KESTREL_RECEIPTLINE names the node_modules folder it is installed in (the
// suite does not need it): every family's receipt prints without a problem,
// and its bar codes and QR code scan.
TEST(EncoderOracleTest, ReceiptlineStreamsPrintAsSent) {
  const char* modules = std::getenv("KESTREL_RECEIPTLINE");
  if (modules == nullptr || *modules == '\0') GTEST_SKIP() << "KESTREL_RECEIPTLINE is not set";
  test::TempDir folder;
  const std::string run =
      "NODE_PATH='" + std::string(modules) + "' node '" KESTREL_ORACLE_DIR "/receipt.js' '" + folder.path() + "'";
  ASSERT_EQ(std::system(run.c_str()), 0) << run;
  for (const char* family : {"escpos", "epson", "generic", "citizen", "fit"}) {
    const std::string text = test::ReadText(folder.path() + "/" + family + ".bin");
    const Rendering rendering =
        RenderStream(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), kWidth80mm);
    std::vector<std::string> found;
    for (const Page& page : rendering.pages)
      for (const std::string& symbol : test::ScanSymbols(page.canvas)) found.push_back(symbol);
    EXPECT_EQ(rendering.problems, 0u) << family;
    EXPECT_EQ(found,
              (std::vector<std::string>{"CODE-128:ABC-123", "EAN-13:1234567890128", "QR-Code:https://example.com"}))
        << family;
  }
}

}  // namespace
}  // namespace kestrel::emu
