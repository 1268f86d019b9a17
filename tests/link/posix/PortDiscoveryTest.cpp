#include <filesystem>

#include "link/PortDiscovery.h"
#include "link/posix/SysfsPortDiscovery.h"
#include "support/TestSupport.h"

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
  posix::SysfsPortDiscovery Ports() const { return posix::SysfsPortDiscovery(dir_.path() + "/sys", "/dev"); }

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

  EXPECT_EQ(ListSerialPorts(Ports()),
            (std::vector<std::string>{"/dev/ttyACM1", "/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB0"}));
  EXPECT_EQ(PortTypeEntries(Ports()).front(), "USB");
  EXPECT_EQ(PortTypeEntries(Ports()).size(), 6u);
}

TEST_F(SerialDiscoveryTest, FallsBackToComNamesWhenNoDeviceIsFound) {
  const std::vector<std::string> fixed{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9"};
  EXPECT_EQ(ListSerialPorts(Ports()), fixed);  // no tty class at all

  AddTty("tty1", false);
  AddTty("ttyS0", true, "0");
  EXPECT_EQ(ListSerialPorts(Ports()), fixed);
}

TEST_F(SerialDiscoveryTest, PortNamesMapToDevicesAndOnlyTerminalsAreLookedUp) {
  AddTty("ttyACM0", true);
  AddTty("ttyS3", false);
  const posix::SysfsPortDiscovery ports(dir_.path() + "/sys", "/tmp/dev");
  EXPECT_EQ(ports.SerialDevicePath("COM1"), "/tmp/dev/ttyS0");
  EXPECT_EQ(ports.SerialDevicePath("COM10"), "/tmp/dev/ttyS9");
  EXPECT_EQ(ports.SerialDevicePath("/dev/ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(ports.SerialDevicePath("ttyACM0"), "/tmp/dev/ttyACM0");
  EXPECT_EQ(ports.SerialDevicePath("ttyS3"), "/tmp/dev/ttyS3");
  // Not a terminal the kernel lists: never a device, a file of the working folder.
  EXPECT_EQ(ports.SerialDevicePath("sda"), "sda");
  EXPECT_EQ(ports.SerialDevicePath("COM0"), "COM0");
  EXPECT_EQ(ports.SerialDevicePath("COMx"), "COMx");
  EXPECT_EQ(ports.SerialDevicePath("./notes.txt"), "./notes.txt");
}

TEST(NaturalOrderTest, ComparesDigitRunsByValue) {
  EXPECT_TRUE(NaturalLess("ttyS2", "ttyS10"));
  EXPECT_FALSE(NaturalLess("ttyS10", "ttyS2"));
  EXPECT_TRUE(NaturalLess("lp9", "lp10"));
  EXPECT_TRUE(NaturalLess("ttyS", "ttyS0"));
  EXPECT_TRUE(NaturalLess("ttyS99999999999999999999", "ttyS100000000000000000000"));
  EXPECT_FALSE(NaturalLess("ttyS1", "ttyS1"));
}

enum class Identifier { kVendorProduct, kIeee1284Only, kNone };

class UsbDiscoveryTest : public ::testing::Test {
 protected:
  // Laid out as the kernel does: the class entry's `device` link points at
  // the printer interface, whose parent is the USB device with the ids.
  void AddPrinter(int number, Identifier id) {
    const std::string usbDevice = dir_.path() + "/sys/devices/usb1/1-" + std::to_string(number + 1);
    const std::string interface = usbDevice + "/1-" + std::to_string(number + 1) + ":1.0";
    fs::create_directories(interface);
    if (id == Identifier::kVendorProduct) {
      WriteText(usbDevice + "/idVendor", "0fe6\n");
      WriteText(usbDevice + "/idProduct", "811e\n");
    }
    if (id != Identifier::kNone) WriteText(interface + "/ieee1284_id", "MFG:Tarnwick;MDL:K80;\n");
    const std::string classEntry = dir_.path() + "/sys/class/usbmisc/lp" + std::to_string(number);
    fs::create_directories(classEntry);
    fs::create_directory_symlink(interface, classEntry + "/device");
  }

  TempDir dir_;
};

TEST_F(UsbDiscoveryTest, ListsPrintersInNumericOrderWithTheirIdentifiers) {
  AddPrinter(10, Identifier::kVendorProduct);
  AddPrinter(2, Identifier::kIeee1284Only);
  AddPrinter(0, Identifier::kNone);
  fs::create_directories(dir_.path() + "/sys/class/usbmisc/hiddev0");  // another usbmisc device

  const posix::SysfsPortDiscovery ports(dir_.path() + "/sys", "/tmp/dev");
  const std::vector<UsbPrinterInfo> printers = ports.UsbPrinters();
  ASSERT_EQ(printers.size(), 3u);
  EXPECT_EQ(printers[0].node, "/tmp/dev/usb/lp0");
  EXPECT_EQ(printers[0].hardwareId, "");
  EXPECT_EQ(printers[1].node, "/tmp/dev/usb/lp2");
  EXPECT_EQ(printers[1].hardwareId, "MFG:Tarnwick;MDL:K80;");
  EXPECT_EQ(printers[2].node, "/tmp/dev/usb/lp10");
  EXPECT_EQ(printers[2].hardwareId, "USB\\VID_0FE6&PID_811E");
  EXPECT_EQ(ports.UsbPrinterSource(), "usblp under " + dir_.path() + "/sys/class/usbmisc");
}

}  // namespace
}  // namespace kestrel::test
