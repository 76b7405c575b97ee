#include "menu/snapshot_file.h"

#include <cstdlib>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "game/text_file.h"

namespace {

constexpr int kItemCount = 9;

#ifndef _WIN32
// The value of the environment variable `name` when it is an absolute path, else empty.
std::string AbsoluteDirFromEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return {};
  std::string dir = value;
  if (dir.back() != '/') dir += '/';
  return dir;
}
#endif

}  // namespace

void WriteSnapshot(const GameState& s, const std::string& path) {
  const auto file = TextWriter::Create(path, true);
  file->WriteLine(std::to_string(s.Money));
  for (int item = 1; item <= kItemCount; ++item) {
    file->WriteLine(std::to_string(s.Inventory[item]));
  }
  file->Close();
}

void ReadSnapshot(GameState& s, const std::string& path) {
  const auto file = TextReader::Open(path);
  if (!file) return;
  s.Money = file->ReadInt();
  file->SkipLine();
  for (int item = 1; item <= kItemCount; ++item) {
    s.Inventory[item] = file->ReadInt();
    file->SkipLine();
  }
}

void DeleteSnapshot(const std::string& path) { DeleteFileIfPresent(path); }

std::string DefaultSnapshotPath() {
#ifdef _WIN32
  return "C:\\Kolbrin.tmp";
#else
  // The per-user runtime folder is private already; the shared temporary folder needs the user
  // in the name so that two players on one machine keep apart.
  if (const std::string runtime = AbsoluteDirFromEnv("XDG_RUNTIME_DIR"); !runtime.empty()) {
    return runtime + "Kolbrin.tmp";
  }
  std::string temp = AbsoluteDirFromEnv("TMPDIR");
  if (temp.empty()) temp = "/tmp/";
  return temp + "Kolbrin-" + std::to_string(::getuid()) + ".tmp";
#endif
}
