#pragma once
// How the overview dialog turns some fields into what its controls show and back, where a
// field is not simply a text, a number or an index: the snow term behind the depth list, the
// zone factor behind its list, the owner's postcode sharing its field with the address, and the
// ground class made of the ground answer and the soft-ground box. Plain C++, so the core tests
// reach it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The depth list: item 0 "無し（1.0ｍ未満）", items 1 to 11 the depths 1.0 m to 2.0 m.
inline constexpr int SnowItemCount = 12;
// The term the item stores: 0, or 0.26 times the item's depth.
double SnowTermOfItem(int item);
// The item a stored term shows, -1 for a term no item gives (kept by an OK that leaves the
// list alone, never turned into another item's term).
int SnowItemOfTerm(double term);

// The zone list's values, by item.
inline constexpr int ZoneItemCount = 5;
inline constexpr double ZoneFactors[ZoneItemCount] = {1.2, 1.0, 0.9, 0.8, 0.7};
// The item whose value equals the factor exactly, -1 for none.
int ZoneItemOf(double factor);

// The owner's address field holds the postcode in its first bytes and the address from there.
inline constexpr std::size_t PostcodeBytes = 8;
struct OwnerAddressParts {
    std::string postcode; // CP932, its padding blanks removed
    std::string address;  // CP932
};
// The postcode is the field's first 8 bytes (fewer when a double-byte character would be cut),
// the address the rest.
OwnerAddressParts SplitOwnerAddress(std::string_view field);
// The postcode cut to 8 bytes on a character boundary and padded with blanks to 8, so that the
// address starts at byte 8 where the application forms print it, then the address.
std::string JoinOwnerAddress(std::string_view postcode, std::string_view address);

// The ground class: the checked ground answer (0 good, 1 normal, 2 poor; anything else, as no
// radio checked, is stored as poor) plus 8 for markedly soft ground.
int32_t ComposeGroundClass(int groundAnswer, bool markedlySoft);
// The ground answer a stored class holds (its value mod 8, never negative) and its soft flag.
int GroundAnswerOf(int32_t groundClass);
bool MarkedlySoftGround(int32_t groundClass);
