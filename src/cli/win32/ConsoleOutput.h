#pragma once

namespace kestrel::cli {

// The CLI writes UTF-8. A console shows bytes in its own code page (936 on a
// Chinese system), where UTF-8 Chinese is unreadable; so a standard stream
// that is a console is handed to a pipe whose far end turns the UTF-8 into
// UTF-16 and writes it with WriteConsoleW, which every code page shows. A
// stream redirected to a file or a pipe keeps the UTF-8 bytes unchanged.
// Call once, before anything is written; the text still in the pipe is
// written out when the program ends.
void WriteConsolesAsUtf16();

}  // namespace kestrel::cli
