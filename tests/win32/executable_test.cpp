// The built programs' hardening, and no DLL loaded from beside keyreel.exe.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <dbghelp.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/base/file_store.h"
#include "temp_folder.h"
#include "win32/owned.h"
#include "win32/wide_text.h"

namespace keyreel::win32 {
namespace {

// The build passes Unix paths; Wine shows the root as drive Z:.
std::filesystem::path builtFile(const char* unixPath) {
    return pathFromUtf8(std::string("Z:") + unixPath);
}

// A program's bytes as the file holds them, read through its headers.
class Image {
  public:
    explicit Image(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), {});
    }
    const IMAGE_NT_HEADERS64* headers() {
        const auto* nt = bytes_.empty() ? nullptr : ImageNtHeader(bytes_.data());
        return nt != nullptr && nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC ? nt
                                                                                          : nullptr;
    }
    std::vector<std::string> importedDlls() {
        const auto at = [&](DWORD rva) {
            return static_cast<const char*>(
                ImageRvaToVa(ImageNtHeader(bytes_.data()), bytes_.data(), rva, nullptr));
        };
        std::vector<std::string> names;
        const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(
            headers()->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress));
        for (; entry != nullptr && entry->Name != 0; ++entry)
            names.emplace_back(at(entry->Name));
        return names;
    }

  private:
    std::vector<char> bytes_;
};

// Taken from the system folder whatever lies beside the program: the
// KnownDLLs of Windows 10 and 11, the loader's two, and COMCTL32 by the
// manifest's side-by-side assembly.
bool protectedDll(std::string dll) {
    static const char* const kProtected[] = {
        "advapi32.dll", "clbcatq.dll",  "combase.dll", "comdlg32.dll",   "coml2.dll",
        "difxapi.dll",  "gdi32.dll",    "gdiplus.dll", "imagehlp.dll",   "imm32.dll",
        "kernel32.dll", "msctf.dll",    "msvcrt.dll",  "normaliz.dll",   "nsi.dll",
        "ole32.dll",    "oleaut32.dll", "psapi.dll",   "rpcrt4.dll",     "sechost.dll",
        "setupapi.dll", "shcore.dll",   "shell32.dll", "shlwapi.dll",    "user32.dll",
        "wldap32.dll",  "ws2_32.dll",   "ntdll.dll",   "kernelbase.dll", "comctl32.dll",
    };
    CharLowerA(dll.data());
    return std::find(std::begin(kProtected), std::end(kProtected), dll) != std::end(kProtected);
}

TEST(Executable, ImportsOnlyDllsThatComeFromTheSystemFolder) {
    for (const char* program : {KEYREEL_EXE, KYR_EXE}) {
        SCOPED_TRACE(program);
        Image image(builtFile(program));
        ASSERT_NE(image.headers(), nullptr) << "no 64-bit image";
        const std::vector<std::string> dlls = image.importedDlls();
        EXPECT_FALSE(dlls.empty());
        for (const std::string& dll : dlls)
            EXPECT_TRUE(protectedDll(dll)) << dll << " may be taken from the program's folder";
    }
}

TEST(Executable, AslrWithHighEntropyDepAndARelocationTable) {
    constexpr WORD kRequired =
        IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA |
        IMAGE_DLLCHARACTERISTICS_NX_COMPAT | IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE;
    for (const char* program : {KEYREEL_EXE, KYR_EXE}) {
        SCOPED_TRACE(program);
        Image image(builtFile(program));
        const IMAGE_NT_HEADERS64* nt = image.headers();
        ASSERT_NE(nt, nullptr) << "no 64-bit image";
        EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
        const WORD flags = nt->OptionalHeader.DllCharacteristics;
        EXPECT_EQ(flags & kRequired, kRequired) << std::hex << "DllCharacteristics 0x" << flags;
        // Without relocations the image cannot move; high entropy needs a base above 4 GB.
        EXPECT_EQ(nt->FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED, 0);
        EXPECT_GT(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u);
        EXPECT_GT(nt->OptionalHeader.ImageBase, 0xFFFFFFFFull);
    }
}

// Gives keyreel.exe Windows' search order, its own folder first (Wine takes
// WINEDLLOVERRIDES only from the environment it was started with).
class WindowsDllOrder {
  public:
    WindowsDllOrder() {
        static constexpr wchar_t kOrder[] = L"native,builtin";
        RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, L"dwmapi", REG_SZ, kOrder, sizeof kOrder);
    }
    ~WindowsDllOrder() { RegDeleteTreeW(HKEY_CURRENT_USER, kProgramDefaults); }
    WindowsDllOrder(const WindowsDllOrder&) = delete;
    WindowsDllOrder& operator=(const WindowsDllOrder&) = delete;

  private:
    static constexpr const wchar_t* kProgramDefaults = L"Software\\Wine\\AppDefaults\\keyreel.exe";
    static constexpr const wchar_t* kOverrides =
        L"Software\\Wine\\AppDefaults\\keyreel.exe\\DllOverrides";
};

// Whether the process has made its main window, waiting until it has or has ended.
bool mainWindowAppears(const PROCESS_INFORMATION& started) {
    for (;;) {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, L"KeyreelMainWindow", nullptr))) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == started.dwProcessId)
                return true;
        }
        if (WaitForSingleObject(started.hProcess, 50) == WAIT_OBJECT_0)
            return false;
    }
}

// Not even a DLL it asks for at run time (dwmapi: Wine's own user32 imports
// VERSION.dll, so a planted one of those loads whatever keyreel.exe does).
TEST(Executable, ADllPlantedBesideTheProgramIsNotLoaded) {
    const TempFolder folder;
    namespace fs = std::filesystem;
    fs::copy_file(builtFile(KEYREEL_EXE), folder.path() / "keyreel.exe");
    fs::copy_file(builtFile(PLANTED_DLL_FOLDER "/dwmapi.dll"), folder.path() / "dwmapi.dll");
    const WindowsDllOrder windowsOrder;
    std::wstring commandLine = L"\"" + (folder.path() / "keyreel.exe").wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.path().c_str(), &startup, &started));
    const OwnedHandle process(started.hProcess);
    const OwnedHandle thread(started.hThread);
    const bool appeared = mainWindowAppears(started);
    TerminateProcess(started.hProcess, 0);
    WaitForSingleObject(started.hProcess, INFINITE);
    EXPECT_TRUE(appeared) << "keyreel.exe ended before it showed its window";
    EXPECT_FALSE(fs::exists(folder.path() / "dwmapi.dll.loaded"));
}

}  // namespace
}  // namespace keyreel::win32
