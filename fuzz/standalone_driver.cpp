// Runs a libFuzzer target without libFuzzer: over the files named on the command line (a folder
// stands for the files in it, a corpus), then over --runs=N inputs made from them by seeded
// changes (--seed=S): bytes changed, put in, taken out or repeated, the input cut short, two
// inputs joined. With no files the inputs are random. Random bytes lean towards the bytes this
// program cares about (Shift-JIS lead and trail bytes, escapes, CR, LF, digits, spaces), so a
// short run still reaches the interesting branches; a corpus takes the changes past the checks
// of a file's structure, which random bytes seldom pass.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::uint8_t kInteresting[] = {
    0x00, 0x0A, 0x0D, 0x1A, 0x1B, 0x20, 0x24, 0x28, 0x42, 0x40, 0x4A, 0x49, 0x5C, 0x2B,
    0x2D, 0x3D, 0x25, 0x3F, 0x30, 0x39, 0x81, 0x82, 0x83, 0x8E, 0x9F, 0xA1, 0xB6, 0xDE,
    0xDF, 0xE0, 0xEF, 0xFC, 0xFD, 0xFF, 0x7F, 0x80, 0xA4, 0xC3, 0x5B, 0x5D, 0x28, 0x29};

std::uint8_t SomeByte(std::mt19937& rng) {
    return rng() % 2 == 0 ? kInteresting[rng() % sizeof kInteresting]
                          : static_cast<std::uint8_t>(rng());
}

Bytes RandomInput(std::mt19937& rng) {
    std::uniform_int_distribution<int> lengthDist(0, 300);
    std::uniform_int_distribution<int> byteDist(0, 255);
    std::uniform_int_distribution<int> pick(0, sizeof kInteresting - 1);
    Bytes input(static_cast<std::size_t>(lengthDist(rng)));
    const bool favourInteresting = rng() % 2 == 0;
    for (auto& b : input)
        b = favourInteresting && rng() % 3 != 0 ? kInteresting[pick(rng)]
                                                : static_cast<std::uint8_t>(byteDist(rng));
    return input;
}

// `input` changed in one to four places.
Bytes Changed(Bytes input, const std::vector<Bytes>& corpus, std::mt19937& rng) {
    for (int n = 1 + static_cast<int>(rng() % 4); n > 0; --n) {
        const std::size_t size = input.size();
        const std::size_t at = size == 0 ? 0 : rng() % size;
        const std::size_t span = size == 0 ? 0 : 1 + rng() % std::min<std::size_t>(size - at, 8);
        switch (rng() % 6) {
            case 0:  // change a byte
                if (size > 0) input[at] = SomeByte(rng);
                break;
            case 1:  // put a byte in
                input.insert(input.begin() + static_cast<long>(at), SomeByte(rng));
                break;
            case 2:  // take bytes out
                input.erase(input.begin() + static_cast<long>(at),
                            input.begin() + static_cast<long>(at + span));
                break;
            case 3: {  // repeat bytes
                const Bytes piece(input.begin() + static_cast<long>(at),
                                  input.begin() + static_cast<long>(at + span));
                input.insert(input.begin() + static_cast<long>(at), piece.begin(), piece.end());
                break;
            }
            case 4:  // cut short
                input.resize(at);
                break;
            default: {  // the start of this one, the end of another
                const Bytes& other = corpus[rng() % corpus.size()];
                const std::size_t from = other.empty() ? 0 : rng() % other.size();
                input.resize(at);
                input.insert(input.end(), other.begin() + static_cast<long>(from), other.end());
            }
        }
    }
    return input;
}

Bytes ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), {});
}

}  // namespace

int main(int argc, char** argv) {
    long runs = 1000;
    unsigned seed = 12345;
    std::vector<Bytes> corpus;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--runs=", 7) == 0) {
            runs = std::atol(argv[i] + 7);
        } else if (std::strncmp(argv[i], "--seed=", 7) == 0) {
            seed = static_cast<unsigned>(std::atol(argv[i] + 7));
        } else if (std::filesystem::is_directory(argv[i])) {
            std::vector<std::filesystem::path> paths;
            for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
                paths.push_back(entry.path());
            std::sort(paths.begin(), paths.end());  // the same runs from the same seed
            for (const auto& path : paths)
                corpus.push_back(ReadAll(path));
        } else {
            corpus.push_back(ReadAll(argv[i]));
        }
    }
    for (const Bytes& input : corpus)
        LLVMFuzzerTestOneInput(input.data(), input.size());
    std::mt19937 rng(seed);
    for (long n = 0; n < runs; ++n) {
        const Bytes input =
            corpus.empty() ? RandomInput(rng) : Changed(corpus[rng() % corpus.size()], corpus, rng);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%zu inputs of the corpus and %ld %s inputs ran\n", corpus.size(), runs,
                corpus.empty() ? "random" : "changed");
    return 0;
}
