#pragma once
// Large buffers of the program's own (the decoded text of an archive of a
// million lines, the index of its lines): their memory is asked for in huge
// pages where the system offers them, so that filling a buffer of hundreds of
// megabytes costs hundreds of page faults instead of tens of thousands.
#include <cstddef>

namespace platform {

// Advises the system that the whole 2 MB pages inside [begin, begin + size)
// are best backed by huge pages; a smaller buffer, or a system without them,
// is left as it is. Call it before the buffer is first written.
void preferHugePages(void* begin, size_t size);

}  // namespace platform
