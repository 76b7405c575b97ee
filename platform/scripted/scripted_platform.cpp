#include "platform/scripted/scripted_platform.h"

#include "game/json_text.h"

std::int32_t ForcedRandom::Random(std::int32_t n) {
  if (forced_.empty()) return clock_.Random(n);
  const std::int64_t v = forced_.front();
  forced_.pop_front();
  if (n <= 0) return 0;
  const std::int64_t r = v % n;
  return static_cast<std::int32_t>(r < 0 ? r + n : r);
}

void RecordedSounds::PlaySound(Sound sound) {
  if (!print_) return;
  out_ << "sound " << SoundName(sound) << '\n';
  out_.flush();
}

ScriptedPlatform::ScriptedPlatform(int width, int height, std::ostream& out)
    : width_(width), height_(height), out_(out) {}

void ScriptedPlatform::Present(const Surface& windowSurface, const std::vector<Rect>& changed) {
  ++presents_;
  if (!keepShown_) return;
  if (shown_.width != windowSurface.width || shown_.height != windowSurface.height) {
    shown_ = windowSurface;
    return;
  }
  for (const Rect& area : changed) BlitPart(shown_, area.left, area.top, windowSurface, area);
}

void ScriptedPlatform::MessageBox(const std::string& caption, const std::string& text) {
  out_ << "message " << JsonString(caption) << ' ' << JsonString(text) << '\n';
  out_.flush();
}

QuestionAnswer ScriptedPlatform::AskQuestion(const std::string& caption, const std::string& text) {
  QuestionAnswer answer = QuestionAnswer::kStay;
  if (!questionAnswers_.empty()) {
    answer = questionAnswers_.front();
    questionAnswers_.pop_front();
  }
  static constexpr const char* kWords[] = {"save", "discard", "stay"};
  out_ << "question " << JsonString(caption) << ' ' << JsonString(text) << ' '
       << kWords[static_cast<int>(answer)] << '\n';
  out_.flush();
  return answer;
}

std::optional<std::string> ScriptedPlatform::NextAnswer() {
  if (answers_.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

std::optional<std::string> ScriptedPlatform::OpenDialog(const FileDialogSetup&) { return NextAnswer(); }

std::optional<std::string> ScriptedPlatform::SaveDialog(const FileDialogSetup&) { return NextAnswer(); }
