/* Stands in for crtbegin.o in a program with exceptions: marks the start of
 * the program's frame table (.eh_frame) and registers the table with the
 * unwinder before any other constructor runs. GCC's crtbegin.o does the same
 * but first looks for libgcc's DLL (GetModuleHandleA, LoadLibraryA,
 * GetProcAddress); a statically linked program has the registry in itself
 * (FrameTable.c), so this one calls it directly.
 *
 * The compiler driver links crtbegin.o before every other object and
 * crtend.o after every library; the linker gathers the objects' .eh_frame
 * sections in that order, so this object's contribution comes first and
 * FrameTableEnd.c's terminator last. Compiled without unwind tables, so
 * that nothing of its own lands in .eh_frame. */

/* libgcc's record of one registered table (its struct object): six words,
 * which the registry fills in; FrameTable.c uses two of them. */
typedef struct
{
  void* words[6];
} FrameTableRecord;

void __register_frame_info(const void* pBegin, FrameTableRecord* pRecord);

/* Empty: its address is the table's first byte, the first entry of the
 * object linked next. */
static const char s_frameTableStart[0] __attribute__((used, section(".eh_frame"), aligned(4))) = {};

static FrameTableRecord s_record;

static void RegisterFrameTable(void) { __register_frame_info(s_frameTableStart, &s_record); }

/* Priority 0, the highest: .ctors.65535 sorts last in the linker's
 * constructor list, which the program entry runs from the end, so the
 * table is registered before any constructor could throw. It is never
 * deregistered: the registry and the table live as long as the process, and
 * nothing unwinds once exit() has run the destructors. */
static void (*s_pRegisterFrameTable)(void) __attribute__((used, section(".ctors.65535"))) = RegisterFrameTable;
