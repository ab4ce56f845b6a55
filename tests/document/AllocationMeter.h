// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Counts the heap bytes the process holds, through the C allocator that
// operator new, Qt containers and everything else end in. Lets a test check
// that reading a damaged file never allocates far beyond the file's size.
// Off under AddressSanitizer, which owns the allocator then.
namespace allocmeter {
bool Enabled();
int64_t Current();
// Highest Current() since the last ResetPeak().
int64_t Peak();
void ResetPeak();
}  // namespace allocmeter
