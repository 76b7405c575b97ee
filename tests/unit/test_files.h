#pragma once
// Temporary files for tests.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// A new empty folder in the system's temporary folder, named `prefix` and a random number.
inline std::filesystem::path NewTempFolder(const std::string& prefix) {
  static std::random_device seed;
  std::filesystem::path folder;
  do {
    folder = std::filesystem::temp_directory_path() / (prefix + std::to_string(seed()));
  } while (!std::filesystem::create_directory(folder));
  return folder;
}

// A fresh folder for this test process.
inline std::string TempDir() {
  static const std::string dir = NewTempFolder("quillmere-test-").string();
  return dir;
}

// Writes `bytes` to `name` in the temporary folder and returns its path.
inline std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  const std::string path = TempDir() + "/" + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return path;
}
