#include <gtest/gtest.h>

#include "emulator/PrinterResponder.h"
#include "emulator/StreamPrinter.h"
#include "support/TestSupport.h"

namespace kestrel::emu {
namespace {

using Clock = PrinterResponder::Clock;
using test::Hex;

// A small page-mode page, printed by its ESC FF.
const char kPage[] = "1B 40 1B 4C 1B 57 00 00 00 00 40 00 20 00 41 1B 0C";

// The virtual printer on a line: the stream printer and its answers.
struct AnsweringPrinter {
  explicit AnsweringPrinter(FaultPlan fault, bool mute = false) : responder(fault, mute) {
    printer.SetListener([this](std::span<const std::uint8_t> stream, const Command& command, int pages) {
      responder.Run(stream, command, pages, now);
    });
  }
  std::string Send(const std::string& hex) {
    printer.Feed(Hex(hex));
    responder.Update(printer.PagesPrinted(), now);
    return test::ToHex(responder.TakeAnswers());
  }
  StreamPrinter printer{384};
  PrinterResponder responder;
  Clock::time_point now = Clock::now();
};

TEST(PrinterResponderTest, EachFaultShowsInTheRepliesFromItsPageOn) {
  struct Row {
    const char* fault;
    const char* replies;  // DLE EOT 1 to 4 and GS r 1, once the fault holds
  };
  const Row rows[] = {
      {"paper-end@2", "1A 32 12 7E 0F"},    {"near-end@2", "12 12 12 1E 03"}, {"cover-open@2", "1A 16 12 12 00"},
      {"cutter-error@2", "1A 52 1A 12 00"}, {"offline@2", "1A 12 12 12 00"},
  };
  const std::string queries = "10 04 01 10 04 02 10 04 03 10 04 04 1D 72 01";
  for (const Row& row : rows) {
    std::string problem;
    const auto fault = ParseFault(row.fault, &problem);
    ASSERT_TRUE(fault) << problem;
    AnsweringPrinter printer(*fault);
    EXPECT_EQ(printer.Send(queries), "12 12 12 12 00") << row.fault;
    EXPECT_EQ(printer.Send(std::string(kPage) + " " + queries), "12 12 12 12 00") << row.fault << " after page 1";
    // The GS r after the second page is answered after the page printed, so it
    // sees the fault that page brought.
    EXPECT_EQ(printer.Send(std::string(kPage) + " " + queries), row.replies) << row.fault << " after page 2";
  }
}

TEST(PrinterResponderTest, FaultNamesAndPagesAreChecked) {
  std::string problem;
  EXPECT_FALSE(ParseFault("paper-out", &problem));
  EXPECT_NE(problem.find("paper-end, near-end, cover-open, cutter-error, offline"), std::string::npos) << problem;
  EXPECT_FALSE(ParseFault("paper-end@0", &problem));
  EXPECT_FALSE(ParseFault("paper-end@", &problem));
  EXPECT_FALSE(ParseFault("paper-end@x", &problem));
  EXPECT_EQ(ParseFault("offline", &problem)->fromPage, 0);
}

TEST(PrinterResponderTest, AFaultThatLastsClearsAndAutomaticStatusBackTellsEachChange) {
  AnsweringPrinter printer({FaultKind::kCoverOpen, 1, 2000});
  EXPECT_EQ(printer.Send("1D 61 0F"), "10 00 00 00") << "status back sends the status at once";
  EXPECT_EQ(printer.Send(kPage), "38 00 00 00") << "the cover opened";
  printer.now += std::chrono::milliseconds(1999);
  EXPECT_EQ(printer.Send("10 04 02"), "16");
  printer.now += std::chrono::milliseconds(1);
  EXPECT_EQ(printer.Send("10 04 02"), "10 00 00 00 12") << "closed again";
  EXPECT_EQ(printer.Send("1D 61 00 " + std::string(kPage)), "") << "status back off";
}

TEST(PrinterResponderTest, IdentityAnswersAllButTheSerialNumberAndAMutePrinterNothing) {
  AnsweringPrinter printer({});
  EXPECT_EQ(printer.Send("1D 49 01 1D 49 02 1D 49 03"), "20 01 01");
  EXPECT_EQ(printer.Send("1D 49 42"), "5F 54 61 72 6E 77 69 63 6B 00");  // "_Tarnwick"
  EXPECT_EQ(printer.Send("1D 49 44"), "");
  AnsweringPrinter mute({FaultKind::kPaperEnd, 0, 0}, true);
  EXPECT_EQ(mute.Send("10 04 01 1D 49 01 1D 72 01 1D 61 0F"), "");
}

}  // namespace
}  // namespace kestrel::emu
