/* Stands in for crtend.o in a program with exceptions: the zero length that
 * ends the program's frame table (.eh_frame), which the unwinder's walk stops
 * at. The compiler driver links crtend.o after every library, so this is the
 * table's last word. FrameTableStart.c explains the pair. */
#include <stdint.h>

static const uint32_t s_frameTableEnd[1] __attribute__((used, section(".eh_frame"), aligned(4))) = {0};
