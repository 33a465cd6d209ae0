// The scanner works on positions in the one text the root element is built from. Finding an
// element's end tag is the costly step: scanning forward from every start tag would take time
// quadratic in the text for a run of unclosed tags. So every start and end tag of the text is
// paired once, up front, the way the forward scan pairs them (each '</name>' closes the latest
// open '<name'); an element's end tag is its partner when that partner lies inside the content
// being parsed, which is exactly the tag a forward scan confined to that content would find.
#include "update/xml_scanner.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "update/xml_character_data.h"
#include "update/xml_document.h"

namespace qb {
namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kCommentOpen = "<!--";
constexpr std::string_view kCommentClose = "-->";
constexpr std::string_view kCDataOpen = "<![CDATA[";
constexpr std::string_view kCDataClose = "]]>";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The tag name a '<' at `lt` begins: the bytes after it up to '>', white space or the next '<'
// ('/' included, so an end tag's run is "/name" and '<link/>' gives "link/").
std::string_view TagRun(std::string_view text, std::size_t lt) {
    std::size_t end = lt + 1;
    while (end < text.size() && text[end] != '>' && text[end] != '<' && !IsBlank(text[end]))
        ++end;
    return text.substr(lt + 1, end - lt - 1);
}

// Pairs every start tag of the text with its end tag.
class EndTagIndex {
public:
    explicit EndTagIndex(std::string_view text) {
        std::unordered_map<std::string_view, std::vector<std::size_t>> open;
        std::size_t gt = 0;  // the first '>' after the current '<', found once per '>'
        for (std::size_t lt = text.find('<'); lt != npos; lt = text.find('<', lt + 1)) {
            const std::string_view run = TagRun(text, lt);
            const std::size_t after = lt + 1 + run.size();
            if (run.size() > 1 && run.front() == '/') {
                auto it = open.find(run.substr(1));
                if (after < text.size() && text[after] == '>' && it != open.end() &&
                    !it->second.empty()) {
                    m_match.emplace(it->second.back(), after + 1);
                    it->second.pop_back();
                }
                continue;
            }
            if (run.empty()) continue;
            if (gt != npos && gt <= lt) gt = text.find('>', lt + 1);
            // '<name .../>' opens nothing.
            if (gt != npos && text[gt - 1] == '/') continue;
            open[run].push_back(lt);
        }
    }

    // Just past the end tag of the element whose start tag begins at `lt`, or npos.
    std::size_t MatchEnd(std::size_t lt) const {
        auto it = m_match.find(lt);
        return it == m_match.end() ? npos : it->second;
    }

private:
    std::unordered_map<std::size_t, std::size_t> m_match;
};

class Scanner {
public:
    explicit Scanner(std::string_view text) : m_text(text), m_index(text) {}

