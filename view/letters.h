#pragma once
// The ruby status line, the shop's four-digit money counter and lines from the letter strip.
#include <cstdint>
#include <string>

#include "game/game_state.h"
#include "view/surface.h"
#include "view/window_model.h"

// The status text for `collected` of `required` rubies (code page 1251).
std::string RubyStatusText(std::int32_t collected, std::int32_t required);

// The four digits the counter shows for `money` (clamped into 0..9999).
std::string MoneyDigits(std::int32_t money);

// Redraws the money places "ImCT1".."ImCT4" from `money` with the digit images of `digitList`
// (ten 26 x 39 images side by side, white see-through).
void DrawMoneyCounter(WindowModel& window, const Surface& digitList, std::int32_t money);

// Copies the 17 x 31 glyph of character `code` from `letters` to x of `target`; codes below 33
// have no glyph and leave the target as it was.
void DrawGlyph(Surface& target, int x, unsigned char code, const Surface& letters);

// Composes the table line `text` (name "|" score, code page 1251) in `lineImage` (screen wide,
// 35 high) and lays it with white see-through on `score` as line n (1..10). The score ends at
// x min(screenWidth, 800) - 101 of the line; a name that would touch it is cut short.
void DrawTableLine(const std::string& text, int n, Surface& lineImage, const Surface& letters,
                   Surface& score, int screenWidth);
