// runtime_check: the shipped programs' exception runtime (framework/runtime)
// at work, in a program linked as setup.exe is. It first checks that
// libstdc++'s exception header fits the room the exception memory leaves
// for it, then throws through a frame that only cleans up, rethrows, throws
// a framework exception by pointer and an object with a copy constructor by
// value, and checks that every object was destroyed exactly once and every
// block taken from malloc freed. One line per check; the exit code is 0 only
// when all held.
#include "framework/Exception.h"

#include <cxxabi.h>
#include <exception>
#include <stdarg.h>

// The link wraps malloc and free (-Wl,--wrap) so that the blocks can be
// counted, the exception memory's among them.
extern "C" void* __real_malloc(size_t nSize);
extern "C" void __real_free(void* p);

namespace {

int s_nChecks = 0;
int s_nFailures = 0;

int s_nMallocs = 0;
int s_nFrees = 0;
void* s_pLastBlock = NULL;

void Say(const char* pszText)
{
  DWORD nWritten;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), pszText, lstrlenA(pszText), &nWritten, NULL);
}

// One line: "ok" or "FAILED", then what was checked (a wsprintf format).
bool Check(bool bHeld, const char* pszFormat, ...)
{
  char szLine[1024];
  lstrcpyA(szLine, bHeld ? "ok      " : "FAILED  ");
  va_list args;
  va_start(args, pszFormat);
  wvsprintfA(szLine + lstrlenA(szLine), pszFormat, args);
  va_end(args);
  lstrcatA(szLine, "\r\n");
  Say(szLine);
  ++s_nChecks;
  if (!bHeld)
    ++s_nFailures;
  return bHeld;
}

// Objects whose destructions are counted one by one, so that a destructor
// that runs twice or never shows.
const int kMaxObjects = 64;
int s_nObjects = 0;
int s_destructions[kMaxObjects];

int NewSerial()
{
  if (s_nObjects >= kMaxObjects)
    Check(false, "no more than %d objects to record", kMaxObjects);
  return s_nObjects++;
}

void CountDestruction(int nSerial)
{
  if (nSerial >= 0 && nSerial < kMaxObjects)
    ++s_destructions[nSerial];
}

// A class with a non-trivial copy: thrown by value it is copied into the
// exception memory and out again, and the runtime destroys the copy it holds.
class CTracked
{
public:
  explicit CTracked(int nValue) : m_nValue(nValue), m_nSerial(NewSerial()) {}
  CTracked(const CTracked& other) : m_nValue(other.m_nValue), m_nSerial(NewSerial()) {}
  CTracked& operator=(const CTracked&) = delete;
  ~CTracked() { CountDestruction(m_nSerial); }

  int m_nValue;
  int m_nSerial;
};

// A framework exception, thrown by pointer and ended with Delete() as the
// programs do it.
class CCountedException : public CException
{
public:
  explicit CCountedException(int nCode) : m_nCode(nCode), m_nSerial(NewSerial()) {}
  ~CCountedException() override { CountDestruction(m_nSerial); }

  int m_nCode;
  int m_nSerial;
};

// What a case leaves behind: its objects each destroyed once, and as many
// blocks freed as it took.
struct CaseStart
{
  int nSerial;
  int nMallocs;
  int nFrees;
};

CaseStart StartCase(const char* pszTitle)
{
  Say("-- ");
  Say(pszTitle);
  Say("\r\n");
  return CaseStart{s_nObjects, s_nMallocs, s_nFrees};
}

void CheckAftermath(const CaseStart& start, int nBlocks)
{
  bool bEachOnce = true;
  for (int i = start.nSerial; i < s_nObjects; ++i)
    bEachOnce &= s_destructions[i] == 1;
  Check(bEachOnce, "each of its %d objects was destroyed exactly once", s_nObjects - start.nSerial);
  const int nTaken = s_nMallocs - start.nMallocs;
  const int nFreed = s_nFrees - start.nFrees;
  Check(nTaken == nBlocks && nFreed == nBlocks, "it took %d blocks from malloc and freed %d (expected %d)", nTaken,
        nFreed, nBlocks);
}

// ---- libstdc++'s exception header against the room left for it ----

// libstdc++ finds an exception's header (its __cxa_refcounted_exception) by
// subtracting the header's size from the thrown object's address, and
// ExceptionMemory.cpp leaves a fixed room in front of the object for it. The
// header's size is a property of libstdc++'s compiled code that no installed
// header spells out, so a mirror of the structure would only repeat an
// assumption. libstdc++ answers itself instead: __cxa_init_primary_exception
// (cxxabi.h, the GNU extension behind std::make_exception_ptr) fills in the
// header of a given object and returns it, by the same subtraction
// __cxa_throw makes. It works here on an object in a buffer of this
// function's own, so that a header larger than the room overwrites nothing.
// The room is measured as well: where __cxa_allocate_exception puts the
// object in the block it takes from malloc. Sets nRoom; false when the
// header does not fit, and nothing may be thrown.
bool HeaderFitsRoom(unsigned& nRoom)
{
  Say("-- libstdc++'s exception header and the exception memory\r\n");
  alignas(16) unsigned char buffer[512] = {};
  unsigned char* pObject = buffer + 384;
  unsigned char* pHeader = reinterpret_cast<unsigned char*>(abi::__cxa_init_primary_exception(pObject, NULL, NULL));
  if (!Check(pHeader >= buffer && pHeader < pObject,
             "libstdc++ puts the header in front of the object, within %d bytes", static_cast<int>(pObject - buffer)))
    return false;
  const unsigned nHeader = static_cast<unsigned>(pObject - pHeader);

  const int nMallocs = s_nMallocs;
  const int nFrees = s_nFrees;
  unsigned char* pThrown = static_cast<unsigned char*>(abi::__cxa_allocate_exception(sizeof(int)));
  unsigned char* pBlock = static_cast<unsigned char*>(s_pLastBlock);
  const bool bOneBlock = s_nMallocs == nMallocs + 1 && pThrown > pBlock;
  abi::__cxa_free_exception(pThrown);
  if (!Check(bOneBlock && s_nFrees == nFrees + 1, "the exception memory takes one block from malloc and frees it"))
    return false;
  nRoom = static_cast<unsigned>(pThrown - pBlock);

  bool bFits =
      Check(nHeader <= nRoom, "libstdc++'s exception header (%u bytes) fits the room in front of the object (%u bytes)",
            nHeader, nRoom);
  bFits &=
      Check(nRoom % __BIGGEST_ALIGNMENT__ == 0, "the room (%u bytes) keeps the object aligned as the block (%u bytes)",
            nRoom, static_cast<unsigned>(__BIGGEST_ALIGNMENT__));
  return bFits;
}

