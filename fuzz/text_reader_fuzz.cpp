// The text-mode reader: any bytes, split in memory, read from memory and read through a file
// descriptor, give the same lines, none holding a line feed, none longer than the input. The
// reader from memory comes first, so that fuzzing spends its time in the reader.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qb::LineList fromMemory;
    qb::SplitTextModeLines(bytes, fromMemory);
    for (const auto& line : fromMemory)
        if (line.view().find('\n') != std::string_view::npos || line.size() > size) std::abort();

    qb::LineList fromReader;
    qb::TextLineReader memoryReader = qb::TextLineReader::FromBytes(bytes);
    qb::ReadAllLines(memoryReader, fromReader);
    if (fromReader != fromMemory) std::abort();
    // The descriptor now and then only: a file costs more than all the rest.
    if (size % 16 != 0) return 0;

    const int fd = memfd_create("qbay-fuzz", 0);
    if (fd < 0) return 0;
    if (write(fd, data, size) == static_cast<ssize_t>(size) && lseek(fd, 0, SEEK_SET) == 0) {
        qb::LineList fromFile;
        qb::TextLineReader reader = qb::TextLineReader::FromDescriptor(fd);
        qb::ReadAllLines(reader, fromFile);
        if (fromFile != fromMemory) std::abort();
    }
    close(fd);
    return 0;
}
