#include "commands/SendBuffer.h"

#include <cstring>
#include <memory>

namespace kestrel {

std::uint8_t SendBuffer[kSendBufferCapacity] = {};
std::int32_t SendLength = 0;
std::uint8_t* ImageBuffer = new std::uint8_t[kImageBufferCapacity]();

void ReleaseImageBuffer() {
  delete[] ImageBuffer;
  ImageBuffer = nullptr;
}

void BeginJob() { SendLength = 0; }

bool AppendBytes(const std::uint8_t* data, std::size_t count) {
  if (SendLength < 0 || count > static_cast<std::size_t>(kSendBufferCapacity - SendLength)) return false;
  if (count > 0) std::memcpy(SendBuffer + SendLength, data, count);
  SendLength += static_cast<std::int32_t>(count);
  return true;
}

bool AppendBytes(std::initializer_list<std::uint8_t> bytes) { return AppendBytes(bytes.begin(), bytes.size()); }

bool AppendBytes(const std::string& bytes) {
  return AppendBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

bool AppendByte(std::int32_t value) { return AppendBytes({static_cast<std::uint8_t>(value & 0xFF)}); }

bool AppendU16(std::int32_t value) {
  return AppendBytes({static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF)});
}

bool AppendImage(std::int32_t count) {
  if (!ImageBuffer || count < 0 || count > kImageBufferCapacity) return false;
  return AppendBytes(ImageBuffer, static_cast<std::size_t>(count));
}

std::span<const std::uint8_t> ComposedBytes() {
  return {SendBuffer, static_cast<std::size_t>(SendLength < 0 ? 0 : SendLength)};
}

bool ImageWriter::Put(std::string_view bytes) {
  return Put(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

bool ImageWriter::Put(std::initializer_list<std::uint8_t> bytes) { return Put(bytes.begin(), bytes.size()); }

bool ImageWriter::Put(const std::uint8_t* data, std::size_t count) {
  if (!ImageBuffer || count > static_cast<std::size_t>(kImageBufferCapacity - count_)) return false;
  if (count > 0) std::memcpy(ImageBuffer + count_, data, count);
  count_ += static_cast<std::int32_t>(count);
  return true;
}

}  // namespace kestrel
