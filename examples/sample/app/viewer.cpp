// Sample Viewer: the small application the demo installer ships. It shows
// its read-me, counts its starts in viewer.ini (a file it makes itself, so
// the installer lists it among the generated files) and writes viewer.log.
#include <windows.h>
#include <stdio.h>
#include <string.h>

namespace {
char g_text[8192];

void DirOfModule(char* dir, DWORD size)
{
  GetModuleFileNameA(NULL, dir, size);
  char* slash = strrchr(dir, '\\');
  if (slash)
    *slash = 0;
}

int CountStart(const char* dir)
{
  char ini[MAX_PATH];
  snprintf(ini, sizeof(ini), "%s\\viewer.ini", dir);
  int starts = (int)GetPrivateProfileIntA("Viewer", "Starts", 0, ini) + 1;
  char value[16];
  snprintf(value, sizeof(value), "%d", starts);
  WritePrivateProfileStringA("Viewer", "Starts", value, ini);
  return starts;
}

void LoadReadme(const char* dir, bool bSafeMode, int starts)
{
  int n = snprintf(g_text, sizeof(g_text), "Sample Viewer%s - started %d time(s)\r\n\r\n",
                   bSafeMode ? " (safe mode)" : "", starts);
  char path[MAX_PATH];
  snprintf(path, sizeof(path), "%s\\readme.txt", dir);
  if (FILE* f = fopen(path, "rb")) {
    size_t got = fread(g_text + n, 1, sizeof(g_text) - (size_t)n - 1, f);
    g_text[n + (int)got] = 0;
    fclose(f);
  }
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  switch (msg) {
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    InflateRect(&rc, -8, -8);
    DrawTextA(dc, g_text, -1, &rc, DT_LEFT | DT_WORDBREAK);
    EndPaint(hwnd, &ps);
    return 0;
  }
  case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nShow)
{
  char dir[MAX_PATH];
  DirOfModule(dir, sizeof(dir));
  bool bSafeMode = strstr(lpCmdLine, "/safe") != NULL;
  LoadReadme(dir, bSafeMode, CountStart(dir));

  char log[MAX_PATH];
  snprintf(log, sizeof(log), "%s\\viewer.log", dir);
  if (FILE* f = fopen(log, "a")) {
    fprintf(f, "started%s\n", bSafeMode ? " in safe mode" : "");
    fclose(f);
  }
  // "/quit" lets scripts start it once and go on.
  if (strstr(lpCmdLine, "/quit"))
    return 0;

  WNDCLASSA wc = {};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = hInstance;
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.lpszClassName = "SampleViewer";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowA("SampleViewer", "Sample Viewer", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 520,
                            360, NULL, NULL, hInstance, NULL);
  ShowWindow(hwnd, nShow);
  MSG m;
  while (GetMessageA(&m, NULL, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  return 0;
}
