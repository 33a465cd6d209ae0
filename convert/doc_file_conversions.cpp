// The conversions that run when a file is opened or turned into a new document.
// Until the character-code conversions exist, files are taken as they are read.
#include "core/quillbay_doc.h"

namespace qb {

void CQuillbayDoc::ConvertCodeOnOpen() {}

void CQuillbayDoc::NewFromFileAsMime(const std::string&) {}

void CQuillbayDoc::NewFromUnicodeFile(const std::string&) {}

}  // namespace qb
