#pragma once
// What one click of a plan input leaves behind on scenario 0, as the input tests check it.
#include "model/Slots.h"
#include "support/HouseBuilder.h"

#include <string>

#include <gtest/gtest.h>

// A click that changes nothing (`after` empty) leaves every byte of the slot as it was
// (`slotBefore`, its WholeSlot(0) taken before the click) and takes no undo snapshot. One that
// changes something leaves the plan `after`, and one undo step, the only one, brings back the
// plan `before`. `plan` writes scenario 0's plan as the test reads it.
template <typename PlanText>
void ExpectUndoableClick(PlanText plan, const std::string& before, const std::string& slotBefore,
                         const char* after) {
    if (*after == '\0') {
        EXPECT_EQ(WholeSlot(0), slotBefore);
        EXPECT_FALSE(CanUndo());
        return;
    }
    EXPECT_EQ(plan(), after);
    ASSERT_TRUE(UndoStep());
    EXPECT_EQ(plan(), before);
    EXPECT_FALSE(CanUndo());
}
