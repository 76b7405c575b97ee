// Linked into quillmere-headless.exe: its replay is compared byte for byte with the one of every
// other system, so its standard streams pass "\n" as it is instead of writing "\r\n".
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

[[maybe_unused]] const bool binaryStreams = [] {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  return true;
}();

}  // namespace
