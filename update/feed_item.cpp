#include "update/feed_item.h"

#include "convert/cp932.h"
#include "update/xml_document.h"
#include "update/xml_element.h"

namespace qb {
namespace {

// The text of the child element `name` in UTF-8 (the document holds Shift-JIS).
std::optional<std::string> ChildText(const CVXMLElement& item, std::string_view name) {
    const CVXMLElement* child = item.FirstChildElement(name);
    if (!child) return std::nullopt;
    return SjisToUtf8(child->Text());
}

}  // namespace

std::optional<FeedItem> FindFeedItem(const CVXMLDocument& feed, std::string_view productName) {
    const CVXMLElement* item =
        feed.GetElementsByTagName("item").ItemWithChildText("name", Utf8ToCp932(productName));
    if (!item) return std::nullopt;
    FeedItem found;
    found.link = ChildText(*item, "link");
    found.version = ChildText(*item, "version");
    found.description = ChildText(*item, "description");
    found.home = ChildText(*item, "home");
    if (const CVXMLElement* date = item->FirstChildElement("date"))
        found.date = ParseFeedDate(date->Text());
    return found;
}

}  // namespace qb
