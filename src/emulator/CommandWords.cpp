#include "emulator/CommandWords.h"

#include <cstdio>

#include "emulator/CommandForms.h"
#include "emulator/PrinterText.h"

namespace kestrel::emu {
namespace {

using Bytes = std::span<const std::uint8_t>;

std::string Quoted(Bytes bytes, const Command& command) {
  std::string quoted(1, '"');
  quoted += PrinterTextToUtf8(bytes.subspan(command.dataOffset, command.dataLength));
  quoted += '"';
  return quoted;
}

std::string QrWords(Bytes bytes, const Command& command) {
  if (command.args[0] != 0x31) return "function of symbol type " + std::to_string(command.args[0]);
  switch (command.args[1]) {
    case 0x41:
      return "select model " + std::to_string(command.args[2]);
    case 0x43:
      return "module size " + std::to_string(command.args[2]) + " dots";
    case 0x45:
      return "error correction level " + std::to_string(command.args[2]);
    case 0x50: {
      Command data = command;  // the byte m = 30 leads the data
      data.dataOffset += data.dataLength > 0 ? 1 : 0;
      data.dataLength -= data.dataLength > 0 ? 1 : 0;
      return "store " + std::to_string(data.dataLength) + " bytes " + Quoted(bytes, data);
    }
    case 0x51:
      return "print the stored symbol";
    default:
      return "function " + std::to_string(command.args[1]);
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
      return QrWords(bytes, command);
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
      return "not a character";
    default: {
      std::string words = "unknown command";
      char hex[4];
      for (std::size_t i = 0; i < command.length; ++i) {
        std::snprintf(hex, sizeof hex, " %02X", bytes[command.offset + i]);
        words += hex;
      }
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
  const CommandForm* form = FormOf(command.op);
  if (form == nullptr) return std::string(command.name) + "  " + SpecialWords(bytes, command);
  std::string words = std::string(form->name) + "  " + form->meaning;
  const std::string special = SpecialWords(bytes, command);
  if (!special.empty()) return words + ": " + special;
  for (std::size_t i = 0; form->layout[i] != '\0' && form->layout[0] != '*'; ++i)
    words += (i == 0 ? ": " : ", ") + std::string(form->labels[i]) + " " + std::to_string(command.args[i]);
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
