#include "app/edit_script_runner.h"

#include "app/script_runner.h"
#include "game/cp1251.h"

void WriteLevelDump(std::ostream& out, const EditedLevel& level) {
  out << "level:\n";
  std::string text = Cp1251ToUtf8(LevelText(level));
  std::string::size_type cr;
  while ((cr = text.find('\r')) != std::string::npos) text.erase(cr, 1);
  out << text << "end\n";
}

bool RunEditScriptCommand(const ScriptCommand& c, EditScriptContext& ctx) {
  EditorWindow& editor = ctx.editor;
  const ScriptTarget target{
      editor, editor.Window().Screen(),
      [&editor](ScriptCommand::Kind, std::ostream& out) {
        WriteLevelDump(out, editor.Editor().Level());
      },
      [&editor] { editor.FinishCheck(); }};
  return RunTargetCommand(c, target, ctx.platform, ctx.random, ctx.programFolder,
                          ctx.startFolder, ctx.out);
}
