#include "platform/linux/HeapMemory.h"

#include <malloc.h>

namespace HeapMemory {

void useOneArena() {
#ifdef __GLIBC__
    mallopt(M_ARENA_MAX, 1);
#endif
}

void returnFreePages() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

}  // namespace HeapMemory
