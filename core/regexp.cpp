// Placeholder until the PCRE2-backed adapter lands: every pattern is an error.
#include "core/regexp.h"

namespace qb {

struct CRegExp::Compiled {};

CRegExp::CRegExp() = default;
CRegExp::~CRegExp() = default;

void CRegExp::SetPattern(std::string_view sjisPattern) { m_pattern = sjisPattern; }
void CRegExp::SetIgnoreCase(bool ignoreCase) { m_ignoreCase = ignoreCase; }
void CRegExp::SetGlobal(bool global) { m_global = global; }

bool CRegExp::Test(std::string_view) {
    m_error = "regular expressions are not available";
    return false;
}

std::string CRegExp::Replace(std::string_view sjisSubject, std::string_view) {
    m_error = "regular expressions are not available";
    return std::string(sjisSubject);
}

}  // namespace qb
