#include "rules/InternalError.h"

void InternalError(const char* unit, const std::string& what) {
  throw TInternalError(std::string("internal error in ") + unit + ": " + what);
}
