#include "link/PrinterLink.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "commands/JobSettings.h"
#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "link/PortDevice.h"
#include "link/PortDiscovery.h"
#include "link/SerialRate.h"

namespace kestrel {
namespace {

enum class PortType { kNone, kUsb, kSerial };

// A message an open wants shown. It is shown after the lock is released, so
// that a message box's event loop never runs with the port locked.
struct Notice {
  std::string text;
  std::string caption;
};

// What the window's lists said when an open was asked for, read on the
// caller's thread before the lock is taken.
struct OpenRequest {
  bool usb = true;
  std::string portText;
  std::string baudText;
};

}  // namespace

struct PrinterLink::State {
  State(LinkHost& owner, const PortDiscovery& ports) : host(owner), discovery(ports) {}

  LinkHost& host;
  const PortDiscovery& discovery;
  std::atomic<bool> connected = false;
  std::atomic<std::int64_t> sent = 0;
  std::atomic<std::int64_t> total = 0;
  std::atomic<bool> abandoned = false;

  // Guarded by mutex.
  mutable std::mutex mutex;
  OpenedPort port;
  PortType type = PortType::kNone;
  int rate = 9600;
  std::string lastError;

  void CloseLocked() {
    ClosePort(port);
    type = PortType::kNone;
  }

  // Only the first printer the system lists is ever used.
  bool OpenUsbLocked(Notice& notice) {
    CloseLocked();
    const std::vector<UsbPrinterInfo> printers = discovery.UsbPrinters();
    if (printers.empty()) {
      lastError = "no USB printer (" + discovery.UsbPrinterSource() + ")";
      if (!host.AgingRunning()) notice = {Translate("找不到任何USB设备"), "Kestrel"};
      return false;
    }
    const UsbPrinterInfo& first = printers.front();
    if (first.hardwareId.empty()) {
      lastError = "cannot read the hardware identifier of " + first.node;
      return false;
    }
    OpenedPort opened = OpenPrinterNode(first.node);
    if (opened.handle == kNoPort) {
      lastError = opened.error;
      return false;
    }
    port = std::move(opened);
    type = PortType::kUsb;
    return true;
  }

  bool OpenSerialLocked(const std::string& portName, const std::string& baudText, Notice& notice) {
    CloseLocked();
    const int lineRate = SerialRateFromText(baudText);
    OpenedPort opened = OpenSerialDevice(discovery.SerialDevicePath(portName), lineRate, discovery.LockFolder());
    if (opened.handle == kNoPort) {
      lastError = opened.error;
      if (!host.AgingRunning()) notice = {Translate("此端口被占用或已损坏"), Translate("警告")};
      return false;
    }
    port = std::move(opened);
    type = PortType::kSerial;
    rate = lineRate;
    return true;
  }

  bool OpenLocked(const OpenRequest& request, Notice& notice) {
    return request.usb ? OpenUsbLocked(notice) : OpenSerialLocked(request.portText, request.baudText, notice);
  }

  bool Write(const std::uint8_t* bytes, std::int32_t length) {
    std::lock_guard lock(mutex);
    if (port.handle == kNoPort || length < 0 || (bytes == nullptr && length > 0)) return false;
    if (length == 0) return true;
    const auto count = static_cast<std::size_t>(length);
    total = length;
    const WriteWatch watch{&sent, &abandoned};
    const bool written = type == PortType::kUsb ? WritePrinterNodeInTime(port.handle, bytes, count, watch)
                                                : WriteSerialInTime(port.handle, bytes, count, rate, watch);
    sent = 0;
    total = 0;
    return written;
  }

  // What to open: the USB printer, or the serial port and rate the lists show.
  OpenRequest RequestFor(bool usb) const {
    OpenRequest request;
    request.usb = usb;
    if (!usb) {
      request.portText = host.PortText();
      request.baudText = host.BaudText();
    }
    return request;
  }

