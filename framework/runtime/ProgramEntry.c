/* The shipped programs' start, in place of MinGW's crt2.o (argument vector,
 * pseudo-relocations, TLS callbacks, signal glue: 8 KB these programs do not
 * use). The build compiles this file into a folder of its own as crt2.o and
 * puts that folder first on the compiler's start-file path (-B), so that the
 * compiler driver links it where crt2.o goes and crtbegin.o/crtend.o keep
 * their places around the program.
 *
 * What it keeps: msvcrt told that this is a windowed program, the static
 * constructors (and with them the unwinder's frame table) and, at exit, the
 * destructors, WinMain's arguments, atexit through msvcrt's _onexit, and
 * exit(), which runs what was registered and flushes msvcrt's streams. The link uses
 * --disable-auto-import, so a data import that would need the pseudo-
 * relocations fails there; the release check refuses a .CRT or .tls section,
 * whose initialisers nothing here would run. */
#include <windows.h>
#include <stdlib.h>

typedef void (*StaticFunction)(void);
/* The linker's tables: a count (or -1) first, then the functions, then a
 * null entry. */
extern StaticFunction __CTOR_LIST__[];
extern StaticFunction __DTOR_LIST__[];
extern void __cdecl __set_app_type(int);
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);

#define GUI_APP 2 /* msvcrt's _GUI_APP: runtime errors in a message box */

int __cdecl atexit(void(__cdecl* pfn)(void)) { return _onexit((_onexit_t)pfn) != NULL ? 0 : -1; }

/* The command line behind the program's name (quoted or not) and the blanks
 * after it, as WinMain receives it. */
static LPSTR CommandTail(void)
{
  LPSTR p = GetCommandLineA();
  if (*p == '"') {
    ++p;
    while (*p != '\0' && *p != '"')
      ++p;
    if (*p == '"')
      ++p;
  } else {
    while (*p > ' ')
      ++p;
  }
  while (*p == ' ' || *p == '\t')
    ++p;
  return p;
}

/* Destructors run in table order, constructors the other way round, as
 * libgcc's __main does; written here without its initialised data, so a
 * program with nothing else to initialise has no data section. */
static void RunStaticDestructors(void)
{
  for (StaticFunction* p = __DTOR_LIST__ + 1; *p != NULL; ++p)
    (*p)();
}

static void RunStaticConstructors(void)
{
  StaticFunction* pLast = __CTOR_LIST__;
  while (pLast[1] != NULL)
    ++pLast;
  for (; pLast > __CTOR_LIST__; --pLast)
    (*pLast)();
  atexit(RunStaticDestructors);
}

/* The loader calls this with a stack aligned to 4 bytes only. */
__attribute__((force_align_arg_pointer, noreturn)) void WinMainCRTStartup(void)
{
  STARTUPINFOA startup;
  startup.cb = sizeof(startup);
  GetStartupInfoA(&startup);
  int nShowCmd = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;

  __set_app_type(GUI_APP);
  RunStaticConstructors();
  exit(WinMain(GetModuleHandleW(NULL), NULL, CommandTail(), nShowCmd));
}
