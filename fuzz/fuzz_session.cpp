#include "fuzz/fuzz_session.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

// The only pictures a fuzz target may load: the letter strip the table is drawn with and the
// digits of the money counter. The rest would cost a decode per input and open no code path
// that a damaged file or a key can reach.
constexpr const char* kLetterStrip = "ImLetters.bmp";
constexpr const char* kDigitStrip = "ImageList2.bmp";

// A private folder per fuzzing process, removed at exit.
struct ScratchRoot {
  std::string root;
  std::string assets;
  std::string noAssets;

  ScratchRoot() {
    std::string pattern = (fs::temp_directory_path() / "quillmere-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
    root = pattern + "/";
    assets = root + "assets/";
    noAssets = root + "no-assets/";
    fs::create_directory(assets);
    fs::create_directory(noAssets);
    for (const char* picture : {kLetterStrip, kDigitStrip}) {
      fs::copy_file(std::string(QUILLMERE_SOURCE_DIR) + "/assets/" + picture, assets + picture);
    }
  }
  ~ScratchRoot() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
};

ScratchRoot& Scratch() {
  static ScratchRoot scratch;
  return scratch;
}

}  // namespace

std::string ShippedFile(const std::string& relativePath) {
  std::ifstream in(std::string(QUILLMERE_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
  if (!in) throw std::runtime_error("missing shipped file " + relativePath);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

FuzzSession::FuzzSession() : folder_(Scratch().root + "game/") {
  std::error_code ignored;
  fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(folder_, ignored);
  fs::create_directory(folder_);
  if (::chdir(folder_.c_str()) != 0) throw std::runtime_error("cannot enter " + folder_);
}

FuzzSession::~FuzzSession() = default;

void FuzzSession::Write(const std::string& name, std::string_view bytes) const {
  std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FuzzSession::Read(const std::string& name, std::string& bytes) const {
  std::ifstream in(Path(name), std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), {});
  return true;
}

void FuzzSession::Start(Pictures pictures) {
  platform_ = std::make_unique<ScriptedPlatform>(kScreenWidth, kScreenHeight, out_);
  const std::string& assets =
      pictures == Pictures::kLetters ? Scratch().assets : Scratch().noAssets;
  form_ = std::make_unique<TForm1>(*platform_, random_,
                                   FormOptions{folder_, assets, SnapshotPath()});
  form_->LoadPictures(DecodeGamePictures(assets, false));
  form_->FormCreate();
}

int FuzzSession::MessagesSaying(std::string_view text) const {
  const std::string all = out_.str();
  int count = 0;
  for (std::size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1)) {
    ++count;
  }
  return count;
}

void FuzzSession::ChooseMenuEntry(int item) {
  for (int i = 1; i < item; ++i) Key(vk::Down);
  Key(vk::Enter);
}
