// The built programs' headers: the hardening the linker was asked for is
// there and they import no DLL that Windows would look for beside them; and
// keyreel.exe copied alone into a folder starts, without loading a DLL
// planted beside it.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
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

// The 64-bit headers of a program; none for a file that is no such image.
std::optional<IMAGE_NT_HEADERS64> headers(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    IMAGE_DOS_HEADER dos{};
    IMAGE_NT_HEADERS64 nt{};
    if (bytes.size() < sizeof dos)
        return std::nullopt;
    std::memcpy(&dos, bytes.data(), sizeof dos);
    const auto at = static_cast<std::size_t>(dos.e_lfanew);
    if (dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0 || bytes.size() < at + sizeof nt)
        return std::nullopt;
    std::memcpy(&nt, bytes.data() + at, sizeof nt);
    if (nt.Signature != IMAGE_NT_SIGNATURE ||
        nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
        return std::nullopt;
    return nt;
}

// The names of the DLLs a program's import table names.
std::vector<std::string> importedDlls(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    const auto nt = headers(path);
    if (!nt)
        return {};
    IMAGE_DOS_HEADER dos{};
    std::memcpy(&dos, bytes.data(), sizeof dos);
    const std::size_t sections = static_cast<std::size_t>(dos.e_lfanew) +
                                 offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                                 nt->FileHeader.SizeOfOptionalHeader;
    const auto fileOffset = [&](DWORD rva) -> std::optional<std::size_t> {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section{};
            const std::size_t at = sections + i * sizeof section;
            if (bytes.size() < at + sizeof section)
                break;
            std::memcpy(&section, bytes.data() + at, sizeof section);
            if (rva >= section.VirtualAddress &&
                rva < section.VirtualAddress + section.SizeOfRawData)
                return rva - section.VirtualAddress + section.PointerToRawData;
        }
        return std::nullopt;
    };
    std::vector<std::string> names;
    auto entry =
        fileOffset(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (; entry && bytes.size() >= *entry + sizeof(IMAGE_IMPORT_DESCRIPTOR);
         *entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        IMAGE_IMPORT_DESCRIPTOR import{};
        std::memcpy(&import, bytes.data() + *entry, sizeof import);
        if (import.Name == 0)
            break;
        const auto name = fileOffset(import.Name);
        if (name && *name < bytes.size())
            names.emplace_back(bytes.data() + *name,
                               strnlen(bytes.data() + *name, bytes.size() - *name));
    }
    return names;
}

// The DLLs Windows takes from the system folder whatever lies beside the
// program: the KnownDLLs of Windows 10 and 11 and the loader's own two.
// COMCTL32 comes by the manifest's side-by-side assembly, which names its
// folder.
bool protectedDll(std::string dll) {
    static const char* const kProtected[] = {
        "advapi32.dll", "clbcatq.dll",  "combase.dll", "comdlg32.dll",   "coml2.dll",
        "difxapi.dll",  "gdi32.dll",    "gdiplus.dll", "imagehlp.dll",   "imm32.dll",
        "kernel32.dll", "msctf.dll",    "msvcrt.dll",  "normaliz.dll",   "nsi.dll",
        "ole32.dll",    "oleaut32.dll", "psapi.dll",   "rpcrt4.dll",     "sechost.dll",
        "setupapi.dll", "shcore.dll",   "shell32.dll", "shlwapi.dll",    "user32.dll",
        "wldap32.dll",  "ws2_32.dll",   "ntdll.dll",   "kernelbase.dll", "comctl32.dll",
    };
    for (char& c : dll)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::find(std::begin(kProtected), std::end(kProtected), dll) != std::end(kProtected);
}

TEST(Executable, ImportsOnlyDllsThatComeFromTheSystemFolder) {
    for (const char* program : {KEYREEL_EXE, KYR_EXE}) {
        SCOPED_TRACE(program);
        const std::vector<std::string> dlls = importedDlls(builtFile(program));
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
        const auto nt = headers(builtFile(program));
        ASSERT_TRUE(nt) << "no 64-bit image";
        EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
        const WORD flags = nt->OptionalHeader.DllCharacteristics;
        EXPECT_EQ(flags & kRequired, kRequired) << std::hex << "DllCharacteristics 0x" << flags;
        // Without relocations the loader cannot move the image, whatever the flag says.
        EXPECT_EQ(nt->FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED, 0);
        EXPECT_GT(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u);
        // High entropy needs an image base above 4 GB.
        EXPECT_GT(nt->OptionalHeader.ImageBase, 0xFFFFFFFFull);
    }
}

// Gives keyreel.exe Windows' search order for a DLL it might want,
// the program's folder first; Wine otherwise prefers its own. (Wine reads
// WINEDLLOVERRIDES only from the environment it was started with, not from
// one a Windows program hands its children.)
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

// A DLL planted beside keyreel.exe (the portable zip unpacked into
// Downloads) is never loaded, not even the one it asks for at run time.
// Shown with dwmapi.dll: Wine's own user32 imports VERSION.dll, so under
// Wine a planted VERSION.dll is loaded whatever keyreel.exe imports.
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
