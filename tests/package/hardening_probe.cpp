// A program small enough to build in a moment, written so that an optimised
// build with Kestrel's hardening must guard it: local arrays (the stack
// protector's canary), and a formatted write and a copy into them whose
// lengths come from the input, so that only the C library's checked calls
// can hold them to the arrays' sizes. Never run; only its symbols are read.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  const char* text = argc > 1 ? argv[1] : "";
  const std::size_t length = std::strlen(text) + 1;
  char line[64];
  std::snprintf(line, length, "%s", text);
  char copy[64];
  std::memcpy(copy, text, length);
  std::puts(line);
  std::puts(copy);
  return 0;
}
