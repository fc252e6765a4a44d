/* probe32: can this machine execute 32-bit x86 code?
 *
 * Wine's WoW64 mode runs a 32-bit Windows program by switching its thread to
 * the 32-bit user code segment (selector 0x23). Some hypervisors refuse that
 * segment: the far return into it faults, and every 32-bit program dies at
 * its first instruction. This program makes the same switch natively: it maps
 * a page below 4 GiB, puts a stack there, far-returns to 32-bit code that
 * loads 42 into eax and far-returns to the 64-bit segment (0x33). The trip
 * runs in a child process, since a refusal is a fault.
 *
 * Exit code 0: 32-bit code runs. 1: it does not (the reason is printed).
 * 2: the probe itself could not run. With --control the trip stays in the
 * 64-bit segment, to show that the probe's own machinery works.
 */
#define _GNU_SOURCE
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

enum
{
  kCompatCodeSegment = 0x23, /* the 32-bit user code segment of x86-64 Linux */
  kLongCodeSegment = 0x33,   /* the 64-bit one */
  kAnswer = 42,
  kPageSize = 4096,
  kBackOffset = 0x100,  /* 64-bit code that restores the stack and returns */
  kSavedRsp = 0x800,    /* the caller's stack pointer */
  kSavedRip = 0x808,    /* where the caller continues */
  kFrameOffset = 0xFE0, /* the far-return frames, at the top of the page */
};

static void Put32(uint8_t* p, uint32_t v) { memcpy(p, &v, sizeof v); }

/* Runs "mov eax, 42; retf" in the code segment given and returns eax. */
static int Trip(uint16_t codeSegment)
{
  uint8_t* page =
      mmap(NULL, kPageSize, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  if (page == MAP_FAILED)
    return -1;
  const uint32_t base = (uint32_t)(uintptr_t)page;

  /* The code that runs in the segment: mov eax, 42; retf (32-bit operands
   * in both modes: it pops a 4-byte offset and a 4-byte selector). */
  static const uint8_t kTripCode[] = {0xB8, kAnswer, 0, 0, 0, 0xCB};
  memcpy(page, kTripCode, sizeof kTripCode);

  /* Back in 64-bit mode: mov rsp, [base + kSavedRsp]; jmp [base + kSavedRip]. */
  uint8_t* back = page + kBackOffset;
  static const uint8_t kMovRsp[] = {0x48, 0x8B, 0x24, 0x25};
  static const uint8_t kJmp[] = {0xFF, 0x24, 0x25};
  memcpy(back, kMovRsp, sizeof kMovRsp);
  Put32(back + 4, base + kSavedRsp);
  memcpy(back + 8, kJmp, sizeof kJmp);
  Put32(back + 11, base + kSavedRip);

  /* lretq pops an 8-byte offset and selector; the trip code's retf then
   * pops the 4-byte pair behind them. */
  uint64_t* frame = (uint64_t*)(page + kFrameOffset);
  frame[0] = base;
  frame[1] = codeSegment;
  frame[2] = (uint64_t)(base + kBackOffset) | ((uint64_t)kLongCodeSegment << 32);

  uint64_t result;
  __asm__ volatile(
      "lea 1f(%%rip), %%rax\n\t"
      "mov %%rax, %c[rip](%[base])\n\t"
      "mov %%rsp, %c[rsp](%[base])\n\t"
      "lea %c[frame](%[base]), %%rsp\n\t"
      "lretq\n"
      "1:\n\t"
      : "=&a"(result)
      : [base] "r"((uint64_t)base), [rip] "i"(kSavedRip), [rsp] "i"(kSavedRsp), [frame] "i"(kFrameOffset)
      : "rbx", "rcx", "rdx", "rsi", "rdi", "r8", "r9", "r10", "r11", "r12", "r13", "r14", "r15", "memory", "cc");
  return (int)(uint32_t)result;
}

int main(int argc, char** argv)
{
  const int control = argc > 1 && strcmp(argv[1], "--control") == 0;
  const uint16_t segment = control ? kLongCodeSegment : kCompatCodeSegment;
  fflush(stdout);
  const pid_t pid = fork();
  if (pid < 0) {
    perror("probe32: fork");
    return 2;
  }
  if (pid == 0)
    _exit(Trip(segment) == kAnswer ? 0 : 3);
  int status;
  if (waitpid(pid, &status, 0) != pid) {
    perror("probe32: waitpid");
    return 2;
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    printf("code in segment 0x%x returned %d\n", segment, kAnswer);
    return 0;
  }
  if (WIFSIGNALED(status)) {
    printf("the far return to code segment 0x%x faults (%s)\n", segment, strsignal(WTERMSIG(status)));
    return control ? 2 : 1;
  }
  printf("code in segment 0x%x did not return %d (exit status %d)\n", segment, kAnswer, WEXITSTATUS(status));
  return control ? 2 : 1;
}
