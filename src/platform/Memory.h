#pragma once
// Large buffers of the program's own (the decoded text of an archive of a
// million lines, the index of its lines): their memory is asked for in huge
// pages where the system offers them, so that filling a buffer of hundreds of
// megabytes costs hundreds of page faults instead of tens of thousands.
#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// Advises the system that the whole 2 MB pages inside [begin, begin + size)
// are best backed by huge pages; a smaller buffer, or a system without them,
// is left as it is. Call it before the buffer is first written.
void preferHugePages(void* begin, size_t size);

// The lists of a large archive are made of many allocations of the C library's
// heap, which a system that gives huge pages only to memory that asks for
// them leaves in small pages. The C library asks for them when told so at the
// start of the process: the first thing `main` does is this, which then runs
// the program once more, with `argv`, told so. It returns in the process that
// goes on: the restarted one, where the programs it starts see the
// environment as it was; or the first, when there is nothing to gain or the
// restart cannot be made.
void heapInHugePages(char** argv);

// The C library's settings (GLIBC_TUNABLES, nullptr when unset) with its heap
// in huge pages; nullopt when they already say how the heap is paged.
std::optional<std::string> tunablesWithHugePages(const char* tunables);

}  // namespace platform
