/* A stand-in game client for the Windows end-to-end test: it writes the
 * window state it was started with and its whole command line, as Windows
 * handed them over, to "<its own path>.record" and exits.
 *
 * The record is UTF-8, two lines: "show=<wShowWindow> flags=<dwFlags>", then
 * the command line exactly. It is written beside and renamed into place, so
 * a reader never sees half of it. */
#include <windows.h>

#include <stdio.h>
#include <wchar.h>

static void put(HANDLE file, const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
    char* bytes = HeapAlloc(GetProcessHeap(), 0, (SIZE_T)size);
    DWORD written = 0;
    if (bytes == NULL) {
        return;
    }
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, size, NULL, NULL);
    WriteFile(file, bytes, (DWORD)(size - 1), &written, NULL);
    HeapFree(GetProcessHeap(), 0, bytes);
}

int main(void)
{
    wchar_t self[MAX_PATH];
    wchar_t part[MAX_PATH + 16];
    wchar_t record[MAX_PATH + 16];
    wchar_t state[64];
    STARTUPINFOW startup;
    HANDLE file;

    const DWORD length = GetModuleFileNameW(NULL, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 2;
    }
    swprintf(record, MAX_PATH + 16, L"%ls.record", self);
    swprintf(part, MAX_PATH + 16, L"%ls.part", record);

    GetStartupInfoW(&startup);
    swprintf(state, 64, L"show=%u flags=%lu\n", (unsigned)startup.wShowWindow, (unsigned long)startup.dwFlags);

    file = CreateFileW(part, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    put(file, state);
    put(file, GetCommandLineW());
    CloseHandle(file);
    return MoveFileExW(part, record, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
