#include "view/elements.h"

namespace {

constexpr std::array<std::string_view, kElementCount> kNames{
    "ImMenuShop", "ImSelectSP", "ImScore", "Im2", "Im1", "Im4", "Im3", "Im0", "Im5", "Im6", "Im7",
    "ImMenu", "Im8", "Im9", "Im10", "Im11", "Im12", "ImSelect", "ImSelectIt", "ImSelectCt",
    "ImShot1", "ImShot2", "ImShot3", "ImCt1", "ImCt2", "ImCt3", "ImCt4", "ImCTClear", "Im13",
    "ImLetters", "ImTempLetter",
};

constexpr std::array<Element, 14> kTileElements{
    Element::Im0, Element::Im1, Element::Im2,  Element::Im3,  Element::Im4,  Element::Im5,  Element::Im6,
    Element::Im7, Element::Im8, Element::Im9, Element::Im10, Element::Im11, Element::Im12, Element::Im13,
};

}  // namespace

std::string_view ElementName(Element element) { return kNames[static_cast<std::size_t>(element)]; }

std::optional<Element> TileElement(int code) {
  if (code < 0 || code >= static_cast<int>(kTileElements.size())) return std::nullopt;
  return kTileElements[static_cast<std::size_t>(code)];
}
