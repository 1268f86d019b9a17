#include "emulator/Decoder.h"

#include <array>

#include "emulator/CommandForms.h"

namespace kestrel::emu {
namespace {

using Bytes = std::span<const std::uint8_t>;

// The forms by their first byte, so that a command is found among a few.
struct FormIndex {
  std::array<std::vector<const CommandForm*>, 32> byFirst;
  FormIndex() {
    for (const CommandForm& form : CommandForms()) byFirst[form.lead[0]].push_back(&form);
  }
};
const FormIndex& Index() {
  static const FormIndex index;
  return index;
}

Command Make(Op op, const char* name, std::size_t offset, std::size_t length) {
  Command command;
  command.op = op;
  command.name = name;
  command.offset = offset;
  command.length = length;
  return command;
}

Command CutShort(Bytes bytes, std::size_t offset) {
  return Make(Op::CutShort, "cut short", offset, bytes.size() - offset);
}

std::size_t GbkCharLength(Bytes bytes, std::size_t at) {
  const std::uint8_t lead = bytes[at];
  if (lead < 0x80) return 1;
  if (lead == 0x80 || lead == 0xFF) return 0;
  if (at + 1 >= bytes.size()) return 0;
  const std::uint8_t second = bytes[at + 1];
  if (second >= 0x30 && second <= 0x39) {  // four-byte GB18030
    if (at + 3 >= bytes.size()) return 0;
    const bool valid = bytes[at + 2] >= 0x81 && bytes[at + 2] <= 0xFE && bytes[at + 3] >= 0x30 && bytes[at + 3] <= 0x39;
    return valid ? 4 : 0;
  }
  return second >= 0x40 && second <= 0xFE && second != 0x7F ? 2 : 0;
}

// Printable ASCII and GBK/GB18030 characters up to the next control byte.
Command DecodeText(Bytes bytes, std::size_t offset) {
  std::size_t end = offset;
  while (end < bytes.size() && bytes[end] >= 0x20) {
    const std::size_t length = GbkCharLength(bytes, end);
    if (length == 0) break;
    end += length;
  }
  if (end == offset) {
    const bool incomplete = bytes[offset] >= 0x81 && bytes[offset] <= 0xFE &&
                            (offset + 1 == bytes.size() ||
                             (bytes[offset + 1] >= 0x30 && bytes[offset + 1] <= 0x39 && offset + 4 > bytes.size()));
    return incomplete ? CutShort(bytes, offset) : Make(Op::BadByte, "not a character", offset, 1);
  }
  Command text = Make(Op::Text, "text", offset, end - offset);
  text.dataOffset = offset;
  text.dataLength = end - offset;
  return text;
}

std::int32_t Word(Bytes bytes, std::size_t at) { return bytes[at] | (bytes[at + 1] << 8); }

// The parameters of a fixed layout; false when the stream ends first.
bool ReadLayout(Bytes bytes, std::size_t at, const char* layout, Command& command) {
  std::size_t arg = 0;
  for (const char* kind = layout; *kind != '\0'; ++kind, ++arg) {
    const std::size_t size = *kind == 'w' ? 2 : 1;
    if (at + size > bytes.size()) return false;
    command.args[arg] = size == 2 ? Word(bytes, at) : bytes[at];
    at += size;
  }
  command.length = at - command.offset;
  return true;
}

// GS k m: the old form ends at a NUL, the new one (m 65 and up) counts its data.
Command DecodeBarcode(Bytes bytes, Command command) {
  const std::size_t at = command.offset + 2;
  if (at >= bytes.size()) return CutShort(bytes, command.offset);
  const std::uint8_t system = bytes[at];
  command.args[0] = system;
  command.dataOffset = at + 1;
  if (system <= 6) {
    std::size_t end = at + 1;
    while (end < bytes.size() && bytes[end] != 0x00) ++end;
    if (end == bytes.size()) return CutShort(bytes, command.offset);
    command.dataLength = end - command.dataOffset;
    command.length = end + 1 - command.offset;
    return command;
  }
  if (system < 65 || system > 79) return Make(Op::Unknown, "unknown", command.offset, 3);
  if (at + 1 >= bytes.size()) return CutShort(bytes, command.offset);
  command.dataOffset = at + 2;
  command.dataLength = bytes[at + 1];
  command.args[1] = bytes[at + 1];
  if (command.dataOffset + command.dataLength > bytes.size()) return CutShort(bytes, command.offset);
  command.length = command.dataOffset + command.dataLength - command.offset;
  return command;
}

// GS ( k pL pH cn fn ...: p bytes follow the length.
Command DecodeQrCode(Bytes bytes, Command command) {
  const std::size_t at = command.offset + 3;
  if (at + 2 > bytes.size()) return CutShort(bytes, command.offset);
  const std::size_t count = Word(bytes, at);
  if (at + 2 + count > bytes.size()) return CutShort(bytes, command.offset);
  command.length = 5 + count;
  if (count >= 1) command.args[0] = bytes[at + 2];
  if (count >= 2) command.args[1] = bytes[at + 3];
  if (count >= 3) command.args[2] = bytes[at + 4];
  command.dataOffset = at + 2 + (count >= 2 ? 2 : count);
  command.dataLength = count >= 2 ? count - 2 : 0;
  return command;
}

// GS v 0 m xL xH yL yH and x * y bytes of dots.
Command DecodeRaster(Bytes bytes, Command command) {
  const std::size_t at = command.offset + 3;
  if (!ReadLayout(bytes, at, "bww", command)) return CutShort(bytes, command.offset);
  command.dataOffset = at + 5;
  command.dataLength = static_cast<std::size_t>(command.args[1]) * static_cast<std::size_t>(command.args[2]);
  if (command.dataLength > bytes.size() - command.dataOffset) return CutShort(bytes, command.offset);
  command.length += command.dataLength;
  return command;
}

// GS V m, and a feed amount n for m 65, 66, 97 and 98.
Command DecodeCut(Bytes bytes, Command command) {
  const std::size_t at = command.offset + 2;
  if (at >= bytes.size()) return CutShort(bytes, command.offset);
  const std::uint8_t mode = bytes[at];
  const bool feeds = mode == 65 || mode == 66 || mode == 97 || mode == 98;
  if (!ReadLayout(bytes, at, feeds ? "bb" : "b", command)) return CutShort(bytes, command.offset);
  return command;
}

Command DecodeForm(Bytes bytes, const CommandForm& form, Command command) {
  switch (form.op) {
    case Op::Barcode:
      return DecodeBarcode(bytes, command);
    case Op::QrCode:
      return DecodeQrCode(bytes, command);
    case Op::Raster:
      return DecodeRaster(bytes, command);
    case Op::Cut:
      return DecodeCut(bytes, command);
    default:
      if (!ReadLayout(bytes, command.offset + form.leadLength, form.layout, command))
        return CutShort(bytes, command.offset);
      return command;
  }
}

// How many leading bytes of `form` the stream holds from offset.
std::size_t MatchedLead(Bytes bytes, std::size_t offset, const CommandForm& form) {
  std::size_t matched = 0;
  while (matched < form.leadLength && offset + matched < bytes.size() && bytes[offset + matched] == form.lead[matched])
    ++matched;
  return matched;
}

}  // namespace

Command DecodeCommand(Bytes bytes, std::size_t offset) {
  const std::uint8_t first = bytes[offset];
  if (first >= 0x20) return DecodeText(bytes, offset);
  std::size_t longest = 0;
  bool streamEnds = false;
  for (const CommandForm* form : Index().byFirst[first]) {
    const std::size_t matched = MatchedLead(bytes, offset, *form);
    if (matched == form->leadLength) {
      Command command = Make(form->op, form->name, offset, form->leadLength);
      return DecodeForm(bytes, *form, command);
    }
    if (matched > longest) longest = matched;
    if (offset + matched == bytes.size()) streamEnds = true;
  }
  if (streamEnds) return CutShort(bytes, offset);
  // The byte that broke the match belongs to the unknown command unless it
  // could start the next one.
  std::size_t length = longest == 0 ? 1 : longest;
  if (longest > 0 && offset + longest < bytes.size() && bytes[offset + longest] >= 0x20) ++length;
  return Make(Op::Unknown, "unknown", offset, length);
}

std::vector<Command> DecodeStream(Bytes bytes) {
  std::vector<Command> commands;
  commands.reserve(bytes.size() / 8 + 1);
  for (std::size_t offset = 0; offset < bytes.size();) {
    commands.push_back(DecodeCommand(bytes, offset));
    offset += commands.back().length;
  }
  return commands;
}

}  // namespace kestrel::emu
