#include "calc/Deterioration.h"

#include "model/Bounded.h"

void DeteriorationPointsFromSurvey(const DeteriorationSurveyRecord& s, int32_t (&existence)[13],
                                   int32_t (&deterioration)[13]) {
    // The overview dialog shows every yes/no answer as "yes" when its field is not 0 and stores
    // the points of the checked radio; a document read from a file gets the same points.
    auto item = [&](int i, int32_t answer, int32_t points) {
        existence[i] = points;
        deterioration[i] = answer != 0 ? points : 0;
    };
    item(0, s.roofDeteriorated, 2);
    item(1, s.gutterDeteriorated, 2);
    item(2, s.downpipeDeteriorated, 2);
    item(3, s.outerWallDeteriorated, 4);

    // Exposed frame: 0 none, 1 exposed and sound, anything else exposed and deteriorated.
    existence[4] = s.exposedFrame == 0 ? 0 : 2;
    deterioration[4] = (s.exposedFrame == 0 || s.exposedFrame == 1) ? 0 : 2;

    // Without a balcony its three items neither exist nor count.
    const bool balcony = s.balcony != 0;
    item(5, balcony ? s.balconyParapetDeteriorated : 0, balcony ? 1 : 0);
    item(6, balcony ? s.balconyJointDeteriorated : 0, balcony ? 1 : 0);
    item(7, balcony ? s.balconyDrainDeteriorated : 0, balcony ? 1 : 0);

    item(8, s.innerWallDeteriorated, 2);

    // Bathroom finish 0 tiles, 1 other; any other value is "no bathroom".
    const bool bathroom = s.bathFinish == 0 || s.bathFinish == 1;
    item(9, bathroom ? s.bathDeteriorated : 0, bathroom ? 2 : 0);

    item(10, s.floorDeteriorated, 2);
    item(11, s.corridorDeteriorated, 1);
    item(12, s.underfloorDeteriorated, 2);
}

double DeteriorationFactorFromPoints(const int32_t (&existence)[13],
                                     const int32_t (&deterioration)[13]) {
    long sumExistence = 0;
    long sumDeterioration = 0;
    for (int i = 0; i < 13; ++i) {
        sumExistence += existence[i];
        sumDeterioration += deterioration[i];
    }
    constexpr double Floor = 0.7;
    if (sumExistence < 1) return Floor;
    const double d = 1.0 - static_cast<double>(sumDeterioration) / sumExistence;
    return d < Floor ? Floor : d;
}

int32_t FoundationClassOf(const FoundationFloorSpecRecord& spec) {
    // As the overview dialog shows them: a type outside the list is its last entry (その他),
    // a crack or 足固め answer other than 0 is its second radio.
    const int32_t type = InRange(spec.foundationType, 4) ? spec.foundationType : 3;
    const bool crack = spec.foundationCrack != 0;
    const bool footBracing = spec.footBracing != 0;
    if (type == 0 && !crack) return 0;
    if ((type == 0 && crack) || type == 1 || (type == 2 && footBracing)) return 1;
    return 2;
}
