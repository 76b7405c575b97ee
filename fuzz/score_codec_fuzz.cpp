// The table's line codec on every byte string: decoding undoes encoding and encoding undoes
// decoding, the length stays, and the first bytes are the backward differences.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/invariants.h"
#include "game/score_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view plain(reinterpret_cast<const char*>(data), size);
  const std::string encoded = EncodeScoreLine(plain);
  Require(encoded.size() == plain.size(), "encoding keeps the length");
  Require(DecodeScoreLine(encoded) == plain, "decode(encode(x)) == x");
  Require(EncodeScoreLine(DecodeScoreLine(plain)) == plain, "encode(decode(x)) == x");
  if (size >= 3) {
    const auto b = [&](std::size_t i) { return static_cast<int>(data[i]); };
    Require(static_cast<std::uint8_t>(encoded[0]) == data[0], "the first byte stays");
    Require(static_cast<std::uint8_t>(encoded[1]) == static_cast<std::uint8_t>(b(1) - b(0)),
            "the second byte is the first difference");
    Require(static_cast<std::uint8_t>(encoded[2]) ==
                static_cast<std::uint8_t>(b(2) - 2 * b(1) + b(0)),
            "the third byte is the second difference");
  }
  return 0;
}
