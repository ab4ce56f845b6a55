// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The readers that take bytes from outside the program, as fuzz targets.
// Each target writes its input where the program would find such a file,
// runs the program's own reading code on it and checks what must hold for
// any input: no crash, no unbounded growth, and what reads back writes and
// reads again identically. The same functions run under libFuzzer (fuzz/)
// and replay the kept corpora in the test suite.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fuzzing {

using Target = int (*)(const uint8_t* data, size_t size);

struct NamedTarget {
    const char* name;
    Target run;
};

// location, qlt, jpeg, bitmap, settings, gpx, jpegbudget, georef.
const std::vector<NamedTarget>& Targets();
Target Find(const std::string& name);

// Once per process, before the first input: offscreen Qt (unless an
// application exists already), a private home and settings file, a work
// folder holding small stand-ins for the images the seed files name, and
// image limits low enough that inputs explore the decoders rather than the
// allocator.
void Init();

// Called when an invariant does not hold; aborts unless replaced (the test
// suite records a failure instead).
void SetFailureHandler(std::function<void(const std::string&)> handler);

// Where the seed files are written (the seeds subcommand of the drivers).
void WriteSeeds(const std::string& target, const std::string& folder);

}  // namespace fuzzing
