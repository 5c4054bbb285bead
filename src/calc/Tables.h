#pragma once
// All constant and working tables of the diagnosis in one include.
#include "calc/LabelTables.h"
#include "calc/MethodTables.h"
#include "calc/WallElementTables.h"
