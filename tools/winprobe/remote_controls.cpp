#include "remote_controls.h"

#include <commctrl.h>  // after windows.h, which it needs

namespace keyreel::probe {

namespace {

// Memory lent in the process of a window, given back with this object.
class RemoteMemory {
  public:
    RemoteMemory(HWND window, std::size_t size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId);
        if (process_ != nullptr)
            address_ = static_cast<char*>(
                VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteMemory() {
        if (address_ != nullptr)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr)
            CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool usable() const { return address_ != nullptr; }
    // The address `offset` bytes in, as the other process sees it.
    LPARAM at(std::size_t offset = 0) const { return reinterpret_cast<LPARAM>(address_ + offset); }
    bool write(const void* bytes, std::size_t size) const {
        return WriteProcessMemory(process_, address_, bytes, size, nullptr) != FALSE;
    }
    bool read(void* bytes, std::size_t size, std::size_t offset = 0) const {
        return ReadProcessMemory(process_, address_ + offset, bytes, size, nullptr) != FALSE;
    }

  private:
    HANDLE process_ = nullptr;
    char* address_ = nullptr;
};

constexpr int kTextRoom = 1024;

std::wstring cellText(HWND listView, const RemoteMemory& memory, int row, int column) {
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = kTextRoom;
    item.pszText = reinterpret_cast<LPWSTR>(memory.at(sizeof item));
    memory.write(&item, sizeof item);
    const auto length =
        static_cast<std::size_t>(SendMessageW(listView, LVM_GETITEMTEXTW, row, memory.at()));
    std::wstring text(length, L'\0');
    memory.read(text.data(), length * sizeof(wchar_t), sizeof item);
    return text;
}

}  // namespace

std::vector<std::vector<std::wstring>> listViewRows(HWND listView, int columns) {
    std::vector<std::vector<std::wstring>> rows;
    const RemoteMemory memory(listView, sizeof(LVITEMW) + kTextRoom * sizeof(wchar_t));
    if (!memory.usable())
        return rows;
    const auto count = static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::vector<std::wstring>& cells = rows.emplace_back();
        for (int column = 0; column < columns; ++column)
            cells.push_back(cellText(listView, memory, row, column));
    }
    return rows;
}

std::optional<RECT> listViewCell(HWND listView, int row, int column) {
    const RemoteMemory memory(listView, sizeof(RECT));
    RECT rect{};
    rect.top = column;
    rect.left = LVIR_LABEL;
    if (!memory.usable() || !memory.write(&rect, sizeof rect) ||
        !SendMessageW(listView, LVM_GETSUBITEMRECT, row, memory.at()) ||
        !memory.read(&rect, sizeof rect)) {
        return std::nullopt;
    }
    MapWindowPoints(listView, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::optional<SYSTEMTIME> pickerValue(HWND picker) {
    const RemoteMemory memory(picker, sizeof(SYSTEMTIME));
    SYSTEMTIME time{};
    if (!memory.usable() || SendMessageW(picker, DTM_GETSYSTEMTIME, 0, memory.at()) != GDT_VALID ||
        !memory.read(&time, sizeof time)) {
        return std::nullopt;
    }
    return time;
}

}  // namespace keyreel::probe