  void Show(const Notice& notice) {
    if (!notice.text.empty()) host.ShowMessage(notice.text, notice.caption);
  }

  void ShowConnected() {
    host.SetConnectCaption(Translate("断开"));
    host.EnablePortList(false);
    host.EnableBaudList(false);
  }
};

PrinterLink::PrinterLink(LinkHost& host, const PortDiscovery& discovery)
    : state_(std::make_unique<State>(host, discovery)) {}

PrinterLink::~PrinterLink() {
  std::lock_guard lock(state_->mutex);
  state_->CloseLocked();
}

bool PrinterLink::OpenUsbPrinter() {
  Notice notice;
  bool opened = false;
  {
    std::lock_guard lock(state_->mutex);
    opened = state_->OpenUsbLocked(notice);
  }
  state_->Show(notice);
  return opened;
}

bool PrinterLink::OpenSerialPort(const std::string& portName) {
  const std::string baudText = state_->host.BaudText();
  Notice notice;
  bool opened = false;
  {
    std::lock_guard lock(state_->mutex);
    opened = state_->OpenSerialLocked(portName, baudText, notice);
  }
  state_->Show(notice);
  return opened;
}

void PrinterLink::ToggleConnection() {
  LinkHost& host = state_->host;
  if (state_->connected) {
    {
      std::lock_guard lock(state_->mutex);
      state_->CloseLocked();
      state_->connected = false;
    }
    host.SetConnectCaption(Translate("连接"));
    if (host.PortSelection() != 0) host.EnableBaudList(true);
    host.EnablePortList(true);
    return;
  }

  const OpenRequest request = state_->RequestFor(host.PortSelection() == 0);
  Notice notice;
  bool opened = false;
  {
    std::lock_guard lock(state_->mutex);
    opened = state_->OpenLocked(request, notice);
    state_->connected = opened;
  }
  state_->Show(notice);
  if (opened) state_->ShowConnected();
}

void PrinterLink::PortTypeChanged(int index) {
  JobSettings.PortKind = index;
  state_->host.EnableBaudList(index != 0);
}

void PrinterLink::ReconnectPrinter() {
  LinkHost& host = state_->host;
  const OpenRequest request = state_->RequestFor(JobSettings.PortKind == 0);
  Notice notice;
  bool opened = false;
  {
    // Close and reopen under one lock: a write from the console worker runs
    // either wholly before or wholly after, never against a closed port.
    std::lock_guard lock(state_->mutex);
    state_->CloseLocked();
    state_->connected = false;
    opened = state_->OpenLocked(request, notice);
    state_->connected = opened;
  }
  state_->Show(notice);
  if (opened) {
    state_->ShowConnected();
    return;
  }
  // The port list keeps its state: after a failed reopen of a connected port
  // it stays disabled and Connect tries the same port again.
  host.SetConnectCaption(Translate("连接"));
  if (host.PortSelection() != 0) host.EnableBaudList(true);
}

bool PrinterLink::WritePrinter(const std::uint8_t* bytes, std::int32_t length) {
  // During the aging test only the timer sends, through WriteSendBuffer.
  if (state_->host.AgingRunning()) return false;
  return state_->Write(bytes, length);
}

bool PrinterLink::WriteSendBuffer() { return state_->Write(SendBuffer, SendLength); }

bool PrinterLink::Connected() const { return state_->connected; }

DeviceHandle PrinterLink::PortHandle() const {
  std::lock_guard lock(state_->mutex);
  return state_->port.handle;
}

std::string PrinterLink::LastError() const {
  std::lock_guard lock(state_->mutex);
  return state_->lastError;
}

}  // namespace kestrel

namespace kestrel {

PrinterLink::WriteProgress PrinterLink::Progress() const {
  const std::int64_t total = state_->total;
  return {std::min(state_->sent.load(), total), total};
}

void PrinterLink::AbandonWrites() { state_->abandoned = true; }

}  // namespace kestrel
