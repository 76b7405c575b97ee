#include "app/edit_script_runner.h"

#include <iostream>
#include <optional>

#include "app/script_runner.h"
#include "game/cp1251.h"
#include "platform/picture_codec.h"

void WriteLevelDump(std::ostream& out, const EditedLevel& level) {
  out << "level:\n";
  std::string text = Cp1251ToUtf8(LevelText(level));
  std::string::size_type cr;
  while ((cr = text.find('\r')) != std::string::npos) text.erase(cr, 1);
  out << text << "end\n";
}

bool RunEditScriptCommand(const ScriptCommand& c, EditScriptContext& ctx) {
  EditorWindow& editor = ctx.editor;
  switch (c.kind) {
    case ScriptCommand::Key:
      ctx.platform.SetHeld(c.held);
      editor.OnKeyDown(c.vk, c.shift);
      ctx.platform.SetHeld({});
      editor.FinishCheck();
      break;
    case ScriptCommand::Tick:
      for (long i = 0; i < c.count && !editor.IsClosed(); ++i) {
        if (ctx.platform.TimerEnabled()) editor.OnTimer();
      }
      break;
    case ScriptCommand::Random:
      for (const long long v : c.values) ctx.random.Force(v);
      break;
    case ScriptCommand::Dialog:
      ctx.platform.QueueDialogAnswer(
          c.cancel ? std::nullopt
                   : std::optional<std::string>(DialogPath(c.path, ctx.programFolder)));
      break;
    case ScriptCommand::Answer:
      ctx.platform.QueueQuestionAnswer(c.answer);
      break;
    case ScriptCommand::Paint:
      editor.OnPaint();
      break;
    case ScriptCommand::Close:
      editor.OnClose();
      break;
    case ScriptCommand::Dump:
    case ScriptCommand::Board:
      WriteLevelDump(ctx.out, editor.Editor().Level());
      break;
    case ScriptCommand::Screenshot:
      try {
        SavePng(Absolute(c.path, ctx.startFolder), editor.Window().Screen());
      } catch (const std::exception& e) {
        std::cerr << "quillmere-headless: " << e.what() << "\n";
      }
      break;
  }
  ctx.out.flush();
  if (!editor.IsClosed()) return true;
  ctx.out << "closed\n";
  ctx.out.flush();
  return false;
}
