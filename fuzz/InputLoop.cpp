// Runs a fuzz target's checks without libFuzzer, so that the ordinary compiler and the test suite
// run them: every seed of a corpus folder, then inputs made from the seeds by small random edits
// (fixed random seed) until the given seconds have passed. A violated check aborts.
//   usage: TARGET CORPUS_FOLDER SECONDS

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Bytes that change how a line is read: separators, blanks, quotes, a code page 932 lead byte.
constexpr char kTelling[] = {'"', ',', ' ', '\t', '\r', '\n', '\x1a', '\x81', '\x40', '\x97'};

std::vector<std::string> Seeds(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> seeds;
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}

void Run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

// One to four edits: a telling byte put in or over a byte, a byte or a run taken out, or a piece
// of another seed put in.
std::string Edited(std::string input, const std::vector<std::string>& seeds, std::mt19937& random) {
    const auto below = [&random](std::size_t bound) {
        return bound == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, bound - 1)(random);
    };
    for (std::size_t edits = 1 + below(4); edits > 0; --edits) {
        const std::size_t at = below(input.size() + 1);
        const char telling = kTelling[below(std::size(kTelling))];
        switch (below(4)) {
            case 0:
                input.insert(input.begin() + static_cast<std::ptrdiff_t>(at), telling);
                break;
            case 1:
                if (at < input.size()) {
                    input[at] = telling;
                }
                break;
            case 2:
                input.erase(at, 1 + below(3));
                break;
            default: {
                const std::string& other = seeds[below(seeds.size())];
                const std::size_t from = below(other.size() + 1);
                input.insert(at, other.substr(from, 1 + below(8)));
            }
        }
    }
    return input;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER SECONDS\n", argv[0]);
        return 2;
    }
    const std::vector<std::string> seeds = Seeds(argv[1]);
    if (seeds.empty()) {
        std::fprintf(stderr, "no seeds in %s\n", argv[1]);
        return 2;
    }
    LLVMFuzzerInitialize(&argc, &argv);
    for (const std::string& seed : seeds) {
        Run(seed);
    }
    std::mt19937 random(20261208);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[2]));
    long runs = static_cast<long>(seeds.size());
    while (std::chrono::steady_clock::now() < end) {
        std::uniform_int_distribution<std::size_t> pick(0, seeds.size() - 1);
        Run(Edited(seeds[pick(random)], seeds, random));
        ++runs;
    }
    std::printf("%ld inputs checked\n", runs);
    return 0;
}
