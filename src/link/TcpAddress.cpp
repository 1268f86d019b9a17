#include "link/TcpAddress.h"

#include <cctype>

#include "language/TranslationMap.h"

namespace kestrel {
namespace {

constexpr char kPrefix[] = "tcp:";
constexpr std::size_t kPrefixLength = sizeof kPrefix - 1;

bool ParsePort(const std::string& text, int* port) {
  if (text.empty() || text.size() > 5) return false;
  for (const char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  *port = std::stoi(text);
  return *port >= 1 && *port <= 65535;
}

bool ValidHost(const std::string& host) {
  if (host.empty() || host.size() > 253) return false;
  for (const char c : host)
    if (std::isspace(static_cast<unsigned char>(c)) || std::iscntrl(static_cast<unsigned char>(c)) || c == '/' ||
        c == '[' || c == ']')
      return false;
  return true;
}

}  // namespace

bool IsTcpPortName(const std::string& name) {
  if (name.size() < kPrefixLength) return false;
  for (std::size_t i = 0; i < kPrefixLength; ++i)
    if (std::tolower(static_cast<unsigned char>(name[i])) != kPrefix[i]) return false;
  return true;
}

namespace {

// The address of a "tcp:" name, or what is wrong with it in *fault.
std::optional<TcpAddress> ParseTcp(const std::string& name, PortNameFault* fault) {
  const std::string rest = IsTcpPortName(name) ? name.substr(kPrefixLength) : std::string();
  TcpAddress address;
  std::string portText;
  bool hasPort = false;
  if (!rest.empty() && rest.front() == '[') {
    const std::size_t close = rest.find(']');
    if (close == std::string::npos || (close + 1 < rest.size() && rest[close + 1] != ':')) {
      *fault = PortNameFault::kBadBrackets;
      return std::nullopt;
    }
    address.host = rest.substr(1, close - 1);
    hasPort = close + 1 < rest.size();
    if (hasPort) portText = rest.substr(close + 2);
  } else {
    const std::size_t colon = rest.find(':');
    if (colon != std::string::npos && rest.find(':', colon + 1) != std::string::npos) {
      *fault = PortNameFault::kBareIpv6;
      return std::nullopt;
    }
    address.host = rest.substr(0, colon);
    hasPort = colon != std::string::npos;
    if (hasPort) portText = rest.substr(colon + 1);
  }
  if (!ValidHost(address.host)) {
    *fault = PortNameFault::kNotAnAddress;
    return std::nullopt;
  }
  if (hasPort && !ParsePort(portText, &address.port)) {
    *fault = PortNameFault::kNotAPort;
    return std::nullopt;
  }
  return address;
}

std::string FaultText(PortNameFault fault, const std::string& name) {
  switch (fault) {
    case PortNameFault::kEmpty:
      return "no port given";
    case PortNameFault::kNotAnAddress:
      return "not a network address: " + name + " (tcp:HOST or tcp:HOST:PORT)";
    case PortNameFault::kBareIpv6:
      return "not a network address: " + name + " (an IPv6 address goes in brackets: tcp:[::1]:9100)";
    case PortNameFault::kBadBrackets:
      return "not a network address: " + name + " (tcp:[IPv6]:PORT)";
    case PortNameFault::kNotAPort:
      return "not a network port: " + name + " (PORT is 1 to 65535)";
  }
  return name;
}

// The window's message for each fault, a Chinese source text with %s for the
// name as typed.
const char* FaultMessage(PortNameFault fault) {
  switch (fault) {
    case PortNameFault::kEmpty:
      return "请选择或输入端口";
    case PortNameFault::kNotAnAddress:
      return "不是有效的网络地址：%s\n请输入 tcp:主机 或 tcp:主机:端口";
    case PortNameFault::kBareIpv6:
      return "不是有效的网络地址：%s\nIPv6 地址请写在方括号中，例如 tcp:[::1]:9100";
    case PortNameFault::kBadBrackets:
      return "不是有效的网络地址：%s\n请输入 tcp:[IPv6 地址]:端口";
    case PortNameFault::kNotAPort:
      return "不是有效的网络端口：%s\n端口号为 1 到 65535";
  }
  return "%s";
}

// A message through Translate with `text` in place of its %s.
std::string TranslateWith(const char* chinese, const std::string& text) {
  std::string message = Translate(chinese);
  if (const std::size_t at = message.find("%s"); at != std::string::npos) message.replace(at, 2, text);
  return message;
}

}  // namespace

std::optional<TcpAddress> ParseTcpPortName(const std::string& name, std::string* problem) {
  PortNameFault fault = PortNameFault::kNotAnAddress;
  std::optional<TcpAddress> address = ParseTcp(name, &fault);
  if (!address) *problem = FaultText(fault, name);
  return address;
}

std::optional<PortNameFault> CheckPortName(const std::string& name) {
  if (name.empty()) return PortNameFault::kEmpty;
  PortNameFault fault = PortNameFault::kNotAnAddress;
  if (IsTcpPortName(name) && !ParseTcp(name, &fault)) return fault;
  return std::nullopt;
}

std::optional<std::string> PortNameProblem(const std::string& name) {
  const std::optional<PortNameFault> fault = CheckPortName(name);
  if (!fault) return std::nullopt;
  return FaultText(*fault, name);
}

std::string PortNameMessage(PortNameFault fault, const std::string& name) {
  return TranslateWith(FaultMessage(fault), name);
}

std::string TcpOpenFailedMessage(const std::string& reason) { return TranslateWith("无法连接网络打印机：%s", reason); }

std::string TcpAddressText(const std::string& host, int port) {
  const bool v6 = host.find(':') != std::string::npos;
  return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

std::string TcpRefused(const std::string& where) { return "connection refused by " + where; }

std::string TcpUnreachable(const std::string& where) { return where + " is unreachable"; }

std::string TcpUnknownHost(const std::string& host) { return "unknown host " + host; }

std::string TcpNoAnswer(const std::string& where, int timeoutMs) {
  return "no answer from " + where + " in " + std::to_string(timeoutMs) + " ms";
}

std::string TcpReset() { return "the printer reset the connection"; }

std::string TcpStalled(int stallLimitMs) {
  return "the printer took no bytes for " + std::to_string(stallLimitMs) + " ms";
}

}  // namespace kestrel
