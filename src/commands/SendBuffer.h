#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace kestrel {

inline constexpr std::int32_t kSendBufferCapacity = 5'120'000;
inline constexpr std::int32_t kImageBufferCapacity = 1'024'000;

// The one command buffer of every job and its fill count. A job sets
// SendLength to 0, appends its bytes and hands both to the link in one write.
extern std::uint8_t SendBuffer[kSendBufferCapacity];
extern std::int32_t SendLength;

// The encoders' output; allocated at load, released by the window's close
// request. Encoders write from index 0 and return their count.
extern std::uint8_t* ImageBuffer;
void ReleaseImageBuffer();

// Starts a job: SendLength = 0.
void BeginJob();

// Appending is bounded: an append that would pass the capacity is refused
// whole and returns false; nothing is written past the end.
bool AppendBytes(const std::uint8_t* data, std::size_t count);
bool AppendBytes(std::initializer_list<std::uint8_t> bytes);
bool AppendBytes(const std::string& bytes);
// A one-byte parameter: the low 8 bits of value.
bool AppendByte(std::int32_t value);
// A 16-bit number as nL nH, low byte first.
bool AppendU16(std::int32_t value);
// The first count bytes of ImageBuffer, as the encoder left them.
bool AppendImage(std::int32_t count);

// The bytes composed so far: SendBuffer[0, SendLength).
std::span<const std::uint8_t> ComposedBytes();

// A bounded writer over ImageBuffer for the encoders.
class ImageWriter {
 public:
  bool Put(std::initializer_list<std::uint8_t> bytes);
  bool Put(std::string_view bytes);
  bool Put(const std::uint8_t* data, std::size_t count);
  std::int32_t Count() const { return count_; }

 private:
  std::int32_t count_ = 0;
};

}  // namespace kestrel
