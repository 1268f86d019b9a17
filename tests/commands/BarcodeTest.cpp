#include <gtest/gtest.h>

#include <span>
#include <string>

#include "commands/Barcode.h"
#include "commands/SendBuffer.h"
#include "support/TestSupport.h"

namespace kestrel {
namespace {

std::span<const std::uint8_t> Output(std::int32_t count) { return {ImageBuffer, static_cast<std::size_t>(count)}; }

// The messages as the printer receives them (GBK, with their line feed).
constexpr const char* kNotDigits = "C4 DA C8 DD D3 A6 CE AA CA FD D7 D6 0A";
constexpr const char* kNotConforming = "C4 DA C8 DD B2 BB B7 FB BA CF 0A";
constexpr const char* kWrongInput = "CA E4 C8 EB C4 DA C8 DD D3 D0 CE F3 0A";
constexpr const char* kWrongSystem = "CC F5 C2 EB C0 E0 D0 CD D3 D0 CE F3 0A";
#define LENGTH_MESSAGE(range) "D7 D6 B7 FB B8 F6 CA FD D3 A6 D4 DA D4 DA " range " 0A"

struct Row {
  const char* what;
  std::string data;
  int system;
  std::string expected;
};

// One accepted, one too short or long, one wrong byte per system; the length
// is checked before the content.
TEST(BarcodeTest, RulesOfEverySystem) {
  const std::string bad39(256, 'A');
  const Row rows[] = {
      {"UPC-A 12 digits", "123456789012", 65,
       "1D 48 00 1D 68 14 1D 77 02 1D 6B 41 0C 31 32 33 34 35 36 37 38 39 30 31 32"},
      {"UPC-A 11 digits", "12345678901", 65, "1D 48 00 1D 68 14 1D 77 02 1D 6B 41 0B 31 32 33 34 35 36 37 38 39 30 31"},
      {"UPC-A letter", "12345678901A", 65, kNotDigits},
      {"UPC-A 10 digits", "1234567890", 65, LENGTH_MESSAGE("31 31 2D 31 32")},
      {"UPC-A 13 letters", "ABCDEFGHIJKLM", 65, LENGTH_MESSAGE("31 31 2D 31 32")},
      {"UPC-E 6 digits", "123456", 66, "1D 48 00 1D 68 14 1D 77 02 1D 6B 42 06 31 32 33 34 35 36"},
      {"UPC-E 8 digits", "12345678", 66, LENGTH_MESSAGE("36 2D 37")},
      {"UPC-E letter", "12345x", 66, kNotDigits},
      {"JAN13 13 digits", "1234567890123", 67,
       "1D 48 00 1D 68 14 1D 77 02 1D 6B 43 0D 31 32 33 34 35 36 37 38 39 30 31 32 33"},
      {"JAN13 11 digits", "12345678901", 67, LENGTH_MESSAGE("31 32 2D 31 33")},
      {"JAN13 blank", "12345678901 ", 67, kNotDigits},
      {"JAN8 7 digits", "1234567", 68, "1D 48 00 1D 68 14 1D 77 02 1D 6B 44 07 31 32 33 34 35 36 37"},
      {"JAN8 9 digits", "123456789", 68, LENGTH_MESSAGE("37 2D 38")},
      {"JAN8 9 letters", "abcdefghi", 68, LENGTH_MESSAGE("37 2D 38")},
      {"CODE39 empty", "", 69, "1D 48 00 1D 68 14 1D 77 02 1D 6B 45 00"},
      {"CODE39 any bytes", "a\x01\xFF", 69, "1D 48 00 1D 68 14 1D 77 02 1D 6B 45 03 61 01 FF"},
      {"CODE39 beyond one length byte", bad39, 69, LENGTH_MESSAGE("30 2D 32 35 35")},
      {"ITF odd count", "12345", 70, "1D 48 00 1D 68 14 1D 77 02 1D 6B 46 05 31 32 33 34 35"},
      {"ITF empty", "", 70, LENGTH_MESSAGE("31 2D 32 35 35")},
      {"ITF letter", "12a4", 70, kNotDigits},
      {"CODABAR upper", "A1234B", 71, "1D 48 00 1D 68 14 1D 77 02 1D 6B 47 06 41 31 32 33 34 42"},
      {"CODABAR lower", "a1234b", 71, kNotConforming},
      {"CODABAR signs", "$+-./:", 71, "1D 48 00 1D 68 14 1D 77 02 1D 6B 47 06 24 2B 2D 2E 2F 3A"},
      {"CODABAR E", "E", 71, kNotConforming},
      {"CODE93 seven-bit", "a\x7F", 72, "1D 48 00 1D 68 14 1D 77 02 1D 6B 48 02 61 7F"},
      {"CODE93 eight-bit", "ab\x80", 72, kWrongInput},
      {"CODE93 empty", "", 72, LENGTH_MESSAGE("31 2D 32 35 35")},
      {"CODE128 409", "409", 73, "1D 48 00 1D 68 14 1D 77 02 1D 6B 49 03 34 30 39"},
      {"CODE128 one byte", "4", 73, LENGTH_MESSAGE("32 2D 32 35 35")},
      {"CODE128 256 bytes", std::string(256, '1'), 73, LENGTH_MESSAGE("32 2D 32 35 35")},
      {"CODE128 eight-bit", "4\xC8", 73, kWrongInput},
      {"system 64", "123", 64, kWrongSystem},
      {"system 74", "409", 74, kWrongSystem},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_BYTES(Output(ComposeBarcode(row.data, row.system, 2, 20, 0)), row.expected);
  }
}

TEST(BarcodeTest, ParametersAreTheirLowBytes) {
  EXPECT_BYTES(Output(ComposeBarcode("2500004", 73, 3 + 256, 35, 2)),
               "1D 48 02 1D 68 23 1D 77 03 1D 6B 49 07 32 35 30 30 30 30 34");
  const std::string longest(255, '7');
  EXPECT_EQ(ComposeBarcode(longest, 70, 3, 70, 2), 13 + 255);
  EXPECT_EQ(ImageBuffer[12], 0xFF);
}

TEST(BarcodeTest, QrCodeStoresTheTextBetweenSetupAndPrint) {
  const std::string text = "TarnwickPrinter";  // 15 bytes
  const std::int32_t count = ComposeQrCode(text);
  EXPECT_EQ(count, 53);
  EXPECT_BYTES(Output(count),
               "1D 28 6B 03 00 31 43 05  1D 28 6B 03 00 31 45 30"
               "1D 28 6B 12 00 31 50 30  54 61 72 6E 77 69 63 6B 50 72 69 6E 74 65 72"
               "1B 61 31  1D 28 6B 03 00 31 51 30  1B 61 30");
}

TEST(BarcodeTest, QrCodeLengthUsesBothBytes) {
  const std::string text(300, 'x');
  EXPECT_EQ(ComposeQrCode(text), 8 + 8 + 8 + 300 + 3 + 8 + 3);
  EXPECT_BYTES(Output(24).subspan(16, 8), "1D 28 6B 2F 01 31 50 30");
  // p is 16 bits: a text that cannot be counted in it is not stored half.
  EXPECT_EQ(ComposeQrCode(std::string(65533, 'x')), 0);
}

TEST(BarcodeTest, AppendCopiesTheEncoderOutput) {
  BeginJob();
  AppendBytes({0x1B, 0x40});
  ASSERT_TRUE(AppendBarcode("409", 73, 3, 20, 0));
  EXPECT_BYTES(test::Composed(), "1B 40 1D 48 00 1D 68 14 1D 77 03 1D 6B 49 03 34 30 39");
  BeginJob();
  ASSERT_TRUE(AppendQrCode("A"));
  EXPECT_EQ(SendLength, 39);
}

}  // namespace
}  // namespace kestrel
