// Runs a fuzz target on what afl-fuzz feeds it, or once on each file named on the command line
// (replaying a corpus or the regression set). A crash, a sanitizer report or an abort is the failure;
// the target aborts when one of its invariants does not hold.
//
// Built by afl-clang-fast++ (the campaign build of tools/fuzz), the program stays alive under afl-fuzz
// for many inputs (persistent mode, input in shared memory): a process forked per input ran a few
// hundred inputs a second. The targets keep no state from one input to the next, so this does not
// change what an input does.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include <unistd.h>  // read(), used by the persistent-mode input macros

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
// A copy of exactly the input's size, so that a read beyond it is caught.
void RunOne(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> exact(data, data + size);
    LLVMFuzzerTestOneInput(exact.empty() ? nullptr : exact.data(), exact.size());
}

void RunOne(std::istream& in) {
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    RunOne(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}
}  // namespace

// AFL++'s GCC mode (afl-g++) defines the persistent-mode macros too but links no runtime for them;
// only its clang mode has that runtime.
#if defined(__AFL_FUZZ_TESTCASE_LEN) && defined(__clang__)
#define LINK_FUZZ_PERSISTENT 1
__AFL_FUZZ_INIT();
#endif

int main(int argc, char** argv) {
    if (argc < 2) {
#ifdef LINK_FUZZ_PERSISTENT
        const unsigned char* input = __AFL_FUZZ_TESTCASE_BUF;
        while (__AFL_LOOP(10000)) RunOne(input, static_cast<std::size_t>(__AFL_FUZZ_TESTCASE_LEN));
#else
        RunOne(std::cin);
#endif
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
