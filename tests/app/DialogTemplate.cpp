// Reads an extended dialog template field by field, with bounds checks, as
// the layout is documented for DLGTEMPLATEEX and DLGITEMTEMPLATEEX.
#include "DialogTemplate.h"

#include <cstring>

namespace velktest {

namespace {

constexpr WORD kExtendedSignature = 0xFFFF;
constexpr WORD kOrdinalMarker = 0xFFFF;

// Predefined control classes are stored as ordinals 0x80 to 0x85.
const wchar_t* PredefinedClass(int ordinal) {
    switch (ordinal) {
    case 0x80:
        return L"Button";
    case 0x81:
        return L"Edit";
    case 0x82:
        return L"Static";
    case 0x83:
        return L"ListBox";
    case 0x84:
        return L"ScrollBar";
    case 0x85:
        return L"ComboBox";
    default:
        return L"";
    }
}

class TemplateReader {
public:
    TemplateReader(const BYTE* begin, size_t size) : begin_(begin), at_(begin), end_(begin + size) {}

    bool ok() const { return ok_; }

    template <typename T>
    T Read() {
        T value{};
        if (!Take(sizeof value)) return value;
        std::memcpy(&value, at_ - sizeof value, sizeof value);
        return value;
    }
    std::wstring String() {
        std::wstring text;
        for (wchar_t c = Read<wchar_t>(); ok_ && c != 0; c = Read<wchar_t>()) text += c;
        return text;
    }
    NameOrOrdinal NameOrOrdinalField() {
        NameOrOrdinal field;
        if (!Take(sizeof(WORD))) return field;
        WORD first;
        std::memcpy(&first, at_ - sizeof first, sizeof first);
        if (first == kOrdinalMarker) {
            field.ordinal = Read<WORD>();
        } else if (first != 0) {
            at_ -= sizeof first;
            field.name = String();
        }
        return field;
    }
    // Items start on DWORD boundaries from the start of the template.
    void AlignToDword() {
        const size_t offset = static_cast<size_t>(at_ - begin_);
        Take((4 - offset % 4) % 4);
    }
    void Skip(size_t bytes) { Take(bytes); }

private:
    bool Take(size_t bytes) {
        if (!ok_ || static_cast<size_t>(end_ - at_) < bytes) {
            ok_ = false;
            return false;
        }
        at_ += bytes;
        return true;
    }

    const BYTE* begin_;
    const BYTE* at_;
    const BYTE* end_;
    bool ok_ = true;
};

TemplateItem ReadItem(TemplateReader& reader) {
    TemplateItem item;
    reader.AlignToDword();
    reader.Read<DWORD>();  // help id
    item.exStyle = reader.Read<DWORD>();
    item.style = reader.Read<DWORD>();
    item.x = reader.Read<short>();
    item.y = reader.Read<short>();
    item.cx = reader.Read<short>();
    item.cy = reader.Read<short>();
    item.id = static_cast<int>(reader.Read<DWORD>());
    const NameOrOrdinal windowClass = reader.NameOrOrdinalField();
    item.className = windowClass.ordinal ? PredefinedClass(windowClass.ordinal) : windowClass.name;
    item.text = reader.NameOrOrdinalField();
    reader.Skip(reader.Read<WORD>());  // creation data
    return item;
}

}  // namespace

bool ReadDialogTemplate(HMODULE module, int id, WORD language, DialogTemplate& out) {
    HRSRC found = FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(id), language);
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    TemplateReader reader(static_cast<const BYTE*>(data), SizeofResource(module, found));

    const WORD version = reader.Read<WORD>();
    if (version != 1 || reader.Read<WORD>() != kExtendedSignature) return false;
    reader.Read<DWORD>();  // help id
    out.exStyle = reader.Read<DWORD>();
    out.style = reader.Read<DWORD>();
    const WORD count = reader.Read<WORD>();
    out.x = reader.Read<short>();
    out.y = reader.Read<short>();
    out.cx = reader.Read<short>();
    out.cy = reader.Read<short>();
    out.menu = reader.NameOrOrdinalField();
    out.windowClass = reader.NameOrOrdinalField();
    out.title = reader.String();
    if (out.style & (DS_SETFONT | DS_SHELLFONT)) {
        out.pointSize = reader.Read<WORD>();
        out.weight = reader.Read<WORD>();
        out.italic = reader.Read<BYTE>() != 0;
        out.charset = reader.Read<BYTE>();
        out.face = reader.String();
    }
    out.items.clear();
    for (WORD i = 0; i < count && reader.ok(); ++i) out.items.push_back(ReadItem(reader));
    return reader.ok();
}

}  // namespace velktest
