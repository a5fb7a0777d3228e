// Runs a fuzz target once on stdin (as afl-fuzz feeds it), or once on each file named on the command
// line (replaying a corpus or the regression set). A crash, a sanitizer report or an abort is the
// failure; the target aborts when one of its invariants does not hold.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
void RunOne(std::istream& in) {
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A copy of exactly the input's size, so that a read beyond it is caught.
    std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(exact.empty() ? nullptr : exact.data(), exact.size());
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        RunOne(std::cin);
        return 0;
    }
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 2;
        }
        RunOne(in);
    }
    return 0;
}
