// Design unit: part of UnitSword (the internal error it names).
// Internal errors: cases that cannot occur in a sound program (an unknown sword
// kind, a full fixed table, a screen asked for more lines than it holds). They
// are programming errors, reported by naming the unit and the rule broken; the
// program's entry shows the report and ends.
#pragma once

#include <stdexcept>
#include <string>

// What an internal error raises: what() reads "internal error in <unit>: <what>".
class TInternalError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Raises TInternalError naming the unit and what went wrong.
[[noreturn]] void InternalError(const char* unit, const std::string& what);
