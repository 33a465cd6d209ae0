// The update feed's XML scanner: any bytes load without a crash or unbounded recursion, every
// byte of text comes from the input at most once, and a copy writes back the same markup.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "update/feed_item.h"
#include "update/xml_document.h"
#include "update/xml_element.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qb::CVXMLDocument doc;
    doc.LoadText(bytes);
    if (doc.Text().size() > size) std::abort();
    const std::string markup = doc.ToText();
    if (doc.Clone()->ToText() != markup) std::abort();
    for (const char* name : {"item", "a", "name"})
        (void)doc.GetElementsByTagName(name).ItemWithChildText("name", "Quillbay");
    (void)qb::FindFeedItem(doc, "Quillbay");
    doc.LoadText(markup);
    return 0;
}