    // The element whose source is [begin, end), `depth` elements deep (the root is 1).
    std::unique_ptr<CVXMLElement> Element(std::size_t begin, std::size_t end, int depth) {
        const std::string_view source = m_text.substr(begin, end - begin);
        std::size_t gt = source.find('>');
        std::string_view tag = source.substr(1, gt == npos ? npos : gt - 1);
        const std::size_t contentBegin = gt == npos ? source.size() : gt + 1;
        const bool empty = !tag.empty() && tag.back() == '/';
        if (empty) tag.remove_suffix(1);

        std::unique_ptr<CVXMLElement> element;
        if (tag.size() > 2 && tag.front() == '%' && tag.back() == '%') {
            element = std::make_unique<CVXMLElement>(Trim(tag.substr(1, tag.size() - 2)));
            element->SetScriptBlock(true);
        } else {
            std::size_t nameEnd = 0;
            while (nameEnd < tag.size() && !IsBlank(tag[nameEnd]))
                ++nameEnd;
            element = std::make_unique<CVXMLElement>(tag.substr(0, nameEnd));
            ReadAttributes(tag.substr(nameEnd), *element);
        }
        element->SetEmptyElement(empty);

        const std::string endTag = "</" + element->NodeName() + ">";
        if (source.size() >= contentBegin + endTag.size() && source.ends_with(endTag)) {
            const std::size_t contentEnd = source.size() - endTag.size();
            if (depth < kMaxXmlDepth)
                Content(begin + contentBegin, begin + contentEnd, *element, depth);
            else if (contentEnd > contentBegin)
                element->AppendChild(std::make_unique<CVXMLTextNode>(
                    source.substr(contentBegin, contentEnd - contentBegin)));
        }
        return element;
    }

private:
    // name="value", name='value', name=value or a bare name, separated by white space.
    static void ReadAttributes(std::string_view rest, CVXMLElement& element) {
        std::size_t i = 0;
        while (true) {
            while (i < rest.size() && IsBlank(rest[i]))
                ++i;
            if (i == rest.size()) return;
            const std::size_t nameBegin = i;
            while (i < rest.size() && !IsBlank(rest[i]) && rest[i] != '=' && rest[i] != '>')
                ++i;
            const std::string_view name = rest.substr(nameBegin, i - nameBegin);
            if (i == rest.size() || rest[i] != '=') {
                element.AddAttribute(name, {});
                if (i < rest.size() && rest[i] == '>') ++i;  // only in a tag cut short
                continue;
            }
            ++i;  // '='
            std::size_t valueBegin = i;
            std::size_t valueEnd;
            if (i < rest.size() && (rest[i] == '"' || rest[i] == '\'')) {
                valueBegin = i + 1;
                valueEnd = rest.find(rest[i], valueBegin);
                if (valueEnd == npos) valueEnd = rest.size();
                i = valueEnd == rest.size() ? valueEnd : valueEnd + 1;
            } else {
                while (i < rest.size() && !IsBlank(rest[i]) && rest[i] != '>')
                    ++i;
                valueEnd = i;
            }
            element.AddAttribute(name, rest.substr(valueBegin, valueEnd - valueBegin));
        }
    }

    // Parses [begin, end) as the content of `parent`, which is `depth` elements deep. An
    // unterminated comment or CDATA section ends it.
    void Content(std::size_t begin, std::size_t end, CVXMLElement& parent, int depth) {
        std::size_t pos = begin;
        while (pos < end) {
            const std::string_view rest = m_text.substr(pos, end - pos);
            const std::size_t lt = rest.find('<');
            if (lt == npos) {
                parent.AppendChild(std::make_unique<CVXMLTextNode>(rest));
                return;
            }
            if (lt > 0) {
                parent.AppendChild(std::make_unique<CVXMLTextNode>(rest.substr(0, lt)));
                pos += lt;
                continue;
            }
            if (rest.starts_with(kCommentOpen) && rest.size() >= 7) {
                const std::size_t close = rest.find(kCommentClose, kCommentOpen.size());
                if (close == npos) return;
                parent.AppendChild(std::make_unique<CVXMLComment>(
                    rest.substr(kCommentOpen.size(), close - kCommentOpen.size())));
                pos += close + kCommentClose.size();
                continue;
            }
            if (rest.starts_with(kCDataOpen) && rest.size() >= 12) {
                const std::size_t close = rest.find(kCDataClose, kCDataOpen.size());
                if (close == npos) return;
                parent.AppendChild(std::make_unique<CVXMLCDATASection>(
                    rest.substr(kCDataOpen.size(), close - kCDataOpen.size())));
                pos += close + kCDataClose.size();
                continue;
            }
            std::size_t sourceEnd = m_index.MatchEnd(pos);
            if (sourceEnd == npos || sourceEnd > end) {
                const std::size_t gt = rest.find('>');
                sourceEnd = gt == npos ? end : pos + gt + 1;
            }
            parent.AppendChild(Element(pos, sourceEnd, depth + 1));
            pos = sourceEnd;
        }
    }

    std::string_view m_text;
    EndTagIndex m_index;
};

}  // namespace

std::unique_ptr<CVXMLElement> ScanXmlElement(std::string_view source) {
    const std::size_t lt = source.find('<');
    if (lt == npos) return nullptr;
    source.remove_prefix(lt);
    Scanner scanner(source);
    return scanner.Element(0, source.size(), 1);
}

}  // namespace qb
