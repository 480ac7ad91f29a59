// The built programs' hardening, and no DLL loaded from beside keyreel.exe.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <dbghelp.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/file_store.h"
#include "programs.h"
#include "temp_folder.h"
#include "win32/wide_text.h"
#include "window_probe.h"

namespace keyreel::win32 {
namespace {

// The build passes Unix paths; Wine shows the root as drive Z:.
std::filesystem::path builtFile(const char* unixPath) {
    return pathFromUtf8(std::string("Z:") + unixPath);
}

std::vector<std::string> importedDlls(std::vector<char>& bytes) {
    const auto at = [&](DWORD rva) {
        return static_cast<const char*>(
            ImageRvaToVa(ImageNtHeader(bytes.data()), bytes.data(), rva, nullptr));
    };
    std::vector<std::string> names;
    const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(
        at(ImageNtHeader(bytes.data())
               ->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT]
               .VirtualAddress));
    for (; entry != nullptr && entry->Name != 0; ++entry)
        names.emplace_back(at(entry->Name));
    return names;
}

// Taken from the system folder whatever lies beside the program: the KnownDLLs of Windows 10
// and 11, the loader's two, and COMCTL32 by the manifest's side-by-side assembly.
bool protectedDll(std::string dll) {
    CharLowerA(dll.data());
    return dll.ends_with(".dll") &&
           std::string_view(
               " advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 "
               "kernel32 msctf msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi "
               "shcore shell32 shlwapi user32 wldap32 ws2_32 ntdll kernelbase comctl32 ")
                   .find(" " + dll.substr(0, dll.size() - 4) + " ") != std::string_view::npos;
}

// Without relocations the image cannot move; high entropy needs a base above 4 GB.
TEST(Executable, IsAHardened64BitImageImportingOnlyDllsFromTheSystemFolder) {
    constexpr WORD kRequired =
        IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA |
        IMAGE_DLLCHARACTERISTICS_NX_COMPAT | IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE;
    for (const char* program : {KEYREEL_EXE, KYR_EXE}) {
        SCOPED_TRACE(program);
        std::ifstream in(builtFile(program), std::ios::binary);
        std::vector<char> bytes(std::istreambuf_iterator<char>(in), {});
        const auto* nt = bytes.empty() ? nullptr : ImageNtHeader(bytes.data());
        ASSERT_TRUE(nt != nullptr && nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC);
        EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
        const WORD flags = nt->OptionalHeader.DllCharacteristics;
        EXPECT_EQ(flags & kRequired, kRequired) << std::hex << "DllCharacteristics 0x" << flags;
        EXPECT_EQ(nt->FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED, 0);
        EXPECT_GT(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u);
        EXPECT_GT(nt->OptionalHeader.ImageBase, 0xFFFFFFFFull);
        const std::vector<std::string> dlls = importedDlls(bytes);
        EXPECT_FALSE(dlls.empty());
        for (const std::string& dll : dlls)
            EXPECT_TRUE(protectedDll(dll)) << dll << " may be taken from the program's folder";
    }
}

// Gives keyreel.exe Windows' search order, its own folder first (Wine takes
// WINEDLLOVERRIDES only from the environment it was started with).
struct WindowsDllOrder {
    static constexpr wchar_t kOrder[] = L"native,builtin";
    static constexpr const wchar_t* kKey = L"Software\\Wine\\AppDefaults\\keyreel.exe";
    WindowsDllOrder() {
        RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kKey) + L"\\DllOverrides").c_str(),
                        L"dwmapi", REG_SZ, kOrder, sizeof kOrder);
    }
    ~WindowsDllOrder() { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
};

// Not even a DLL it asks for at run time (dwmapi: Wine's own user32 imports
// VERSION.dll, so a planted one of those loads whatever keyreel.exe does).
TEST(Executable, ADllPlantedBesideTheProgramIsNotLoaded) {
    const TempFolder folder;
    namespace fs = std::filesystem;
    fs::copy_file(builtFile(KEYREEL_EXE), folder.path() / "keyreel.exe");
    fs::copy_file(builtFile(PLANTED_DLL_FOLDER "/dwmapi.dll"), folder.path() / "dwmapi.dll");
    const WindowsDllOrder windowsOrder;
    probe::ChildProcess keyreel;
    ASSERT_TRUE(keyreel.start(L"\"" + (folder.path() / "keyreel.exe").wstring() + L"\"",
                              folder.path().wstring()));
    const auto shown = [] { return !probe::windowsOfClass(L"KeyreelMainWindow", true).empty(); };
    probe::waitFor([&] { return shown() || !keyreel.running(); }, INFINITE);
    EXPECT_TRUE(shown()) << "keyreel.exe ended before it showed its window";
    keyreel.kill();
    EXPECT_FALSE(fs::exists(folder.path() / "dwmapi.dll.loaded"));
}

}  // namespace
}  // namespace keyreel::win32
