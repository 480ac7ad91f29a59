// The built programs' headers: the hardening the linker was asked for is
// there, and they need no DLL that Windows does not bring.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "core/base/file_store.h"
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

bool inSystemFolder(const std::string& dll) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    const std::wstring path = std::wstring(folder) + L"\\" + toWide(dll);
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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

TEST(Executable, NeedsNoDllBesidesTheSystems) {
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.name);
        const PeImage image(program.path);
        ASSERT_NE(image.headers(), nullptr);
        const std::vector<std::string> dlls = image.importedDlls();
        EXPECT_FALSE(dlls.empty());
        for (const std::string& dll : dlls)
            EXPECT_TRUE(inSystemFolder(dll)) << dll << " is not a system DLL";
    }
}

}  // namespace
}  // namespace keyreel::win32
