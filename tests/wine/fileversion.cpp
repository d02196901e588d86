// Prints a program's version resource as Windows reads it (Explorer's Details tab), one
// "Name=value" a line: the fixed file and product versions, then the strings.
//   fileversion.exe C:\path\TAMIRAdesk.exe

#include <windows.h>

#include <cstdio>
#include <vector>

int wmain(int argc, wchar_t *argv[])
{
    if (argc != 2)
        return 2;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(argv[1], &ignored);
    std::vector<unsigned char> data(size);
    if (!size || !GetFileVersionInfoW(argv[1], 0, size, data.data()))
        return 1;
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&fixed), &length) || !fixed)
        return 1;
    std::printf("FixedFileVersion=%u.%u.%u.%u\n", unsigned(HIWORD(fixed->dwFileVersionMS)),
                unsigned(LOWORD(fixed->dwFileVersionMS)), unsigned(HIWORD(fixed->dwFileVersionLS)),
                unsigned(LOWORD(fixed->dwFileVersionLS)));
    std::printf("FixedProductVersion=%u.%u.%u.%u\n", unsigned(HIWORD(fixed->dwProductVersionMS)),
                unsigned(LOWORD(fixed->dwProductVersionMS)), unsigned(HIWORD(fixed->dwProductVersionLS)),
                unsigned(LOWORD(fixed->dwProductVersionLS)));
    for (const wchar_t *name : {L"ProductName", L"FileVersion", L"ProductVersion", L"CompanyName", L"FileDescription",
                                L"LegalCopyright", L"OriginalFilename"}) {
        wchar_t path[128];
        swprintf(path, 128, L"\\StringFileInfo\\040904B0\\%ls", name);
        wchar_t *value = nullptr;
        if (VerQueryValueW(data.data(), path, reinterpret_cast<void **>(&value), &length) && value)
            std::printf("%ls=%ls\n", name, value);
    }
    return 0;
}
