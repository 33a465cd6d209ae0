// Makes the installed key file from its text form (macro/key_table_text.h), at build time:
//   make_key_file TABLE.txt OUTPUT.key
// Fails, naming the line, when the table has a mistake, so that the build stops there.
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "macro/key_file.h"
#include "macro/key_table_text.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_key_file TABLE.txt OUTPUT.key\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const qb::KeyTableRead table = qb::ParseKeyTable(text);
    if (!table.ok) {
        std::cerr << argv[1] << ": " << table.error << '\n';
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << qb::KeyFileBytes(table.bindings);
    out.close();
    if (!out) {
        std::cerr << argv[2] << ": cannot be written\n";
        return 1;
    }
    return 0;
}
