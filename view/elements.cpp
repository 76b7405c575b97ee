#include "view/elements.h"

namespace {

constexpr std::array<Element, 14> kTileElements{
    Element::Im0, Element::Im1, Element::Im2,  Element::Im3,  Element::Im4,  Element::Im5,  Element::Im6,
    Element::Im7, Element::Im8, Element::Im9, Element::Im10, Element::Im11, Element::Im12, Element::Im13,
};

}  // namespace

std::optional<Element> TileElement(int code) {
  if (code < 0 || code >= static_cast<int>(kTileElements.size())) return std::nullopt;
  return kTileElements[static_cast<std::size_t>(code)];
}
