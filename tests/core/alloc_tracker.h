// Records the largest single request made to the global operator new, so that a test can show
// that reading a file allocates nothing for records the file cannot hold.
#pragma once

#include <cstddef>

namespace alloc_tracker {

// Forgets earlier requests.
void reset();

// The largest size asked of operator new since the last reset.
std::size_t largest();

} // namespace alloc_tracker
