// Data files built by hand for the tests, and whole-file reads and writes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace velktest {

// Appends the parts of a data file in order.
class FileBytes {
public:
    FileBytes& Header(uint8_t flags, uint8_t historyCount, uint8_t setCount, uint8_t slotsPerSet,
                      uint8_t alpha = 100, uint8_t red = 1, uint8_t green = 2, uint8_t blue = 3) {
        const char header[16] = {'Q',
                                 'X',
                                 1,
                                 0,
                                 16,
                                 0,
                                 static_cast<char>(flags),
                                 0,
                                 static_cast<char>(alpha),
                                 static_cast<char>(red),
                                 static_cast<char>(green),
                                 static_cast<char>(blue),
                                 static_cast<char>(historyCount),
                                 static_cast<char>(setCount),
                                 static_cast<char>(slotsPerSet),
                                 0};
        bytes.append(header, sizeof header);
        return *this;
    }
    FileBytes& Text(const std::string& text) {
        bytes += text;
        bytes += '\0';
        return *this;
    }
    FileBytes& Slot(const std::string& name, const std::string& target, const std::string& folder) {
        return Text(name).Text(target).Text(folder);
    }
    FileBytes& EmptySlots(int n) {
        bytes.append(3 * n, '\0');
        return *this;
    }

    std::string bytes;
};

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// The file's bytes; "<missing>" when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

inline bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The data file VELK writes when it starts without one and ends at once:
// one set "NewLaunchSet" with 18 empty slots, pinned, on the middle button.
inline std::string FreshDataFile() {
    const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
    FileBytes file;
    file.Header(0x18, 0, 1, 18, 100, GetRValue(desktop), GetGValue(desktop), GetBValue(desktop))
        .Text("NewLaunchSet")
        .EmptySlots(18);
    return file.bytes;
}

// Shows differing bytes readably in a failure message.
inline std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out;
}

}  // namespace velktest
