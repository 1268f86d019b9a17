#include "LinkTestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace kestrel::test {

namespace fs = std::filesystem;

PtyPair::PtyPair() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
    ADD_FAILURE() << "no pseudo-terminal available";
    return;
  }
  slavePath_ = ptsname(master_);
}

PtyPair::~PtyPair() {
  if (master_ >= 0) close(master_);
}

std::vector<std::uint8_t> PtyPair::Read(std::size_t count, std::chrono::milliseconds limit) {
  std::vector<std::uint8_t> bytes;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (bytes.size() < count) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd waiting{master_, POLLIN, 0};
    if (poll(&waiting, 1, static_cast<int>(left.count())) <= 0) break;
    std::uint8_t chunk[4096];
    const ssize_t got = read(master_, chunk, std::min(sizeof chunk, count - bytes.size()));
    if (got <= 0) {
      // No slave open at the moment: wait for the next open.
      usleep(1000);
      continue;
    }
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return bytes;
}

FakeUsbTree::FakeUsbTree() {
  fs::create_directories(root_.path() + "/sys/class/usbmisc");
  fs::create_directories(root_.path() + "/dev/usb");
}

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

  if (node == Node::kRegularFile) std::ofstream(NodePath(number)).flush();
  if (node == Node::kFifo) mkfifo(NodePath(number).c_str(), 0600);
}

void FakeUsbTree::RemovePrinter(int number) {
  fs::remove_all(root_.path() + "/sys/class/usbmisc/lp" + std::to_string(number));
  fs::remove(NodePath(number));
}

std::string FakeUsbTree::NodeContent(int number) const { return ReadText(NodePath(number)); }

}  // namespace kestrel::test
