#include "model/ModelHooks.h"

namespace {
ModelHooks silent;
ModelHooks* current = &silent;
} // namespace

ModelHooks& Hooks() {
    return *current;
}

void SetModelHooks(ModelHooks* hooks) {
    current = hooks ? hooks : &silent;
}
