// Writes the sample pictures that a first start shows beside the program, into the folder named
// by the only argument. A picture that is already there is left alone: the user may have
// converted it, and a rebuild must not undo that.
#include "platform/failure.h"
#include "samples/sample_pictures.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_samples <folder>\n");
        return 2;
    }
    try {
        qv::samples::WriteMissingSamples(argv[1]);
    } catch (const qv::Failure &failure) {
        std::fprintf(stderr, "make_samples: %s\n", failure.what());
        return 1;
    }
    return 0;
}
