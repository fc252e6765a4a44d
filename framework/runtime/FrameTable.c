/* The unwinder's look-up of a frame description (FDE) by program counter,
 * in place of libgcc's unwind-dw2-fde.o (10 KB: sorting, binary search
 * tables, several tables, thread locks). A statically linked program
 * registers one table, its .eh_frame, from crtbegin.o's constructor; a throw
 * walks a few frames, so a linear walk over the table is quick enough.
 *
 * As with ExceptionMemory.cpp, this object is linked ahead of libgcc: should
 * unwind-dw2-fde.o come along anyway, the link fails with duplicate
 * definitions. */
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

/* libgcc's interface between the unwinder and the FDE registry. */
struct dwarf_eh_bases
{
  void* tbase;
  void* dbase;
  void* func;
};

/* The caller's storage for one registered table (libgcc's struct object,
 * six words); only the first two are used here. */
struct FrameTable
{
  const unsigned char* pBegin;
  struct FrameTable* pNext;
};

static struct FrameTable* s_pTables;

void __register_frame_info(const void* pBegin, struct FrameTable* pTable)
{
  /* An empty table is just its terminator. */
  if (pBegin == NULL || *(const uint32_t*)pBegin == 0)
    return;
  pTable->pBegin = (const unsigned char*)pBegin;
  pTable->pNext = s_pTables;
  s_pTables = pTable;
}

void* __deregister_frame_info(const void* pBegin)
{
  for (struct FrameTable** pp = &s_pTables; *pp != NULL; pp = &(*pp)->pNext) {
    if ((*pp)->pBegin == pBegin) {
      struct FrameTable* pTable = *pp;
      *pp = pTable->pNext;
      return pTable;
    }
  }
  return NULL;
}

/* DWARF pointer encodings (DW_EH_PE_*). */
enum
{
  kEncAbsPtr = 0x00,
  kEncULeb128 = 0x01,
  kEncUData2 = 0x02,
  kEncUData4 = 0x03,
  kEncUData8 = 0x04,
  kEncSLeb128 = 0x09,
  kEncSData2 = 0x0a,
  kEncSData4 = 0x0b,
  kEncSData8 = 0x0c,
  kEncPcRel = 0x10,
  kEncOmit = 0xff
};

static const unsigned char* ReadLeb128(const unsigned char* p, int bSigned, uintptr_t* pValue)
{
  uintptr_t value = 0;
  unsigned shift = 0;
  unsigned char byte;
  do {
    byte = *p++;
    if (shift < 8 * sizeof(value))
      value |= (uintptr_t)(byte & 0x7f) << shift;
    shift += 7;
  } while (byte & 0x80);
  if (bSigned && (byte & 0x40) && shift < 8 * sizeof(value))
    value |= ~(uintptr_t)0 << shift;
  *pValue = value;
  return p;
}

/* One encoded value; NULL for an encoding this reader does not know. */
static const unsigned char* ReadEncoded(unsigned char encoding, const unsigned char* p, uintptr_t* pValue)
{
  const unsigned char* pStart = p;
  uintptr_t value;
  /* One encoding a row. */
  /* clang-format off */
  switch (encoding & 0x0f) {
  case kEncAbsPtr: value = *(const uintptr_t*)p; p += sizeof(uintptr_t); break;
  case kEncULeb128: p = ReadLeb128(p, 0, &value); break;
  case kEncSLeb128: p = ReadLeb128(p, 1, &value); break;
  case kEncUData2: value = *(const uint16_t*)p; p += 2; break;
  case kEncSData2: value = (uintptr_t)(intptr_t) * (const int16_t*)p; p += 2; break;
  case kEncUData4: value = *(const uint32_t*)p; p += 4; break;
  case kEncSData4: value = (uintptr_t)(intptr_t) * (const int32_t*)p; p += 4; break;
  case kEncUData8:
  case kEncSData8: value = (uintptr_t) * (const uint64_t*)p; p += 8; break;
  default: return NULL;
  }
  /* clang-format on */
  switch (encoding & 0x70) {
  case 0: break;
  case kEncPcRel: value += (uintptr_t)pStart; break;
  default: return NULL;
  }
  *pValue = value;
  return p;
}

/* The encoding of a CIE's FDE addresses (its 'R' augmentation), or kEncOmit
 * for a CIE this reader cannot follow. */
static unsigned char FdeEncoding(const unsigned char* pCie)
{
  const unsigned char* p = pCie + 8; /* length, CIE id */
  unsigned char version = *p++;
  const char* pAugmentation = (const char*)p;
  while (*p != '\0')
    ++p;
  ++p;
  uintptr_t skip;
  p = ReadLeb128(p, 0, &skip); /* code alignment */
  p = ReadLeb128(p, 1, &skip); /* data alignment */
  if (version == 1)
    ++p; /* return address column */
  else
    p = ReadLeb128(p, 0, &skip);
  if (pAugmentation[0] == '\0')
    return kEncAbsPtr;
  if (pAugmentation[0] != 'z')
    return kEncOmit;
  p = ReadLeb128(p, 0, &skip); /* augmentation data length */
  for (const char* a = pAugmentation + 1; *a != '\0'; ++a) {
    switch (*a) {
    case 'R': return *p;
    case 'L': ++p; break;
    case 'P': {
      unsigned char encoding = *p++;
      uintptr_t personality;
      p = ReadEncoded((unsigned char)(encoding & 0x7f), p, &personality);
      if (p == NULL)
        return kEncOmit;
      break;
    }
    case 'S':
    case 'B': break;
    default: return kEncOmit;
    }
  }
  return kEncAbsPtr;
}

const void* _Unwind_Find_FDE(void* pc, struct dwarf_eh_bases* pBases)
{
  const uintptr_t address = (uintptr_t)pc;
  for (const struct FrameTable* pTable = s_pTables; pTable != NULL; pTable = pTable->pNext) {
    const unsigned char* pEntry = pTable->pBegin;
    uint32_t length;
    /* Entries until the terminator; 64-bit lengths do not occur here. */
    while ((length = *(const uint32_t*)pEntry) != 0 && length != 0xffffffffu) {
      const unsigned char* pNext = pEntry + 4 + length;
      uint32_t cieOffset = *(const uint32_t*)(pEntry + 4);
      if (cieOffset != 0) { /* an FDE: its CIE lies cieOffset bytes before this field */
        unsigned char encoding = FdeEncoding(pEntry + 4 - cieOffset);
        uintptr_t begin, range;
        const unsigned char* p = encoding == kEncOmit ? NULL : ReadEncoded(encoding, pEntry + 8, &begin);
        /* A range is a plain size in the same format. */
        if (p != NULL && ReadEncoded((unsigned char)(encoding & 0x0f), p, &range) != NULL && begin != 0 &&
            address - begin < range) {
          pBases->tbase = NULL;
          pBases->dbase = NULL;
          pBases->func = (void*)begin;
          return pEntry;
        }
      }
      pEntry = pNext;
    }
  }
  return NULL;
}
