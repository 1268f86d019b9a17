#include <filesystem>

#include "LinkTestSupport.h"
#include "link/PortDiscovery.h"

namespace kestrel::test {
namespace {

namespace fs = std::filesystem;

class SerialDiscoveryTest : public ::testing::Test {
 protected:
  // A tty class entry; `withDevice` gives it the link real hardware has,
  // `type` the 8250 port type file.
  void AddTty(const std::string& name, bool withDevice, const std::string& type = "") {
    const std::string entry = dir_.path() + "/sys/class/tty/" + name;
    fs::create_directories(entry);
    if (withDevice) {
      fs::create_directories(dir_.path() + "/sys/devices/" + name);
      fs::create_directory_symlink(dir_.path() + "/sys/devices/" + name, entry + "/device");
    }
    if (!type.empty()) WriteText(entry + "/type", type + "\n");
  }
  LinkPaths paths() const { return {dir_.path() + "/sys", "/dev"}; }

  TempDir dir_;
};

TEST_F(SerialDiscoveryTest, ListsFittedDevicesInNaturalOrder) {
  AddTty("ttyS10", true, "4");
  AddTty("ttyUSB0", true);
  AddTty("ttyS1", true, "0");  // a reserved 8250 slot without a UART
  AddTty("ttyS2", true, "4");
  AddTty("tty0", false);  // a virtual console
  AddTty("ptmx", false);
  AddTty("ttyACM1", true);
  AddTty("ttyS0", true, "4");

  EXPECT_EQ(ListSerialPorts(paths()),
            (std::vector<std::string>{"/dev/ttyACM1", "/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB0"}));
  EXPECT_EQ(PortTypeEntries(paths()).front(), "USB");
  EXPECT_EQ(PortTypeEntries(paths()).size(), 6u);
}

TEST_F(SerialDiscoveryTest, FallsBackToComNamesWhenNoDeviceIsFound) {
  const std::vector<std::string> fixed{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9"};
  EXPECT_EQ(ListSerialPorts(paths()), fixed);  // no tty class at all

  AddTty("tty1", false);
  AddTty("ttyS0", true, "0");
  EXPECT_EQ(ListSerialPorts(paths()), fixed);
}

TEST_F(SerialDiscoveryTest, PortNamesMapToDevicesAndOnlyTerminalsAreLookedUp) {
  AddTty("ttyACM0", true);
  AddTty("ttyS3", false);
  const LinkPaths paths{dir_.path() + "/sys", "/tmp/dev"};
  EXPECT_EQ(SerialDevicePath("COM1", paths), "/tmp/dev/ttyS0");
  EXPECT_EQ(SerialDevicePath("COM10", paths), "/tmp/dev/ttyS9");
  EXPECT_EQ(SerialDevicePath("/dev/ttyUSB0", paths), "/dev/ttyUSB0");
  EXPECT_EQ(SerialDevicePath("ttyACM0", paths), "/tmp/dev/ttyACM0");
  EXPECT_EQ(SerialDevicePath("ttyS3", paths), "/tmp/dev/ttyS3");
  // Not a terminal the kernel lists: never a device, a file of the working folder.
  EXPECT_EQ(SerialDevicePath("sda", paths), "sda");
  EXPECT_EQ(SerialDevicePath("COM0", paths), "COM0");
  EXPECT_EQ(SerialDevicePath("COMx", paths), "COMx");
  EXPECT_EQ(SerialDevicePath("./notes.txt", paths), "./notes.txt");
}

TEST(NaturalOrderTest, ComparesDigitRunsByValue) {
  EXPECT_TRUE(NaturalLess("ttyS2", "ttyS10"));
  EXPECT_FALSE(NaturalLess("ttyS10", "ttyS2"));
  EXPECT_TRUE(NaturalLess("lp9", "lp10"));
  EXPECT_TRUE(NaturalLess("ttyS", "ttyS0"));
  EXPECT_TRUE(NaturalLess("ttyS99999999999999999999", "ttyS100000000000000000000"));
  EXPECT_FALSE(NaturalLess("ttyS1", "ttyS1"));
}

TEST(UsbDiscoveryTest, ListsPrintersInNumericOrderWithTheirIdentifiers) {
  FakeUsbTree tree;
  tree.AddPrinter(10);
  tree.AddPrinter(2, FakeUsbTree::Node::kRegularFile, FakeUsbTree::Identifier::kIeee1284Only);
  tree.AddPrinter(0, FakeUsbTree::Node::kRegularFile, FakeUsbTree::Identifier::kNone);

  const std::vector<UsbPrinterInfo> printers = ListUsbPrinters(tree.paths());
  ASSERT_EQ(printers.size(), 3u);
  EXPECT_EQ(printers[0].node, tree.NodePath(0));
  EXPECT_EQ(printers[0].hardwareId, "");
  EXPECT_EQ(printers[1].node, tree.NodePath(2));
  EXPECT_EQ(printers[1].hardwareId, "MFG:Tarnwick;MDL:K80;");
  EXPECT_EQ(printers[2].node, tree.NodePath(10));
  EXPECT_EQ(printers[2].hardwareId, "USB\\VID_0FE6&PID_811E");
}

}  // namespace
}  // namespace kestrel::test
