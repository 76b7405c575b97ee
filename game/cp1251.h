#pragma once
// Conversions between UTF-8 (the source code and the screen) and code page 1251 (the files).
#include <string>
#include <string_view>

// UTF-8 to code page 1251; a character the code page lacks becomes '?'.
std::string Utf8ToCp1251(std::string_view utf8);
// A line as a text editor saved it, in code page 1251: taken as UTF-8 when it is valid UTF-8
// with characters beyond ASCII (those the code page lacks become '?'), else as code page 1251.
std::string EditorTextToCp1251(std::string_view line);
// Code page 1251 to UTF-8; the unassigned byte 0x98 becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view cp1251);
// Unicode code point of a code page 1251 byte (0 for unassigned).
char32_t Cp1251ToUnicode(unsigned char byte);
// The UTF-8 bytes of one code point below U+10000.
std::string Utf8FromCodePoint(char32_t cp);
