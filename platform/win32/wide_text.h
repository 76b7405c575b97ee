#pragma once
// Texts at the Windows boundary: the system speaks UTF-16, the game code page 1251 (its files,
// names and messages) and UTF-8 (its source texts and the status box).
#include <optional>
#include <string>
#include <string_view>

// Code page 1251 bytes as UTF-16.
std::wstring WideFromCp1251(std::string_view cp1251);
// UTF-16 as code page 1251; nothing when a character has no exact form in the code page.
std::optional<std::string> Cp1251FromWide(std::wstring_view wide);
// UTF-16 as code page 1251, a character the code page lacks becoming '?' (for messages).
std::string Cp1251FromWideLossy(std::wstring_view wide);
// UTF-8 as UTF-16 (an invalid sequence becomes U+FFFD).
std::wstring WideFromUtf8(std::string_view utf8);
// UTF-16 as UTF-8.
std::string Utf8FromWide(std::wstring_view wide);
