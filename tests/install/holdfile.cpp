// holdfile PATH RELEASE: keeps PATH open without any sharing, as a running
// program holds its own files, so that setup cannot replace it. Prints
// "held" once the file is open and lets go when the file RELEASE appears
// (or after two minutes, so a failed test leaves nothing behind).
#include <windows.h>
#include <stdio.h>

int main(int argc, char** argv)
{
  if (argc != 3) {
    fprintf(stderr, "usage: holdfile PATH RELEASE\n");
    return 2;
  }
  HANDLE hFile = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (hFile == INVALID_HANDLE_VALUE) {
    fprintf(stderr, "holdfile: %s cannot be opened (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  printf("held\n");
  fflush(stdout);
  for (int i = 0; i < 1200 && GetFileAttributesA(argv[2]) == INVALID_FILE_ATTRIBUTES; ++i)
    Sleep(100);
  CloseHandle(hFile);
  printf("released\n");
  return 0;
}
