// The bash completion of qbay, made from the option table and the macro command names when qbay
// is built.
#pragma once

#include <string>

namespace qb {

// A bash script defining the completion of qbay: options; macro command names after -e, --exec,
// -h and --help; the fixed words of an option's value; macro files after -m and --record; files
// elsewhere.
std::string BashCompletionText();

}  // namespace qb
