// The C++ exception runtime's memory and per-thread state for the shipped
// programs, in place of libstdc++'s: they run one thread, and an exception
// object is one malloc. libstdc++'s versions add an emergency pool made at
// start-up, thread-local storage and thread support (about 6 KB).
//
// These definitions are linked as an object, ahead of libstdc++, so should
// anything pull libstdc++'s eh_alloc.o or eh_globals.o in again (say, through
// std::rethrow_exception), the link fails with duplicate definitions instead
// of keeping two allocators.
#include <stdlib.h>
#include <string.h>
#include <exception>

namespace {

// Room for libstdc++'s header in front of the thrown object (its
// __cxa_refcounted_exception: 96 bytes with GCC 12 on i686; x86_64's, with
// SEH unwinding, takes 160, more than this). libstdc++ finds the header by
// subtracting its own size, so more room is harmless; a multiple of 16 keeps
// the object aligned as malloc aligns the block. runtime_check
// (tests/runtime) measures the header with libstdc++'s own code and fails
// when it does not fit.
const size_t kHeaderRoom = 128;

// The Itanium C++ ABI's per-thread exception state.
struct EhGlobals
{
  void* caughtExceptions;
  unsigned int uncaughtExceptions;
};
EhGlobals s_globals;

}  // namespace

extern "C" {

void* __cxa_allocate_exception(size_t nThrownSize) noexcept
{
  void* pBlock = malloc(kHeaderRoom + nThrownSize);
  if (pBlock == NULL)
    std::terminate();
  memset(pBlock, 0, kHeaderRoom);
  return static_cast<char*>(pBlock) + kHeaderRoom;
}

void __cxa_free_exception(void* pThrown) noexcept
{
  if (pThrown != NULL)
    free(static_cast<char*>(pThrown) - kHeaderRoom);
}

void* __cxa_get_globals() noexcept { return &s_globals; }

void* __cxa_get_globals_fast() noexcept { return &s_globals; }

}  // extern "C"
