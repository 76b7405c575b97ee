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

namespace {

// A dialog answers with a full path without "." or ".." in it, its parts separated by "/" on
// every system, so that a replay names its files the same everywhere.
std::string DialogPath(const std::string& path, const std::string& base) {
  return std::filesystem::path(Absolute(path, base)).lexically_normal().generic_string();
}

}  // namespace

bool RunScriptCommand(const ScriptCommand& c, ScriptContext& ctx) {
  TForm1& form = ctx.form;
  switch (c.kind) {
    case ScriptCommand::Key:
      ctx.platform.SetHeld(c.held);
      form.OnKeyDown(c.vk, c.shift);
      ctx.platform.SetHeld({});
      break;
    case ScriptCommand::Tick:
      for (long i = 0; i < c.count && !form.IsClosed(); ++i) {
        if (ctx.platform.TimerEnabled()) form.OnTimer();
      }
      break;
    case ScriptCommand::Random:
      for (const long long v : c.values) ctx.random.Force(v);
      break;
    case ScriptCommand::Dialog:
      ctx.platform.QueueDialogAnswer(
          c.cancel ? std::nullopt : std::optional<std::string>(DialogPath(c.path, ctx.programFolder)));
      break;
    case ScriptCommand::Paint:
      form.OnPaint();
      break;
    case ScriptCommand::Close:
      form.OnClose();
      break;
    case ScriptCommand::Dump:
      WriteStateDump(ctx.out, form);
      break;
    case ScriptCommand::Board:
      WriteBoardDump(ctx.out, form.State());
      break;
    case ScriptCommand::Screenshot:
      try {
        SavePng(Absolute(c.path, ctx.startFolder), form.Window().Screen());
      } catch (const std::exception& e) {
        std::cerr << "quillmere-headless: " << e.what() << "\n";
      }
      break;
  }
  ctx.out.flush();
  if (!form.IsClosed()) return true;
  ctx.out << "closed\n";
  ctx.out.flush();
  return false;
}