// ---- a throw through a cleanup frame, rethrown ----

int s_nGuardSerial = -1;

__attribute__((noinline)) void ThrowTracked(int nValue) { throw CTracked(nValue); }

// A frame with nothing but a destructor to run on the way out.
__attribute__((noinline)) void ThroughCleanup(int nValue)
{
  CTracked guard(-nValue);
  s_nGuardSerial = guard.m_nSerial;
  ThrowTracked(nValue);
}

__attribute__((noinline)) void CatchAndRethrow(const CTracked*& pCaught, unsigned nRoom)
{
  try {
    ThroughCleanup(1);
  } catch (CTracked& e) {
    pCaught = &e;
    Check(s_nGuardSerial >= 0 && s_destructions[s_nGuardSerial] == 1,
          "the frame in between destroyed its object before the handler ran");
    Check(reinterpret_cast<unsigned char*>(&e) - static_cast<unsigned char*>(s_pLastBlock) == static_cast<int>(nRoom),
          "the exception object lies in the block the exception memory took, %u bytes in", nRoom);
    throw;
  }
}

void CheckRethrow(unsigned nRoom)
{
  const CaseStart start = StartCase("a throw through a cleanup frame, caught, rethrown and caught again");
  const CTracked* pFirst = NULL;
  const CTracked* pSecond = NULL;
  bool bAliveInSecond = false;
  try {
    CatchAndRethrow(pFirst, nRoom);
  } catch (CTracked& e) {
    pSecond = &e;
    bAliveInSecond = e.m_nValue == 1 && s_destructions[e.m_nSerial] == 0;
  }
  Check(pSecond != NULL && pSecond == pFirst, "the second handler has the object the first one had, not a copy");
  Check(bAliveInSecond, "the exception object, with its value, lives until the last handler");
  CheckAftermath(start, 1);
}

// ---- a framework exception by pointer ----

__attribute__((noinline)) void ThrowCounted(int nCode) { throw new CCountedException(nCode); }

__attribute__((noinline)) void PointerThroughCleanup(int nCode)
{
  CTracked guard(nCode);
  ThrowCounted(nCode);
}

void CheckPointer()
{
  const CaseStart start = StartCase("a framework exception thrown by pointer, ended with Delete()");
  const char* pszHandler = "none";
  int nCode = 0;
  try {
    PointerThroughCleanup(7);
  } catch (CFileException* e) {
    pszHandler = "CFileException*";
    e->Delete();
  } catch (CException* e) {
    pszHandler = "CException*";
    nCode = static_cast<CCountedException*>(e)->m_nCode;
    e->Delete();
  }
  Check(lstrcmpA(pszHandler, "CException*") == 0 && nCode == 7,
        "the base class's handler caught it, past a sibling's (caught by %s)", pszHandler);
  // The exception object itself, and the one operator new made.
  CheckAftermath(start, 2);
}

// ---- an object with a copy constructor by value ----

__attribute__((noinline)) void ThrowCopy(int nValue)
{
  CTracked local(nValue);
  throw local;
}

void CheckCopy()
{
  const CaseStart start = StartCase("an object with a copy constructor thrown and caught by value");
  int nValue = 0;
  try {
    ThrowCopy(3);
  } catch (CTracked copy) {
    nValue = copy.m_nValue;
  }
  Check(nValue == 3, "the handler's copy carries the thrown value");
  CheckAftermath(start, 1);
}

}  // namespace

// The wrapped allocator: every block of the program passes here.
extern "C" __attribute__((used)) void* __wrap_malloc(size_t nSize)
{
  void* p = __real_malloc(nSize);
  if (p != NULL) {
    ++s_nMallocs;
    s_pLastBlock = p;
  }
  return p;
}

extern "C" __attribute__((used)) void __wrap_free(void* p)
{
  if (p != NULL)
    ++s_nFrees;
  __real_free(p);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
  unsigned nRoom = 0;
  if (!HeaderFitsRoom(nRoom)) {
    Say("runtime_check: the header does not fit; nothing thrown\r\n");
    return 1;
  }
  CheckRethrow(nRoom);
  CheckPointer();
  CheckCopy();

  // The Itanium ABI's per-thread state: the caught exceptions' stack first.
  StartCase("afterwards");
  void* pCaught = *reinterpret_cast<void**>(abi::__cxa_get_globals());
  Check(std::uncaught_exceptions() == 0 && pCaught == NULL, "no exception is left in flight or caught");

  char szLine[128];
  if (s_nFailures == 0)
    wsprintfA(szLine, "runtime_check: all %d checks held\r\n", s_nChecks);
  else
    wsprintfA(szLine, "runtime_check: %d of %d checks FAILED\r\n", s_nFailures, s_nChecks);
  Say(szLine);
  return s_nFailures == 0 ? 0 : 1;
}
