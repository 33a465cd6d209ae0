// Runs a libFuzzer target without libFuzzer: over the files named on the command line, or over
// seeded random inputs (--runs=N, --seed=S). The inputs lean towards the bytes this program
// cares about (Shift-JIS lead and trail bytes, escapes, CR, LF, digits, spaces), so a short run
// still reaches the interesting branches.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::uint8_t> RandomInput(std::mt19937& rng) {
    static const std::uint8_t kInteresting[] = {
        0x00, 0x0A, 0x0D, 0x1A, 0x1B, 0x20, 0x24, 0x28, 0x42, 0x40, 0x4A, 0x49, 0x5C, 0x2B,
        0x2D, 0x3D, 0x25, 0x3F, 0x30, 0x39, 0x81, 0x82, 0x83, 0x8E, 0x9F, 0xA1, 0xB6, 0xDE,
        0xDF, 0xE0, 0xEF, 0xFC, 0xFD, 0xFF, 0x7F, 0x80, 0xA4, 0xC3, 0x5B, 0x5D, 0x28, 0x29};
    std::uniform_int_distribution<int> lengthDist(0, 300);
    std::uniform_int_distribution<int> byteDist(0, 255);
    std::uniform_int_distribution<int> pick(0, sizeof kInteresting - 1);
    std::vector<std::uint8_t> input(static_cast<std::size_t>(lengthDist(rng)));
    const bool favourInteresting = rng() % 2 == 0;
    for (auto& b : input)
        b = favourInteresting && rng() % 3 != 0 ? kInteresting[pick(rng)]
                                                : static_cast<std::uint8_t>(byteDist(rng));
    return input;
}

}  // namespace

int main(int argc, char** argv) {
    long runs = 1000;
    unsigned seed = 12345;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--runs=", 7) == 0)
            runs = std::atol(argv[i] + 7);
        else if (std::strncmp(argv[i], "--seed=", 7) == 0)
            seed = static_cast<unsigned>(std::atol(argv[i] + 7));
        else
            files.emplace_back(argv[i]);
    }
    for (const auto& path : files) {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), {});
        LLVMFuzzerTestOneInput(data.data(), data.size());
    }
    if (files.empty()) {
        std::mt19937 rng(seed);
        for (long n = 0; n < runs; ++n) {
            const auto data = RandomInput(rng);
            LLVMFuzzerTestOneInput(data.data(), data.size());
        }
        std::printf("%ld random inputs ran\n", runs);
    }
    return 0;
}
