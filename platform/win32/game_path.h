#pragma once
// A Windows path as the game names files: in code page 1251.
#include <optional>
#include <string>

// `path` in the game's code page; a part the code page cannot spell is taken by its short
// (8.3) name, which is plain ASCII where the volume keeps short names. Nothing when neither works.
std::optional<std::string> GamePathFromWide(const std::wstring& path);
