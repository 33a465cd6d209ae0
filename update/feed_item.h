// The update feed's entry for one product.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "update/calendar_date.h"

namespace qb {

class CVXMLDocument;

// What an "item" of the feed says; a child the item lacks is nullopt. Texts are UTF-8.
struct FeedItem {
    std::optional<std::string> link;
    std::optional<std::string> version;
    std::optional<std::string> description;
    std::optional<std::string> home;
    std::optional<CalendarDate> date;  // only when "date" names a valid date
};

// The first "item" element (at any depth) whose "name" child holds exactly `productName`
// (UTF-8), or nullopt when the feed has none.
[[nodiscard]] std::optional<FeedItem> FindFeedItem(const CVXMLDocument& feed,
                                                   std::string_view productName);

}  // namespace qb
