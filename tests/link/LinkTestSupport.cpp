#include "LinkTestSupport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "commands/JobSettings.h"
#include "language/TranslationMap.h"

namespace kestrel::test {

namespace fs = std::filesystem;

FakeUsbTree::FakeUsbTree() {
  fs::create_directories(root_.path() + "/sys/class/usbmisc");
  fs::create_directories(root_.path() + "/dev/usb");
  fs::create_directories(root_.path() + "/lock");
}

FakeUsbTree::~FakeUsbTree() = default;

std::string FakeUsbTree::NodePath(int number) const { return root_.path() + "/dev/usb/lp" + std::to_string(number); }

// Laid out as the kernel does: the class entry's `device` link points at the
// printer interface, whose parent is the USB device with the ids.
void FakeUsbTree::AddPrinter(int number, Node node, Identifier id) {
  const std::string name = "lp" + std::to_string(number);
  const std::string usbDevice = root_.path() + "/sys/devices/usb1/1-" + std::to_string(number + 1);
  const std::string interface = usbDevice + "/1-" + std::to_string(number + 1) + ":1.0";
  fs::create_directories(interface);
  if (id == Identifier::kVendorProduct) {
    WriteText(usbDevice + "/idVendor", "0fe6\n");
    WriteText(usbDevice + "/idProduct", "811e\n");
  }
  if (id != Identifier::kNone) WriteText(interface + "/ieee1284_id", "MFG:Tarnwick;MDL:K80;\n");
  const std::string classEntry = root_.path() + "/sys/class/usbmisc/" + name;
  fs::create_directories(classEntry);
  fs::create_directory_symlink(interface, classEntry + "/device");

  if (node == Node::kPrinter) {
    auto printer = std::make_unique<PtyPair>();
    // The terminal's line settings outlive this open: the bytes pass unchanged.
    const int slave = open(printer->slavePath().c_str(), O_RDWR | O_NOCTTY);
    termios line{};
    tcgetattr(slave, &line);
    cfmakeraw(&line);
    tcsetattr(slave, TCSANOW, &line);
    close(slave);
    fs::create_symlink(printer->slavePath(), NodePath(number));
    printers_[number] = std::move(printer);
  }
  if (node == Node::kRegularFile) std::ofstream(NodePath(number)).flush();
  if (node == Node::kFifo) mkfifo(NodePath(number).c_str(), 0600);
}

void FakeUsbTree::RemovePrinter(int number) {
  fs::remove_all(root_.path() + "/sys/class/usbmisc/lp" + std::to_string(number));
  fs::remove(NodePath(number));
  printers_.erase(number);
  received_.erase(number);
}

std::string FakeUsbTree::NodeContent(int number) {
  const auto printer = printers_.find(number);
  if (printer == printers_.end()) return ReadText(NodePath(number));
  std::vector<std::uint8_t> bytes;
  std::size_t before = 0;
  do {
    before = bytes.size();
    printer->second->ReadAvailable(bytes, 20);
  } while (bytes.size() != before);
  return received_[number] += std::string(bytes.begin(), bytes.end());
}

void LinkTest::SetUp() {
  LoadTranslations(936);
  JobSettings = {};
}

bool LinkTest::Write(PrinterLink& link, const std::string& hex) {
  const auto bytes = Hex(hex);
  return link.WritePrinter(bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

}  // namespace kestrel::test
