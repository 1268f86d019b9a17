#include "link/PrinterLink.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>

#include "commands/JobSettings.h"
#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"
#include "link/PortDevice.h"
#include "link/PortDiscovery.h"
#include "link/SerialRate.h"
#include "link/TcpAddress.h"

namespace kestrel {
namespace {

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
  int rate = 9600;
  std::string lastError;

  void CloseLocked() { ClosePort(port); }

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
    return true;
  }

  // A port named "tcp:..." is a network printer; any other name a serial port.
  // A name the CLI would refuse (an operator may type one into the window's
  // port list) is said as such, and nothing is opened.
  bool OpenSerialLocked(const std::string& portName, const std::string& baudText, Notice& notice) {
    CloseLocked();
    if (const std::optional<PortNameFault> fault = CheckPortName(portName)) {
      lastError = *PortNameProblem(portName);
      if (!host.AgingRunning()) notice = {PortNameMessage(*fault, portName), Translate("警告")};
      return false;
    }
    const int lineRate = SerialRateFromText(baudText);
    OpenedPort opened = IsTcpPortName(portName)
                            ? OpenNetworkPort(portName)
                            : OpenSerialDevice(discovery.SerialDevicePath(portName), lineRate, discovery.LockFolder());
    if (opened.handle == kNoPort) {
      lastError = opened.error;
      // A network printer is neither occupied nor damaged: its own reason is said.
      const std::string text =
          IsTcpPortName(portName) ? TcpOpenFailedMessage(opened.error) : Translate("此端口被占用或已损坏");
      if (!host.AgingRunning()) notice = {text, Translate("警告")};
      return false;
    }
    port = std::move(opened);
    rate = lineRate;
    return true;
  }

  bool OpenLocked(const OpenRequest& request, Notice& notice) {
    return request.usb ? OpenUsbLocked(notice) : OpenSerialLocked(request.portText, request.baudText, notice);
  }

  // The name has been checked.
  static OpenedPort OpenNetworkPort(const std::string& portName) {
    std::string problem;
    const std::optional<TcpAddress> address = ParseTcpPortName(portName, &problem);
    return OpenTcpPort(address->host, address->port, kTcpConnectTimeoutMs);
  }

  bool WriteLocked(const std::uint8_t* bytes, std::size_t count, const WriteWatch& watch, int tcpStallMs) {
    std::string error;
    bool written = false;
    switch (port.type) {
      case PortType::kUsb:
        written = WritePrinterNodeInTime(port.handle, bytes, count, watch);
        break;
      case PortType::kTcp:
        written = WriteTcpInTime(port.handle, bytes, count, tcpStallMs, watch, &error);
        break;
      default:
        written = WriteSerialInTime(port.handle, bytes, count, rate, watch);
        break;
    }
    if (!written) lastError = error.empty() ? "the write to the printer failed" : error;
    return written;
  }

  bool Write(const std::uint8_t* bytes, std::int32_t length) {
    std::lock_guard lock(mutex);
    if (port.handle == kNoPort || length < 0 || (bytes == nullptr && length > 0)) return false;
    if (length == 0) return true;
    total = length;
    const bool written =
        WriteLocked(bytes, static_cast<std::size_t>(length), WriteWatch{&sent, &abandoned}, kTcpStallLimitMs);
    sent = 0;
    total = 0;
    return written;
  }

  Reply AskLocked(std::span<const std::uint8_t> query, const ReplyComplete& complete, int timeoutMs);

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

  // Runs `open` (bool(Notice&)) with the port locked, then shows the message
  // it wants shown once the lock is released.
  template <typename Open>
  bool OpenThenReport(const Open& open) {
    Notice notice;
    bool opened = false;
    {
      std::lock_guard lock(mutex);
      opened = open(notice);
    }
    if (!notice.text.empty()) host.ShowMessage(notice.text, notice.caption);
    return opened;
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
  return state_->OpenThenReport([this](Notice& notice) { return state_->OpenUsbLocked(notice); });
}

bool PrinterLink::OpenSerialPort(const std::string& portName) {
  const std::string baudText = state_->host.BaudText();
  return state_->OpenThenReport([&](Notice& notice) { return state_->OpenSerialLocked(portName, baudText, notice); });
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
  const bool opened = state_->OpenThenReport([&](Notice& notice) {
    state_->connected = state_->OpenLocked(request, notice);
    return state_->connected.load();
  });
  if (opened) state_->ShowConnected();
}

void PrinterLink::PortTypeChanged(int index) {
  JobSettings.PortKind = index;
  state_->host.EnableBaudList(index != 0);
}

void PrinterLink::ReconnectPrinter() {
  LinkHost& host = state_->host;
  const OpenRequest request = state_->RequestFor(JobSettings.PortKind == 0);
  // Close and reopen under one lock: a write from the console worker runs
  // either wholly before or wholly after, never against a closed port.
  const bool opened = state_->OpenThenReport([&](Notice& notice) {
    state_->CloseLocked();
    state_->connected = false;
    state_->connected = state_->OpenLocked(request, notice);
    return state_->connected.load();
  });
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

std::string NoAnswerText(int timeoutMs) { return "no answer in " + std::to_string(timeoutMs) + " ms"; }

PrinterLink::Reply PrinterLink::State::AskLocked(std::span<const std::uint8_t> query, const ReplyComplete& complete,
                                                 int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  Reply reply;
  if (port.handle == kNoPort) {
    reply.error = "the printer is not connected";
    return reply;
  }
  DrainPort(port);
  if (!WriteLocked(query.data(), query.size(), WriteWatch{nullptr, &abandoned}, timeoutMs)) {
    reply.outcome = Reply::Outcome::kFailed;
    reply.error = lastError;
    return reply;
  }
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::uint8_t chunk[256];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    const ReadOutcome read = ReadPortWithin(port, chunk, sizeof chunk, static_cast<int>(std::max<long long>(0, left)));
    if (read.failed) {
      reply.outcome = Reply::Outcome::kFailed;
      reply.error = read.error;
      return reply;
    }
    reply.bytes.insert(reply.bytes.end(), chunk, chunk + read.count);
    if (!reply.bytes.empty() && complete(reply.bytes)) {
      reply.outcome = Reply::Outcome::kAnswered;
      return reply;
    }
    if (left <= 0) break;
  }
  reply.outcome = Reply::Outcome::kNoAnswer;
  reply.error = NoAnswerText(timeoutMs);
  return reply;
}

PrinterLink::Reply PrinterLink::Ask(std::span<const std::uint8_t> query, const ReplyComplete& complete, int timeoutMs) {
  std::lock_guard lock(state_->mutex);
  return state_->AskLocked(query, complete, timeoutMs);
}

PrinterLink::WriteProgress PrinterLink::Progress() const {
  const std::int64_t total = state_->total;
  return {std::min(state_->sent.load(), total), total};
}

void PrinterLink::AbandonWrites() { state_->abandoned = true; }

}  // namespace kestrel
