// Design unit: FuzzOutcomes (what the text parsers may answer).
// The roster and the story script end every input in success or in one of
// the faults they were written to report; anything else is a finding. The
// fuzz harnesses and the suite's mutation tests judge their answers here.
#pragma once

#include <string>

// "" when `fault` (cp932) is one the roster writes: a whole-file fault, the
// file reader's own error, or a message with its line number and at most 256
// bytes of the line, then "…". Otherwise what is wrong with it.
std::string RosterFaultProblem(const std::string& fault);

// True when `result` (cp932) is the script's success or one of its errors.
bool KnownScriptResult(const std::string& result);
