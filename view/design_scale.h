#pragma once
// The window was laid out for an 800 x 600 screen; positions given in those design pixels are
// scaled to the screen in use.

inline constexpr int kDesignWidth = 800;
inline constexpr int kDesignHeight = 600;

// `x` design pixels across, on a screen `screenWidth` pixels wide (rounded down).
constexpr int ScaleX(int x, int screenWidth) {
  return static_cast<int>(static_cast<long long>(screenWidth) * x / kDesignWidth);
}

// `y` design pixels down, on a screen `screenHeight` pixels high (rounded down).
constexpr int ScaleY(int y, int screenHeight) {
  return static_cast<int>(static_cast<long long>(screenHeight) * y / kDesignHeight);
}
