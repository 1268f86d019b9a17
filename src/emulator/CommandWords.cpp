#include "emulator/CommandWords.h"

#include <cstdio>

#include "emulator/CodeTables.h"
#include "emulator/CommandForms.h"
#include "emulator/PrinterText.h"

namespace kestrel::emu {
namespace {

using Bytes = std::span<const std::uint8_t>;

std::string Quoted(Bytes bytes, const Command& command) {
  std::string quoted(1, '"');
  const Bytes text = bytes.subspan(command.dataOffset, command.dataLength);
  quoted += command.codeTable == Command::kChineseText ? PrinterTextToUtf8(text)
                                                       : CodeTableTextToUtf8(command.codeTable, text);
  quoted += '"';
  return quoted;
}

// GS ( k cn fn: cn 31 is a QR code, 30 a PDF417 symbol.
std::string SymbolWords(Bytes bytes, const Command& command) {
  const bool qr = command.args[0] == 0x31;
  if (!qr && command.args[0] != 0x30) return "function of symbol type " + std::to_string(command.args[0]);
  const std::string symbol = qr ? "QR code " : "PDF417 ";
  const std::string value = std::to_string(command.args[2]);
  switch (command.args[1]) {
    case 0x41:
      return symbol + (qr ? "model " : "columns ") + value;
    case 0x42:
      return symbol + "rows " + value;
    case 0x43:
      return symbol + "module size " + value + " dots";
    case 0x44:
      return symbol + "row height " + value;
    case 0x45:
      return symbol + "error correction level " + value;
    case 0x46:
      return symbol + "options " + value;
    case 0x50: {
      Command data = command;  // the byte m = 30 leads the data
      data.dataOffset += data.dataLength > 0 ? 1 : 0;
      data.dataLength -= data.dataLength > 0 ? 1 : 0;
      return symbol + "store " + std::to_string(data.dataLength) + " bytes " + Quoted(bytes, data);
    }
    case 0x51:
      return symbol + "print the stored symbol";
    default:
      return symbol + "function " + std::to_string(command.args[1]);
  }
}

std::string SpecialWords(Bytes bytes, const Command& command) {
  switch (command.op) {
    case Op::Text:
      return Quoted(bytes, command);
    case Op::Barcode:
      return BarcodeSystemName(command.args[0]) + ", " + std::to_string(command.dataLength) + " bytes " +
             Quoted(bytes, command);
    case Op::QrCode:
      return SymbolWords(bytes, command);
    case Op::BitImage:
      return "mode " + std::to_string(command.args[0]) + ", " + std::to_string(command.args[1]) + " columns";
    case Op::Graphics:
      return command.dataLength >= 2 ? "function " + std::to_string(bytes[command.dataOffset + 1]) + ", " +
                                           std::to_string(command.dataLength) + " bytes"
                                     : std::to_string(command.dataLength) + " bytes";
    case Op::Raster:
      return "mode " + std::to_string(command.args[0]) + ", " + std::to_string(command.args[1]) + " bytes x " +
             std::to_string(command.args[2]) + " rows";
    case Op::Cut:
      return "mode " + std::to_string(command.args[0]) +
             (command.length == 4 ? ", feed " + std::to_string(command.args[1]) : std::string());
    default:
      return "";
  }
}

std::string ProblemWords(Bytes bytes, const Command& command) {
  switch (command.op) {
    case Op::CutShort:
      return "cut short: the stream ends inside a command (" + std::to_string(command.length) + " bytes left)";
    case Op::BadByte:
      if (command.length == 1) return "not a character";
      [[fallthrough]];
    default: {
      constexpr std::size_t kShown = 16;
      std::string words = command.op == Op::BadByte ? "not a character" : "unknown command";
      char hex[4];
      for (std::size_t i = 0; i < command.length && i < kShown; ++i) {
        std::snprintf(hex, sizeof hex, " %02X", bytes[command.offset + i]);
        words += hex;
      }
      if (command.length > kShown) words += " ... (" + std::to_string(command.length) + " bytes)";
      return words;
    }
  }
}

}  // namespace

std::string BarcodeSystemName(std::int32_t system) {
  static const char* const kNames[] = {"UPC-A", "UPC-E",   "JAN13 (EAN13)", "JAN8 (EAN8)", "CODE39",
                                       "ITF",   "CODABAR", "CODE93",        "CODE128"};
  if (system >= 65 && system <= 73) return kNames[system - 65];
  if (system <= 6) return kNames[system] + std::string(" (old form)");
  return "system " + std::to_string(system);
}

std::string DescribeCommand(Bytes bytes, const Command& command) {
  if (IsProblem(command.op)) return ProblemWords(bytes, command);
  const CommandForm* form = command.form != nullptr ? command.form : FormOf(command.op);
  const std::string special = SpecialWords(bytes, command);
  if (form == nullptr) return std::string(command.name) + "  " + special;
  std::string words = std::string(form->name) + "  " + form->meaning;
  if (!special.empty()) {
    words += ": " + special;
  } else {
    for (std::size_t i = 0; form->layout[i] != '\0' && form->layout[0] != '*' && i < command.args.size(); ++i)
      words += (i == 0 ? ": " : ", ") + std::string(form->labels[i]) + " " + std::to_string(command.args[i]);
  }
  if (form->ignored != nullptr) words += " (" + std::string(form->ignored) + ")";
  return words;
}

std::string DumpLine(Bytes bytes, const Command& command) {
  constexpr std::size_t kShown = 16;
  char field[16];
  std::snprintf(field, sizeof field, "%08zX ", command.offset);
  std::string line = field;
  const std::size_t shown = command.length < kShown ? command.length : kShown;
  for (std::size_t i = 0; i < shown; ++i) {
    std::snprintf(field, sizeof field, " %02X", bytes[command.offset + i]);
    line += field;
  }
  if (shown < command.length) line += " ...";
  line.append(shown < command.length ? 2 : 2 + 3 * (kShown - shown) + 4, ' ');
  line += IsProblem(command.op) ? "!! " : "";
  return line + DescribeCommand(bytes, command);
}

}  // namespace kestrel::emu
