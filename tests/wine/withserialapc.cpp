// Test aid for scripts/test-windows.sh: runs a program under Wine with serialapc.dll (beside this
// launcher) loaded into it before its own code starts, and returns its exit status. The program
// and its files are not touched: the DLL is loaded by an APC queued to the program's first thread
// while it is created suspended.
//   wine withserialapc.exe PROGRAM.exe [ARGUMENTS...]

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

// The command line after its first word (this launcher).
const wchar_t *afterFirstWord(const wchar_t *line)
{
    bool quoted = false;
    for (; *line && (quoted || (*line != L' ' && *line != L'\t')); ++line)
        if (*line == L'"')
            quoted = !quoted;
    while (*line == L' ' || *line == L'\t')
        ++line;
    return line;
}

} // namespace

int wmain()
{
    std::wstring commandLine = afterFirstWord(GetCommandLineW());
    if (commandLine.empty()) {
        std::fwprintf(stderr, L"usage: withserialapc PROGRAM.exe [ARGUMENTS...]\n");
        return 2;
    }
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring dll = self;
    dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"serialapc.dll";

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &process)) {
        std::fwprintf(stderr, L"withserialapc: cannot start %ls (error %lu)\n", commandLine.c_str(), GetLastError());
        return 127;
    }
    const SIZE_T size = (dll.size() + 1) * sizeof(wchar_t);
    void *remote = VirtualAllocEx(process.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    const auto load = reinterpret_cast<PAPCFUNC>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    if (!remote || !WriteProcessMemory(process.hProcess, remote, dll.c_str(), size, nullptr)
        || !QueueUserAPC(load, process.hThread, reinterpret_cast<ULONG_PTR>(remote))) {
        std::fwprintf(stderr, L"withserialapc: cannot load %ls into the program\n", dll.c_str());
        TerminateProcess(process.hProcess, 127);
        return 127;
    }
    ResumeThread(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    return int(code);
}
