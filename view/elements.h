#pragma once
// Every picture element of the window, bottom to top: the table's order is the stacking order.
// The design's names are the elements' display names (the headless driver's dump).
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "view/design_scale.h"

// One row per element: its name; its picture in the assets folder (nullptr: an empty picture);
// its design size; whether it is visible at start, stretched, see-through (the picture's
// bottom-left colour), and sized by its picture.
#define QUILLMERE_PICTURE_ELEMENTS(X)                                                          \
  X(ImMenuShop, "ImMenuShop.jpg", 220, 320, false, false, false, true)                         \
  X(ImSelectSP, "ImSelectSP.bmp", 80, 40, false, false, true, true)                            \
  X(ImScore, "ImScore.bmp", kDesignWidth, kDesignHeight, false, true, false, false)            \
  X(Im2, "Im2.bmp", 36, 36, false, false, false, false)                                        \
  X(Im1, "Im1.bmp", 36, 36, false, false, false, false)                                        \
  X(Im4, "Im4.bmp", 36, 36, false, false, false, false)                                        \
  X(Im3, "Im3.bmp", 36, 36, false, false, false, false)                                        \
  X(Im0, "Im0.bmp", 36, 36, false, false, false, false)                                        \
  X(Im5, "Im5.bmp", 36, 36, false, false, false, false)                                        \
  X(Im6, "Im6.bmp", 36, 36, false, false, false, false)                                        \
  X(Im7, "Im7.bmp", 36, 36, false, false, false, false)                                        \
  X(ImMenu, "ImMenu.jpg", kDesignWidth, kDesignHeight, true, true, false, false)               \
  X(Im8, "Im8.bmp", 36, 36, false, false, false, false)                                        \
  X(Im9, "Im9.bmp", 36, 36, false, false, false, false)                                        \
  X(Im10, "Im10.bmp", 36, 36, false, false, false, false)                                      \
  X(Im11, "Im11.bmp", 36, 36, false, false, false, false)                                      \
  X(Im12, "Im12.bmp", 36, 36, false, false, false, false)                                      \
  X(ImSelect, "ImSelect.bmp", 162, 41, true, true, true, false)                                \
  X(ImSelectIt, "ImSelectIt.bmp", 40, 40, true, false, true, true)                             \
  X(ImSelectCt, "ImSelectCt.bmp", 40, 40, true, false, true, true)                             \
  X(ImShot1, "ImShot1.jpg", 280, 210, false, true, false, false)                               \
  X(ImShot2, "ImShot2.jpg", 275, 210, false, true, false, false)                               \
  X(ImShot3, "ImShot3.jpg", 280, 210, false, true, false, false)                               \
  X(ImCt1, "ImCt.bmp", 26, 39, false, false, true, true)                                       \
  X(ImCt2, "ImCt.bmp", 26, 39, false, false, true, true)                                       \
  X(ImCt3, "ImCt.bmp", 26, 39, false, false, true, true)                                       \
  X(ImCt4, "ImCt.bmp", 26, 39, false, false, true, true)                                       \
  X(ImCTClear, nullptr, 26, 39, false, false, true, true)                                      \
  X(Im13, "Im13.bmp", 36, 36, false, false, false, false)                                      \
  X(ImLetters, "ImLetters.bmp", 4300, 31, false, false, true, false)                           \
  X(ImTempLetter, nullptr, 0, 0, false, false, true, false)

#define QUILLMERE_ELEMENT_ID(name, ...) name,
enum class Element : std::uint8_t { QUILLMERE_PICTURE_ELEMENTS(QUILLMERE_ELEMENT_ID) };
#undef QUILLMERE_ELEMENT_ID

struct CatalogueEntry {
  Element id;
  std::string_view name;  // the design's name ("ImMenu")
  const char* file;       // in the assets folder; nullptr for an element with an empty picture
  int width;              // design size
  int height;
  bool visible;
  bool stretch;
  bool transparent;
  bool autoSize;
};

#define QUILLMERE_CATALOGUE_ENTRY(name, ...) CatalogueEntry{Element::name, #name, __VA_ARGS__},
// The elements bottom to top, each at the index of its id.
inline constexpr std::array kCatalogue{QUILLMERE_PICTURE_ELEMENTS(QUILLMERE_CATALOGUE_ENTRY)};
#undef QUILLMERE_CATALOGUE_ENTRY

inline constexpr std::size_t kElementCount = kCatalogue.size();

// The catalogue's entry of `element`.
constexpr const CatalogueEntry& CatalogueEntryOf(Element element) {
  return kCatalogue[static_cast<std::size_t>(element)];
}

// The design's name of `element` ("ImMenu").
constexpr std::string_view ElementName(Element element) { return CatalogueEntryOf(element).name; }

// The element that shows tile code `code` (Im0 … Im13), or nothing for a code without one.
std::optional<Element> TileElement(int code);

// The four places of the money counter, left to right.
inline constexpr std::array<Element, 4> kMoneyPlaces{Element::ImCt1, Element::ImCt2, Element::ImCt3,
                                                     Element::ImCt4};
// The three preview pictures of the main menu.
inline constexpr std::array<Element, 3> kShots{Element::ImShot1, Element::ImShot2, Element::ImShot3};
