// Whether two paths name one file, for the checks that keep qbay from writing over what it reads.
#pragma once

#include <string>

namespace qb {

// True for the same existing file under any name (links included), or the same path for a
// file not made yet.
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace qb
