#include "app/script_runner.h"

#include <filesystem>
#include <iostream>
#include <optional>

#include "app/state_dump.h"
#include "platform/file_system.h"
#include "platform/picture_codec.h"

std::string Absolute(const std::string& path, const std::string& base) {
  return IsAbsolutePath(path) ? path : base + path;
}

std::string DialogPath(const std::string& path, const std::string& base) {
  return std::filesystem::path(Absolute(path, base)).lexically_normal().generic_string();
}

bool RunTargetCommand(const ScriptCommand& c, const ScriptTarget& target,
                      ScriptedPlatform& platform, ForcedRandom& random,
                      const std::string& programFolder, const std::string& startFolder,
                      std::ostream& out) {
  WindowEvents& window = target.window;
  switch (c.kind) {
    case ScriptCommand::Key:
      platform.SetHeld(c.held);
      window.OnKeyDown(c.vk, c.shift);
      platform.SetHeld({});
      if (target.afterKey) target.afterKey();
      break;
    case ScriptCommand::Tick:
      for (long i = 0; i < c.count && !window.IsClosed(); ++i) {
        if (platform.TimerEnabled()) window.OnTimer();
      }
      break;
    case ScriptCommand::Random:
      for (const long long v : c.values) random.Force(v);
      break;
    case ScriptCommand::Dialog:
      platform.QueueDialogAnswer(
          c.cancel ? std::nullopt : std::optional<std::string>(DialogPath(c.path, programFolder)));
      break;
    case ScriptCommand::Answer:
      platform.QueueQuestionAnswer(c.answer);
      break;
    case ScriptCommand::Paint:
      window.OnPaint();
      break;
    case ScriptCommand::Close:
      window.OnClose();
      break;
    case ScriptCommand::Dump:
    case ScriptCommand::Board:
      target.dump(c.kind, out);
      break;
    case ScriptCommand::Screenshot:
      try {
        SavePng(Absolute(c.path, startFolder), target.screen);
      } catch (const std::exception& e) {
        std::cerr << "quillmere-headless: " << e.what() << "\n";
      }
      break;
  }
  out.flush();
  if (!window.IsClosed()) return true;
  out << "closed\n";
  out.flush();
  return false;
}

bool RunScriptCommand(const ScriptCommand& c, ScriptContext& ctx) {
  TForm1& form = ctx.form;
  const ScriptTarget target{
      form, form.Window().Screen(),
      [&form](ScriptCommand::Kind kind, std::ostream& out) {
        if (kind == ScriptCommand::Dump) {
          WriteStateDump(out, form);
        } else {
          WriteBoardDump(out, form.State());
        }
      },
      {}};
  return RunTargetCommand(c, target, ctx.platform, ctx.random, ctx.programFolder,
                          ctx.startFolder, ctx.out);
}
