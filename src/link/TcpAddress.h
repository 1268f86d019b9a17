#pragma once

#include <optional>
#include <string>

namespace kestrel {

// A network printer's raw port: "tcp:HOST" or "tcp:HOST:PORT" (an IPv6
// address in brackets, "tcp:[::1]:9100"), 9100 when no port is given.
inline constexpr int kDefaultTcpPort = 9100;
// How long a connect may take, and how long a printer may take no bytes
// before a write to it fails.
inline constexpr int kTcpConnectTimeoutMs = 3000;
inline constexpr int kTcpStallLimitMs = 10000;

struct TcpAddress {
  std::string host;
  int port = kDefaultTcpPort;
};

// Whether a port name is meant as a network address (it starts with "tcp:").
bool IsTcpPortName(const std::string& name);

// The address of a "tcp:" port name; nullopt with the reason in *problem
// when the name is not a valid one.
std::optional<TcpAddress> ParseTcpPortName(const std::string& name, std::string* problem);

// What can be wrong with a port name as an operator gave it.
enum class PortNameFault {
  kEmpty,
  kNotAnAddress,  // "tcp:", "tcp:a b"
  kBareIpv6,      // "tcp:::1", without its brackets
  kBadBrackets,   // "tcp:[::1"
  kNotAPort,      // "tcp:host:0", "tcp:host:65536"
};

// What is wrong with a port name as an operator gave it: empty, or a "tcp:"
// name that is no valid address; nothing for any other name (a serial device
// is looked for when it is opened). The CLI's --port and the window's typed
// port are checked alike.
std::optional<PortNameFault> CheckPortName(const std::string& name);
// The fault in words, for the CLI ("not a network port: tcp:host:0 (PORT is
// 1 to 65535)").
std::optional<std::string> PortNameProblem(const std::string& name);
// The fault as the window says it, through Translate, with the name in it.
std::string PortNameMessage(PortNameFault fault, const std::string& name);

// "HOST:PORT", "[::1]:9100".
std::string TcpAddressText(const std::string& host, int port);

// The link's messages about network printers, in one place.
std::string TcpRefused(const std::string& where);
std::string TcpUnreachable(const std::string& where);
std::string TcpUnknownHost(const std::string& host);
std::string TcpNoAnswer(const std::string& where, int timeoutMs);
std::string TcpReset();
std::string TcpStalled(int stallLimitMs);
// What the window says when a network printer cannot be reached: the reason
// above after "无法连接网络打印机：" ("Cannot reach the network printer: ").
std::string TcpOpenFailedMessage(const std::string& reason);

}  // namespace kestrel
