#include "emulator/Decoder.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "emulator/CommandForms.h"

namespace kestrel::emu {
namespace {

using Bytes = std::span<const std::uint8_t>;

// The forms by their first two bytes, so that a command is found among a
// few; single-byte commands by their byte.
struct FormIndex {
  std::array<const CommandForm*, 32> single{};
  std::array<bool, 32> startsLonger{};
  std::vector<std::vector<const CommandForm*>> byTwo = std::vector<std::vector<const CommandForm*>>(32 * 256);
  FormIndex() {
    for (const CommandForm& form : CommandForms()) {
      if (form.leadLength == 1) {
        single[form.lead[0]] = &form;
        continue;
      }
      startsLonger[form.lead[0]] = true;
      byTwo[form.lead[0] * 256 + form.lead[1]].push_back(&form);
    }
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

// Printable characters up to the next control byte: ASCII and GBK/GB18030 in
// Chinese character mode, one byte a character in a single-byte code table.
Command DecodeText(Bytes bytes, std::size_t offset, bool chinese) {
  std::size_t end = offset;
  while (end < bytes.size() && bytes[end] >= 0x20) {
    const std::size_t length = chinese ? GbkCharLength(bytes, end) : 1;
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

// The parameters of a layout, and the data a count in it announces; false
// when the stream ends first.
bool ReadLayout(Bytes bytes, std::size_t at, const char* layout, Command& command) {
  std::size_t arg = 0;
  for (const char* kind = layout; *kind != '\0' && arg < command.args.size(); ++kind, ++arg) {
    const std::size_t size = *kind == 'N' ? 4 : *kind == 'b' ? 1 : 2;
    if (size > bytes.size() - at) return false;
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = value << 8 | bytes[at + i];
    at += size;
    if (*kind == 'n' || *kind == 'N') {
      if (value > bytes.size() - at) return false;
      command.dataOffset = at;
      command.dataLength = value;
      at += value;
      value = std::min<std::uint32_t>(value, INT32_MAX);
    }
    command.args[arg] = static_cast<std::int32_t>(value);
  }
  command.length = at - command.offset;
  return true;
}

// Parameters read one after the other, each one's place checked first.
class Reader {
 public:
  Reader(Bytes bytes, std::size_t at) : bytes_(bytes), at_(at) {}
  bool Byte(std::int32_t& value) {
    if (at_ >= bytes_.size()) return (ok_ = false);
    value = bytes_[at_++];
    return ok_;
  }
  bool Skip(std::size_t count) {
    if (!ok_ || count > bytes_.size() - at_) return (ok_ = false);
    at_ += count;
    return true;
  }
  std::size_t at() const { return at_; }
  bool ok() const { return ok_; }

 private:
  Bytes bytes_;
  std::size_t at_;
  bool ok_ = true;
};

Command Finish(Bytes bytes, Command command, const Reader& reader) {
  if (!reader.ok()) return CutShort(bytes, command.offset);
  command.length = reader.at() - command.offset;
  return command;
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

// ESC * m nL nH: n columns of one byte (8-dot modes 0 and 1) or three bytes
// (24-dot modes 32 and 33) each.
Command DecodeBitImage(Bytes bytes, Command command) {
  const std::size_t at = command.offset + 2;
  if (!ReadLayout(bytes, at, "bw", command)) return CutShort(bytes, command.offset);
  const std::size_t perColumn = command.args[0] >= 32 ? 3 : 1;
  command.dataOffset = at + 3;
  command.dataLength = perColumn * static_cast<std::size_t>(command.args[1]);
  if (command.dataLength > bytes.size() - command.dataOffset) return CutShort(bytes, command.offset);
  command.length += command.dataLength;
  return command;
}

// GS V m, and a feed amount n for m 65, 66, 97, 98, 103 and 104.
Command DecodeCut(Bytes bytes, Command command) {
  const std::size_t at = command.offset + 2;
  if (at >= bytes.size()) return CutShort(bytes, command.offset);
  const std::uint8_t mode = bytes[at];
  const bool feeds = mode == 65 || mode == 66 || mode == 97 || mode == 98 || mode == 103 || mode == 104;
  if (!ReadLayout(bytes, at, feeds ? "bb" : "b", command)) return CutShort(bytes, command.offset);
  return command;
}

// DLE EOT n, with one more byte for the requests 7, 8 and 18.
Command DecodeStatusQuery(Bytes bytes, Command command) {
  Reader reader(bytes, command.offset + 2);
  reader.Byte(command.args[0]);
  if (command.args[0] == 7 || command.args[0] == 8 || command.args[0] == 18) reader.Byte(command.args[1]);
  return Finish(bytes, command, reader);
}

// DLE DC4 fn and the parameters of that function.
Command DecodeRealTimeCommand(Bytes bytes, Command command) {
  Reader reader(bytes, command.offset + 2);
  reader.Byte(command.args[0]);
  const std::int32_t fn = command.args[0];
  const std::size_t count = fn == 3 ? 5 : fn == 7 ? 1 : fn == 8 ? 7 : 2;
  for (std::size_t i = 1; i <= count; ++i) {
    std::int32_t value = 0;
    reader.Byte(value);
    if (i < command.args.size()) command.args[i] = value;
  }
  return Finish(bytes, command, reader);
}

// ESC & y c1 c2, then for each code from c1 to c2 a width x and y * x bytes.
Command DecodeUserCharacters(Bytes bytes, Command command) {
  Reader reader(bytes, command.offset + 2);
  std::int32_t y = 0, first = 0, last = 0;
  reader.Byte(y) && reader.Byte(first) && reader.Byte(last);
  for (std::int32_t code = first; reader.ok() && code <= last; ++code) {
    std::int32_t width = 0;
    if (reader.Byte(width)) reader.Skip(static_cast<std::size_t>(y) * width);
  }
  command.args[0] = y, command.args[1] = first, command.args[2] = last;
  return Finish(bytes, command, reader);
}

// ESC D n1 ... nk NUL: at most 32 tab positions.
Command DecodeTabPositions(Bytes bytes, Command command) {
  Reader reader(bytes, command.offset + 2);
  std::int32_t value = 1;
  for (int count = 0; count <= 32 && value != 0 && reader.Byte(value); ++count) command.args[0] = count;
  return Finish(bytes, command, reader);
}

// GS * x y and x * y * 8 bytes; FS 2 c1 c2 and 72 bytes of a 24 x 24 character.
Command DecodeFixedImage(Bytes bytes, Command command, bool kanji) {
  Reader reader(bytes, command.offset + 2);
  reader.Byte(command.args[0]) && reader.Byte(command.args[1]);
  reader.Skip(kanji ? 72 : static_cast<std::size_t>(command.args[0]) * command.args[1] * 8);
  return Finish(bytes, command, reader);
}

// FS q n, then n images of xL xH yL yH and x * y * 8 bytes.
Command DecodeNvImages(Bytes bytes, Command command) {
  Reader reader(bytes, command.offset + 2);
  reader.Byte(command.args[0]);
  for (std::int32_t image = 0; reader.ok() && image < command.args[0]; ++image) {
    std::int32_t xL = 0, xH = 0, yL = 0, yH = 0;
    reader.Byte(xL) && reader.Byte(xH) && reader.Byte(yL) && reader.Byte(yH);
    reader.Skip(static_cast<std::size_t>(xL | xH << 8) * static_cast<std::size_t>(yL | yH << 8) * 8);
  }
  return Finish(bytes, command, reader);
}

Command DecodeSpecial(Bytes bytes, Command command) {
  const std::uint8_t* lead = command.form->lead;
  switch (command.op) {
    case Op::Barcode:
      return DecodeBarcode(bytes, command);
    case Op::QrCode:
      return DecodeQrCode(bytes, command);
    case Op::Raster:
      return DecodeRaster(bytes, command);
    case Op::BitImage:
      return DecodeBitImage(bytes, command);
    case Op::Cut:
      return DecodeCut(bytes, command);
    case Op::StatusQuery:
      return DecodeStatusQuery(bytes, command);
    case Op::RealTimeCommand:
      return DecodeRealTimeCommand(bytes, command);
    default:
      break;
  }
  if (lead[0] == 0x1B && lead[1] == 0x26) return DecodeUserCharacters(bytes, command);
  if (lead[0] == 0x1B && lead[1] == 0x44) return DecodeTabPositions(bytes, command);
  if (lead[0] == 0x1C && lead[1] == 0x71) return DecodeNvImages(bytes, command);
  if (lead[0] == 0x1C && lead[1] == 0x67) {  // FS g 1 m a1 a2 a3 a4 nL nH and n bytes
    if (!ReadLayout(bytes, command.offset + 3, "bbbbbn", command)) return CutShort(bytes, command.offset);
    return command;
  }
  return DecodeFixedImage(bytes, command, lead[0] == 0x1C);
}

Command DecodeForm(Bytes bytes, const CommandForm& form, Command command) {
  command.form = &form;
  if (form.layout[0] == '*') return DecodeSpecial(bytes, command);
  if (!ReadLayout(bytes, command.offset + form.leadLength, form.layout, command))
    return CutShort(bytes, command.offset);
  return command;
}

// How many leading bytes of `form` the stream holds from offset.
std::size_t MatchedLead(Bytes bytes, std::size_t offset, const CommandForm& form) {
  std::size_t matched = 0;
  while (matched < form.leadLength && offset + matched < bytes.size() && bytes[offset + matched] == form.lead[matched])
    ++matched;
  return matched;
}

Command Unknown(Bytes bytes, std::size_t offset, std::size_t matched) {
  // The byte that broke the match belongs to the unknown command unless it
  // could start the next one.
  std::size_t length = matched == 0 ? 1 : matched;
  if (matched > 0 && offset + matched < bytes.size() && bytes[offset + matched] >= 0x20) ++length;
  return Make(Op::Unknown, "unknown", offset, length);
}

// One command, or one unknown command or byte.
Command DecodeOne(Bytes bytes, std::size_t offset, bool chinese) {
  const std::uint8_t first = bytes[offset];
  if (first >= 0x20) return DecodeText(bytes, offset, chinese);
  const FormIndex& index = Index();
  if (const CommandForm* form = index.single[first])
    return DecodeForm(bytes, *form, Make(form->op, form->name, offset, 1));
  if (!index.startsLonger[first]) return Unknown(bytes, offset, 0);
  if (offset + 1 == bytes.size()) return CutShort(bytes, offset);
  const CommandForm* whole = nullptr;  // the longest lead present wins
  std::size_t longest = 1;
  for (const CommandForm* form : index.byTwo[first * 256 + bytes[offset + 1]]) {
    const std::size_t matched = MatchedLead(bytes, offset, *form);
    if (matched < form->leadLength && offset + matched == bytes.size()) return CutShort(bytes, offset);
    if (matched == form->leadLength && (whole == nullptr || form->leadLength > whole->leadLength)) whole = form;
    longest = std::max(longest, matched);
  }
  if (whole == nullptr) return Unknown(bytes, offset, longest);
  return DecodeForm(bytes, *whole, Make(whole->op, whole->name, offset, whole->leadLength));
}

bool IsUnknownBytes(Op op) { return op == Op::Unknown || op == Op::BadByte; }

}  // namespace

Command Decoder::Next(Bytes bytes, std::size_t offset) {
  Command command = DecodeOne(bytes, offset, chinese_);
  if (IsUnknownBytes(command.op)) {
    // A run of unknown bytes is one problem, not one for each byte.
    for (std::size_t end = offset + command.length; end < bytes.size();) {
      const Command next = DecodeOne(bytes, end, chinese_);
      if (!IsUnknownBytes(next.op)) break;
      end += next.length;
      command.length = end - offset;
    }
    return command;
  }
  switch (command.op) {
    case Op::Text:
      command.codeTable = chinese_ ? Command::kChineseText : codeTable_;
      break;
    case Op::ChineseOn:
      chinese_ = true;
      break;
    case Op::ChineseOff:
      chinese_ = false;
      break;
    case Op::CodeTable:
      codeTable_ = command.args[0];
      break;
    case Op::Initialize:
      *this = Decoder();
      break;
    default:
      break;
  }
  return command;
}

Command DecodeCommand(Bytes bytes, std::size_t offset) { return Decoder().Next(bytes, offset); }

std::vector<Command> DecodeStream(Bytes bytes) {
  std::vector<Command> commands;
  commands.reserve(bytes.size() / 8 + 1);
  Decoder decoder;
  for (std::size_t offset = 0; offset < bytes.size();) {
    commands.push_back(decoder.Next(bytes, offset));
    offset += commands.back().length;
  }
  return commands;
}

}  // namespace kestrel::emu
