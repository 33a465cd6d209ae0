#include "update/xml_document.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "convert/code_detect.h"
#include "convert/cp932.h"
#include "update/xml_element.h"
#include "update/xml_scanner.h"

namespace qb {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view TrimBlanks(std::string_view s) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// The bytes of a file; false with errno set when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char buffer[65536];
    while (true) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            close(fd);
            errno = error;
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return true;
}

}  // namespace

std::string PrepareXmlText(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    bytes = TrimBlanks(bytes);
    // Only an XML declaration goes: a text that begins with its root element keeps it.
    if (bytes.starts_with("<?")) {
        const std::size_t gt = bytes.find('>');
        bytes = gt == std::string_view::npos ? std::string_view{} : bytes.substr(gt + 1);
        bytes = TrimBlanks(bytes);
    }
    if (IsValidUtf8(bytes)) return Utf8ToCp932(bytes);
    return std::string(bytes);
}

std::unique_ptr<CVXMLNode> CVXMLDocument::Clone() const {
    auto copy = std::make_unique<CVXMLDocument>();
    CloneChildrenInto(*copy);
    return copy;
}

void CVXMLDocument::AppendMarkup(std::string& out) const {
    out += "<?xml version=\"1.0\" encoding=\"utf-8\" ?>";
    AppendChildrenMarkup(out);
}

CVXMLElement* CVXMLDocument::DocumentElement() const {
    for (CVXMLNode* child : ChildNodes())
        if (child->NodeType() == XmlNodeType::Element) return static_cast<CVXMLElement*>(child);
    return nullptr;
}

bool CVXMLDocument::Load(const std::string& path, std::string* error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        if (error) *error = std::string(std::strerror(errno)) + "\n" + path;
        return false;
    }
    LoadText(bytes);
    return true;
}

void CVXMLDocument::LoadText(std::string_view bytes) {
    RemoveChildren();
    if (auto root = ScanXmlElement(PrepareXmlText(bytes))) AppendChild(std::move(root));
}

}  // namespace qb
