// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed files of a fuzz target into a folder:
//   fuzz_seeds TARGET FOLDER
#include <cstdio>
#include <string>

#include "FuzzTargets.h"

int main(int argc, char** argv) {
    if (argc != 3 || !fuzzing::Find(argv[1])) {
        std::fprintf(stderr, "usage: fuzz_seeds location|qlt|jpeg|bitmap|settings|gpx FOLDER\n");
        return 64;
    }
    fuzzing::WriteSeeds(argv[1], argv[2]);
    return 0;
}
