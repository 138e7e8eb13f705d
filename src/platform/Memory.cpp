#include "platform/Memory.h"

#include <sys/mman.h>

#include <cstdint>

namespace platform {

void preferHugePages(void* begin, size_t size) {
  constexpr uintptr_t kPagina = uintptr_t{2} << 20;
  const uintptr_t inizio = reinterpret_cast<uintptr_t>(begin);
  const uintptr_t primo = (inizio + kPagina - 1) & ~(kPagina - 1);
  const uintptr_t fine = (inizio + size) & ~(kPagina - 1);
  // Only advice: where it is refused, the buffer works as before.
  if (fine > primo) ::madvise(reinterpret_cast<void*>(primo), fine - primo, MADV_HUGEPAGE);
}

}  // namespace platform
