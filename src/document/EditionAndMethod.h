#pragma once
// The criteria edition and the diagnosis method as the program shows and switches them: the
// main window's two labels, the mode of its scenario panel, the test of the weight classes
// against the roof and wall classes, and what the overview dialog's OK does when it stores the
// edition (its notices, its questions about the four city-method settings). Plain C++: the
// main window and the dialog draw what these return, the core tests reach them.
#include "model/ColorRef.h"
#include "model/ModelHooks.h"

#include <cstdint>
#include <functional>
#include <optional>

// One of the main window's labels Ldousa (edition) and Lshinndan (method). The caption is
// UTF-8; no text colour means the window's text colour.
struct ModeLabel {
    const char* caption;
    ColorRef background;
    std::optional<ColorRef> text;
};

// The edition's label; the legacy 1 of older files, calculated as the 2004 edition, shows as it.
ModeLabel EditionLabelOf(int32_t edition);
// The method's label, in the colour of its radio on the overview dialog; a value outside the
// four methods shows as the last.
ModeLabel MethodLabelOf(int32_t method);

// The scenario panel names the roof and wall class (not the weight class) under the city
// edition or the legacy 1 with a precise method.
bool ScenarioPanelByRoofWall(int32_t edition, int32_t method);
// The colour of a scenario's radio and panel by its class in the panel's mode.
RgbColour ScenarioClassColour(int scenario);

// True when some scenario's weight class contradicts its roof and wall class: a light building
// with a heavy roof, or a heavier building with a light roof.
bool SpecsContradict(const int (&weightClass)[3], const int (&roofWallClass)[3]);

// Stores the edition chosen on the overview dialog (0, 2 or 4; anything else stores nothing)
// with its notices and questions, and switches the city-method settings through the main
// window's own boxes and radios. The consistency test is asked only when the edition changes
// (to the 2004 edition only while the city edition is offered).
void StoreCriteriaEdition(int chosen, const std::function<bool()>& specsContradict);
