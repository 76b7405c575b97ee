#pragma once
// Temporary files for tests.
#include <unistd.h>

#include <fstream>
#include <string>

// A fresh folder for this test process.
inline std::string TempDir() {
  static const std::string dir = [] {
    std::string templ = "/tmp/quillmere-test-XXXXXX";
    const char* made = ::mkdtemp(templ.data());
    return std::string(made != nullptr ? made : "/tmp");
  }();
  return dir;
}

// Writes `bytes` to `name` in the temporary folder and returns its path.
inline std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  const std::string path = TempDir() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return path;
}
