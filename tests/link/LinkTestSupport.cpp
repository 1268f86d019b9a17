#include "link/LinkTestSupport.h"

#include <thread>

#include "commands/JobSettings.h"
#include "language/TranslationMap.h"

namespace kestrel::test {

namespace {

// How long the line must stay quiet before what arrived counts as all: the
// bytes pass a thread (Linux) or socat and a file (Wine) on their way.
#ifdef _WIN32
constexpr std::chrono::milliseconds kQuiet(150);
#else
constexpr std::chrono::milliseconds kQuiet(50);
#endif

}  // namespace

std::string PrinterLine::Received(std::size_t count, std::chrono::milliseconds limit) const {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  std::string before = Arrived();
  for (;;) {
    std::this_thread::sleep_for(kQuiet);
    std::string now = Arrived();
    if ((now.size() >= count && now.size() == before.size()) || std::chrono::steady_clock::now() >= deadline)
      return now;
    before = std::move(now);
  }
}

void LinkTest::SetUp() {
  LoadTranslations(936);
  JobSettings = {};
}

bool LinkTest::Write(PrinterLink& link, const std::string& hex) {
  const auto bytes = Hex(hex);
  return link.WritePrinter(bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

PrinterLine& LinkTest::AddUsbPrinter() {
  lines_.push_back(std::make_unique<PrinterLine>());
  ports_.usbPrinters.push_back({lines_.back()->Device(), "USB\\VID_0FE6&PID_811E"});
  return *lines_.back();
}

}  // namespace kestrel::test
