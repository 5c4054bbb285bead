// The main window's edition and method labels, the scenario panel's mode and the test of the
// weight classes against the roof and wall classes.
#include "overview/EditionAndMethod.h"

#include "model/Cp932.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(EditionAndMethod, LabelsOfEveryEditionAndMethod) {
    const std::optional<ColorRef> windowText;
    const struct {
        int32_t edition;
        const char* caption;
        ColorRef background;
        std::optional<ColorRef> text;
    } editions[] = {{0, "［全国版］", Rgb(255, 255, 0), windowText},
                    {1, "［全国版］", Rgb(255, 255, 0), windowText}, // older files
                    {2, "［vu版］", Rgb(0, 255, 255), windowText},
                    {4, "［改訂版］", Rgb(255, 0, 0), Rgb(255, 255, 255)}};
    for (const auto& e : editions) {
        const ModeLabel l = EditionLabelOf(e.edition);
        EXPECT_EQ(std::string(l.caption), e.caption);
        EXPECT_TRUE(cp932::fromUtf8(l.caption));
        EXPECT_EQ(l.background, e.background);
        EXPECT_EQ(l.text, e.text);
    }
    const struct {
        int32_t method;
        const char* caption;
        ColorRef background;
    } methods[] = {{0, "精密診断法1(略算)", Rgb(0, 255, 255)},
                   {1, "一般診断（精算）法", Rgb(255, 255, 0)},
                   {2, "一般診断（略算）法", Rgb(255, 128, 255)},
                   {3, "精密診断法1(簡易)", Rgb(255, 255, 255)},
                   {7, "精密診断法1(簡易)", Rgb(255, 255, 255)}};
    for (const auto& m : methods) {
        const ModeLabel l = MethodLabelOf(m.method);
        EXPECT_EQ(std::string(l.caption), m.caption);
        EXPECT_TRUE(cp932::fromUtf8(l.caption));
        EXPECT_EQ(l.background, m.background);
        EXPECT_FALSE(l.text.has_value());
    }
    // The roof and wall classes name the panel under the city edition (or the legacy 1) with a
    // precise method only.
    for (int32_t edition : {0, 1, 2, 4})
        for (int32_t method = 0; method < 4; ++method)
            EXPECT_EQ(ScenarioPanelByRoofWall(edition, method),
                      (edition == 1 || edition == 2) && (method == 0 || method == 3));
}

TEST(EditionAndMethod, SpecsContradictInAnyScenario) {
    EXPECT_TRUE(SpecsContradict({1, 1, 0}, {2, 2, 2})); // light, heavy roof: 改修案２ only
    EXPECT_TRUE(SpecsContradict({1, 1, 1}, {2, 1, 2})); // heavy, light roof and heavy walls
    EXPECT_FALSE(SpecsContradict({2, 2, 2}, {3, 3, 3}));
    EXPECT_FALSE(SpecsContradict({0, 0, 0}, {1, 0, 1}));
}

} // namespace
