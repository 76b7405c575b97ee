#pragma once
// Every picture element of the window, bottom to top: the enumeration's order is the stacking
// order. The design's names are the elements' display names (the headless driver's dump).
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

enum class Element : std::uint8_t {
  ImMenuShop, ImSelectSP, ImScore, Im2, Im1, Im4, Im3, Im0, Im5, Im6, Im7, ImMenu, Im8, Im9,
  Im10, Im11, Im12, ImSelect, ImSelectIt, ImSelectCt, ImShot1, ImShot2, ImShot3, ImCt1, ImCt2,
  ImCt3, ImCt4, ImCTClear, Im13, ImLetters, ImTempLetter,
};

inline constexpr std::size_t kElementCount = static_cast<std::size_t>(Element::ImTempLetter) + 1;

// The design's name of `element` ("ImMenu").
std::string_view ElementName(Element element);

// The element that shows tile code `code` (Im0 … Im13), or nothing for a code without one.
std::optional<Element> TileElement(int code);

// The four places of the money counter, left to right.
inline constexpr std::array<Element, 4> kMoneyPlaces{Element::ImCt1, Element::ImCt2, Element::ImCt3,
                                                     Element::ImCt4};
// The three preview pictures of the main menu.
inline constexpr std::array<Element, 3> kShots{Element::ImShot1, Element::ImShot2, Element::ImShot3};
