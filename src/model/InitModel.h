#pragma once
// Resets the document and the state that goes with it, and brings the main window's controls
// in line: at start-up (mode 0), for a new document (mode 1) and right before a model file is
// read (mode 2). The building overview, the criteria edition, the method, the deterioration
// factor, the module and the options keep their values; a new document starts from the
// previous document's overview data.
#include <cstdint>

inline constexpr int InitStartup = 0;
inline constexpr int InitNewDocument = 1;
inline constexpr int InitBeforeLoad = 2;

void InitModel(int mode);
