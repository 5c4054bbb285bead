// Every core test starts from the program's start state, whatever ran before it.
#include "support/StartState.h"

namespace {
const bool installed = StartStateListener::Install();
} // namespace
