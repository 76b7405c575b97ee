// Reads or writes a high-score table the way the game does, so that a test can prepare a table
// and read back what the game wrote without trusting a second copy of the line codec.
//   quillmere-score-codec encode < plain.txt > High.scr
//   quillmere-score-codec decode < High.scr > plain.txt
// Plain lines are UTF-8 and end with LF; table lines are code page 1251 and end with CR LF.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "game/cp1251.h"
#include "game/score_table.h"

namespace {

std::vector<std::string> SplitLines(const std::string& text, std::string_view end) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t stop = text.find(end, start);
    if (stop == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, stop - start));
    start = stop + end.size();
  }
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 2 ? argv[1] : "";
  if (mode != "encode" && mode != "decode") {
    std::cerr << "usage: quillmere-score-codec encode|decode < input > output\n";
    return 2;
  }
  std::cin >> std::noskipws;
  const std::string input{std::istreambuf_iterator<char>(std::cin), {}};
  if (mode == "encode") {
    for (const std::string& plain : SplitLines(input, "\n")) {
      const std::string encoded = EncodeScoreLine(Utf8ToCp1251(plain));
      // The game reads a table line up to the first CR LF: such an entry would not come back.
      if (encoded.find("\r\n") != std::string::npos) {
        std::cerr << "the entry \"" << plain << "\" cannot be stored: its code holds CR LF\n";
        return 1;
      }
      std::cout << encoded << "\r\n";
    }
  } else {
    for (const std::string& encoded : SplitLines(input, "\r\n")) {
      std::cout << Cp1251ToUtf8(DecodeScoreLine(encoded)) << "\n";
    }
  }
  return std::cout.flush() ? 0 : 1;
}
