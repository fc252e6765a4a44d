// operator delete for a program without exceptions: a virtual destructor
// names it (its deleting variant), and libstdc++'s would bring its unwind
// tables along. Objects of such programs live on the stack; this frees what
// operator new would have taken from malloc.
#include <stddef.h>
#include <stdlib.h>

void operator delete(void* p) noexcept { free(p); }

void operator delete(void* p, size_t) noexcept { free(p); }
