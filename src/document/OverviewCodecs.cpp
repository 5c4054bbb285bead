#include "document/OverviewCodecs.h"

#include "model/Cp932.h"

#include <cmath>

double SnowTermOfItem(int item) {
    if (item <= 0) return 0.0;
    return (item - 1) * 0.1 * 0.26 + 0.26;
}

int SnowItemOfTerm(double term) {
    if (term == 0.0) return 0;
    // The 0.001 carries terms a hair below their item's value (0.26 x 1.3 = 0.33799...) to it.
    const double step = (term - 0.26) * 10 / 0.26 + 0.001;
    if (!(step > -1.0 && step < SnowItemCount - 1)) return -1; // also NaN
    return int(std::trunc(step)) + 1;
}

int ZoneItemOf(double factor) {
    for (int i = 0; i < ZoneItemCount; ++i)
        if (factor == ZoneFactors[i]) return i;
    return -1;
}

OwnerAddressParts SplitOwnerAddress(std::string_view field) {
    const std::size_t cut = cp932::prefixOnBoundary(field, PostcodeBytes);
    std::string_view postcode = field.substr(0, cut);
    while (!postcode.empty() && postcode.back() == ' ') postcode.remove_suffix(1);
    return {std::string(postcode), std::string(field.substr(cut))};
}

std::string JoinOwnerAddress(std::string_view postcode, std::string_view address) {
    std::string field(postcode.substr(0, cp932::prefixOnBoundary(postcode, PostcodeBytes)));
    field.resize(PostcodeBytes, ' ');
    field += address;
    return field;
}

int32_t ComposeGroundClass(int groundAnswer, bool markedlySoft) {
    int32_t groundClass = 2;
    if (groundAnswer >= 0 && groundAnswer <= 2) groundClass = groundAnswer;
    if (markedlySoft) groundClass += 8;
    return groundClass;
}

int GroundAnswerOf(int32_t groundClass) {
    return ((groundClass % 8) + 8) % 8;
}

bool MarkedlySoftGround(int32_t groundClass) {
    return groundClass / 8 == 1;
}
