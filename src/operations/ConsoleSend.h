#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kestrel {

// The console sends from a buffer of its own; the send handler and every
// repeat-send worker hold one each, so they never share bytes with SendBuffer
// or with each other.
inline constexpr std::size_t kConsoleBufferCapacity = 24'576;
// A content of this many code-page bytes or more is refused.
inline constexpr std::size_t kConsoleContentLimit = 24'575;
// Every character, and every stray byte, becomes at least one code-page byte
// and takes at most four bytes of UTF-8, so a text longer than this is refused
// whatever it holds; nobody needs to read more of one.
inline constexpr std::size_t kConsoleTextLimit = 4 * (kConsoleContentLimit - 1);

struct ConsoleBuffer {
  std::array<std::uint8_t, kConsoleBufferCapacity> bytes{};
  std::int32_t length = 0;
};

enum class ConsoleError { kNone, kTooMuchInput, kHexInput };

// The Chinese source text of an error's message, for Translate.
const char* ConsoleErrorText(ConsoleError error);

// Prepares a send from the console's text (UTF-8, lines ending in CR LF as the
// window holds them): converts it to the interface's code page, then either
// copies the bytes or, in hex mode, parses them. The buffer is zero-filled
// first; on an error its length is 0 and nothing is to be sent.
ConsoleError PrepareConsoleSend(const std::string& content, bool hexMode, ConsoleBuffer& buffer);
// The same for content already in the code page.
ConsoleError PrepareConsoleBytes(const std::string& contentBytes, bool hexMode, ConsoleBuffer& buffer);

// The count edit's text as a number (leading blanks and a sign allowed, no
// digits gives 0). A count of 1 or less sends one copy on the window's thread.
std::int32_t ReadSendCount(const std::string& countText);
inline bool SendsOnce(std::int32_t count) { return count <= 1; }

using ConsoleWriter = std::function<bool(const std::uint8_t* bytes, std::int32_t length)>;

// Writes the buffer `count` times (none below 1), 1 ms apart with no wait
// after the last. A failed write does not stop the loop. Once `stop` is set no
// further copy starts, so the window can end a worker when it closes. Returns
// the number of writes made.
std::int32_t RepeatSend(const ConsoleBuffer& buffer, std::int32_t count, const ConsoleWriter& write,
                        const std::atomic<bool>& stop);

// The console's text after a click on the HEX box left it `checked`: checking
// shows the code-page bytes in hexadecimal; unchecking parses them back, keeps
// the bytes before the first 00 and decodes them from the code page. An empty
// text stays empty. nullopt when unchecking meets text that is not
// hexadecimal; the text then keeps its form.
std::optional<std::string> ConvertForHexBox(const std::string& content, bool checked);

}  // namespace kestrel
