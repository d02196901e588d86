// Test aid for running the Windows programs under Wine (scripts/test-windows.sh); it is loaded
// only by the launcher withserialapc.exe and plays no part in any program. Qt Serial Port waits for
// a port's events with NtDeviceIoControlFile(IOCTL_SERIAL_WAIT_ON_MASK) and an APC routine, no
// event handle. Windows runs that routine in the waiting thread when an event comes; Wine 8 waits
// for the event inside the call instead, so the program hangs at the port's open. This DLL gives
// Qt a NtDeviceIoControlFile that does what Windows does: the wait is started with an event of its
// own, and when that is signalled the routine is queued to the thread that asked, to run at its
// next alertable wait (Qt's event loop waits alertably). Every other call goes straight through.
// Qt looks the function up with GetProcAddress from Qt5Core.dll, so that import is redirected.

#include <windows.h>
#include <winternl.h>

#include <cstring>

namespace {

constexpr ULONG kWaitOnMask = 0x001B0048; // IOCTL_SERIAL_WAIT_ON_MASK
constexpr NTSTATUS kPending = 0x00000103;

using NtIoctl = NTSTATUS(NTAPI *)(HANDLE, HANDLE, PIO_APC_ROUTINE, PVOID, PIO_STATUS_BLOCK, ULONG, PVOID, ULONG, PVOID,
                                  ULONG);
using GetProc = FARPROC(WINAPI *)(HMODULE, LPCSTR);

// Between function pointer types, by way of the generic one.
template <typename To, typename From> To functionCast(From function)
{
    return reinterpret_cast<To>(reinterpret_cast<void (*)()>(function));
}

NtIoctl systemIoctl = nullptr;
GetProc systemGetProc = nullptr;

struct Wait
{
    PIO_APC_ROUTINE routine;
    PVOID context;
    PIO_STATUS_BLOCK status;
    HANDLE thread;
    HANDLE event;
    HANDLE registration;
};

void CALLBACK runRoutine(ULONG_PTR parameter)
{
    auto *wait = reinterpret_cast<Wait *>(parameter);
    if (wait->registration)
        UnregisterWaitEx(wait->registration, nullptr);
    CloseHandle(wait->event);
    CloseHandle(wait->thread);
    const PIO_APC_ROUTINE routine = wait->routine;
    const PVOID context = wait->context;
    const PIO_STATUS_BLOCK status = wait->status;
    delete wait;
    routine(context, status, 0);
}

void CALLBACK eventCame(PVOID parameter, BOOLEAN)
{
    auto *wait = static_cast<Wait *>(parameter);
    QueueUserAPC(runRoutine, wait->thread, reinterpret_cast<ULONG_PTR>(wait));
}

NTSTATUS NTAPI deviceIoControl(HANDLE file, HANDLE event, PIO_APC_ROUTINE routine, PVOID context,
                               PIO_STATUS_BLOCK status, ULONG code, PVOID in, ULONG inSize, PVOID out, ULONG outSize)
{
    if (code != kWaitOnMask || event || !routine)
        return systemIoctl(file, event, routine, context, status, code, in, inSize, out, outSize);
    auto *wait = new Wait{routine, context, status, nullptr, CreateEventW(nullptr, TRUE, FALSE, nullptr), nullptr};
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &wait->thread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    const NTSTATUS result = systemIoctl(file, wait->event, nullptr, nullptr, status, code, in, inSize, out, outSize);
    if (result == kPending) {
        RegisterWaitForSingleObject(&wait->registration, wait->event, eventCame, wait, INFINITE, WT_EXECUTEONLYONCE);
    } else if (result >= 0) {
        // Done at once: Windows still runs the routine, at the thread's next alertable wait.
        QueueUserAPC(runRoutine, wait->thread, reinterpret_cast<ULONG_PTR>(wait));
    } else {
        CloseHandle(wait->event);
        CloseHandle(wait->thread);
        delete wait;
    }
    return result;
}

FARPROC WINAPI getProcAddress(HMODULE module, LPCSTR name)
{
    const FARPROC found = systemGetProc(module, name);
    if (found && HIWORD(reinterpret_cast<ULONG_PTR>(name)) && std::strcmp(name, "NtDeviceIoControlFile") == 0) {
        systemIoctl = functionCast<NtIoctl>(found);
        return functionCast<FARPROC>(&deviceIoControl);
    }
    return found;
}

// Points the module's import of kernel32's GetProcAddress at getProcAddress.
void redirectImport(HMODULE module)
{
    auto *base = reinterpret_cast<BYTE *>(module);
    auto *dos = reinterpret_cast<IMAGE_DOS_HEADER *>(base);
    auto *nt = reinterpret_cast<IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto *desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + dir.VirtualAddress); desc->Name; ++desc) {
        if (_stricmp(reinterpret_cast<char *>(base + desc->Name), "KERNEL32.dll") != 0)
            continue;
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + desc->OriginalFirstThunk);
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + desc->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto *byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char *>(byName->Name), "GetProcAddress") != 0)
                continue;
            DWORD old = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(&getProcAddress);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
        }
    }
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        systemGetProc = functionCast<GetProc>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetProcAddress"));
        if (HMODULE qtCore = GetModuleHandleW(L"Qt5Core.dll"))
            redirectImport(qtCore);
    }
    return TRUE;
}
