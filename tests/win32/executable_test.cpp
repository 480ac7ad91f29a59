// The built programs' headers: the hardening the linker was asked for is
// there, and they need no DLL that Windows does not bring.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
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
std::string builtFile(const char* unixPath) {
    return std::string("Z:") + unixPath;
}

class PeImage {
  public:
    explicit PeImage(const std::string& path) {
        std::ifstream in(pathFromUtf8(path), std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    const IMAGE_NT_HEADERS64* headers() const {
        const auto* dos = at<IMAGE_DOS_HEADER>(0);
        if (dos == nullptr || dos->e_magic != IMAGE_DOS_SIGNATURE)
            return nullptr;
        const auto* nt = at<IMAGE_NT_HEADERS64>(static_cast<std::size_t>(dos->e_lfanew));
        if (nt == nullptr || nt->Signature != IMAGE_NT_SIGNATURE ||
            nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
            return nullptr;
        }
        return nt;
    }

    // The names of the DLLs the import table names.
    std::vector<std::string> importedDlls() const {
        std::vector<std::string> names;
        const IMAGE_DATA_DIRECTORY& directory =
            headers()->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        auto offset = fileOffset(directory.VirtualAddress);
        while (offset) {
            const auto* descriptor = at<IMAGE_IMPORT_DESCRIPTOR>(*offset);
            if (descriptor == nullptr || descriptor->Name == 0)
                break;
            if (const auto name = fileOffset(descriptor->Name))
                names.emplace_back(bytes_.data() + *name);
            *offset += sizeof(IMAGE_IMPORT_DESCRIPTOR);
        }
        return names;
    }

  private:
    template <typename T>
    const T* at(std::size_t offset) const {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T))
            return nullptr;
        return reinterpret_cast<const T*>(bytes_.data() + offset);
    }

    std::optional<std::size_t> fileOffset(DWORD rva) const {
        const IMAGE_NT_HEADERS64* nt = headers();
        const std::size_t first =
            reinterpret_cast<const char*>(IMAGE_FIRST_SECTION(nt)) - bytes_.data();
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const auto* section =
                at<IMAGE_SECTION_HEADER>(first + i * sizeof(IMAGE_SECTION_HEADER));
            if (section != nullptr && rva >= section->VirtualAddress &&
                rva < section->VirtualAddress + section->SizeOfRawData) {
                return rva - section->VirtualAddress + section->PointerToRawData;
            }
        }
        return std::nullopt;
    }

    std::vector<char> bytes_;
};

// The DLLs Windows takes from the system folder whatever lies beside the
// program: the KnownDLLs of Windows 10 and 11 (the registry key
// HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs), and the
// loader's own two. COMCTL32 comes by the manifest's side-by-side assembly,
// which names its folder.
bool protectedDll(const std::string& dll) {
    static const char* const kProtected[] = {
        "advapi32.dll", "clbcatq.dll",  "combase.dll", "comdlg32.dll",   "coml2.dll",
        "difxapi.dll",  "gdi32.dll",    "gdiplus.dll", "imagehlp.dll",   "imm32.dll",
        "kernel32.dll", "msctf.dll",    "msvcrt.dll",  "normaliz.dll",   "nsi.dll",
        "ole32.dll",    "oleaut32.dll", "psapi.dll",   "rpcrt4.dll",     "sechost.dll",
        "setupapi.dll", "shcore.dll",   "shell32.dll", "shlwapi.dll",    "user32.dll",
        "wldap32.dll",  "ws2_32.dll",   "ntdll.dll",   "kernelbase.dll", "comctl32.dll",
    };
    std::string lower = dll;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::find(std::begin(kProtected), std::end(kProtected), lower) != std::end(kProtected);
}

struct Program {
    const char* name;
    std::string path;
};

const Program kPrograms[] = {
    {"keyreel.exe", builtFile(KEYREEL_EXE)},
    {"kyr.exe", builtFile(KYR_EXE)},
};

TEST(Executable, AslrWithHighEntropyDepAndARelocationTable) {
    constexpr WORD kRequired =
        IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA |
        IMAGE_DLLCHARACTERISTICS_NX_COMPAT | IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE;
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.name);
        const PeImage image(program.path);
        const IMAGE_NT_HEADERS64* nt = image.headers();
        ASSERT_NE(nt, nullptr) << "no 64-bit PE image at " << program.path;
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

TEST(Executable, ImportsOnlyDllsThatComeFromTheSystemFolder) {
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.name);
        const PeImage image(program.path);
        ASSERT_NE(image.headers(), nullptr);
        const std::vector<std::string> dlls = image.importedDlls();
        EXPECT_FALSE(dlls.empty());
        for (const std::string& dll : dlls)
            EXPECT_TRUE(protectedDll(dll)) << dll << " may be taken from the program's folder";
    }
}

// Gives keyreel.exe Windows' search order for the two DLLs it might want,
// the program's folder first; Wine otherwise prefers its own. (Wine reads
// WINEDLLOVERRIDES only from the environment it was started with, not from
// one a Windows program hands its children.)
class WindowsDllOrder {
  public:
    WindowsDllOrder() {
        static constexpr wchar_t kOrder[] = L"native,builtin";
        for (const wchar_t* dll : {L"version", L"dwmapi"})
            RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, dll, REG_SZ, kOrder, sizeof kOrder);
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
// Wine a planted VERSION.dll is loaded whatever keyreel.exe imports (the
// import table above rules out that keyreel.exe asks for it).
TEST(Executable, ADllPlantedBesideTheProgramIsNotLoaded) {
    const TempFolder folder;
    namespace fs = std::filesystem;
    fs::copy_file(pathFromUtf8(builtFile(KEYREEL_EXE)), folder.path() / "keyreel.exe");
    fs::copy_file(pathFromUtf8(builtFile(PLANTED_DLL_FOLDER "/dwmapi.dll")),
                  folder.path() / "dwmapi.dll");
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
