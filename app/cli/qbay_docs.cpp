// qbay_docs: writes qbay's man page or bash completion at build time, so that both come from
// the same tables as the program itself.
//   qbay_docs man VERSION FILE
//   qbay_docs bash FILE
#include <cstdio>
#include <string>
#include <string_view>

#include "app/cli/bash_completion.h"
#include "app/cli/man_page.h"

int main(int argc, char** argv) {
    const std::string_view what = argc > 1 ? argv[1] : "";
    std::string text;
    const char* path = nullptr;
    if (what == "man" && argc == 4) {
        text = qb::ManPageText(argv[2]);
        path = argv[3];
    } else if (what == "bash" && argc == 3) {
        text = qb::BashCompletionText();
        path = argv[2];
    } else {
        std::fputs("usage: qbay_docs man VERSION FILE | qbay_docs bash FILE\n", stderr);
        return 2;
    }
    std::FILE* out = std::fopen(path, "wb");
    const bool ok = out && std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (out && std::fclose(out) != 0) {
        std::perror(path);
        return 1;
    }
    if (!ok) {
        std::perror(path);
        return 1;
    }
    return 0;
}
