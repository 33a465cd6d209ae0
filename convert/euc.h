// EUC-JP <-> Shift-JIS.
#pragma once

#include <string>
#include <string_view>

namespace qb {

[[nodiscard]] std::string EucToSjisLine(std::string_view line);
[[nodiscard]] std::string SjisToEucLine(std::string_view line);

}  // namespace qb
