#include "model/AppState.h"
#include "model/Model.h"

#include <memory>

namespace {
// Far too large for the stack of any caller, and zero at start as the tables of the method
// expect.
std::unique_ptr<Document> theDocument = std::make_unique<Document>();
} // namespace

Document& Doc = *theDocument;
AppState App;
