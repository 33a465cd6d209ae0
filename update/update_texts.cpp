#include "update/update_texts.h"

namespace qb {

std::string DownloadProgressText(std::int64_t received, std::int64_t total) {
    std::string text = std::to_string(received);
    if (total >= 0) text += "/" + std::to_string(total);
    return text + "バイト";
}

}  // namespace qb
