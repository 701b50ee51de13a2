// Fuzzed inputs load within their memory rule into a valid state; what loaded saves and loads back alike.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <random>
#include <thread>
#include <unordered_set>

#include "Bytes.h"
#include "Support.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/Settings.h"
#include "wallpaper/BitmapFile.h"

// Each thread counts its own allocations (each block's size kept before it): the readers run side by side.
static thread_local size_t liveBytes = 0, peakBytes = 0;

__attribute__((noinline)) void* operator new(size_t size) {
    auto* block = static_cast<size_t*>(size < SIZE_MAX / 2 ? malloc(size + 16) : nullptr);
    if (!block) throw std::bad_alloc();
    *block = size;
    peakBytes = std::max(peakBytes, liveBytes += size);
    return reinterpret_cast<char*>(block) + 16;
}
__attribute__((noinline)) void operator delete(void* bytes) noexcept {
    if (!bytes) return;
    void* block = static_cast<char*>(bytes) - 16;
    liveBytes -= *static_cast<size_t*>(block);
    free(block);
}
void operator delete(void* bytes, size_t) noexcept {
    operator delete(bytes);
}

namespace {

using velktest::DataFile, velktest::Hex, velktest::kHyo, velktest::kSo;

template <typename Call>
size_t PeakOf(Call call) {
    const size_t before = peakBytes = liveBytes;
    call();
    return peakBytes - before;
}

// At most `limit` bytes, without a lone lead byte at the end.
bool Fits(const char* text, size_t limit) {
    if (!text || strlen(text) > limit) return false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
        if (IsDBCSLeadByte(*p) && !*++p) return false;
    return true;
}

// As the App holds it: every item has the default icon until the icon thread brings its own.
struct LaunchData {
    LaunchData() { sets.iconSource.SetDefaultIcon(LoadIconA(nullptr, IDI_APPLICATION)); }
    void Clear() {
        std::string().swap(settings.lastSaved);  // its room too
        history.Init(16);
        sets.Resize(3);
    }
    bool Load(const std::string& file) {
        Clear();
        return settings.LoadBytes(file, &history, &sets);
    }
    std::string Save() {
        return settings.BuildBytes(&history, &sets, settings.flags & Settings::kPinned ? 1 : 0,
                                   settings.triggerKeys);
    }
    std::string Broken(bool loaded, unsigned slotsInFile) const {
        if (loaded != (sets.count > 0) || sets.count > 3 || history.entryCount > 16) return "counts";
        for (int k = 1; k <= history.entryCount; ++k)
            if (!Fits(history.Get(k), 259)) return "history " + std::to_string(k);
        for (uint16_t s = 0; s < 3; ++s) {
            const char* name = sets.GetSetName(s);
            if (s < sets.count ? !Fits(name, 64) || !*name : name != nullptr)
                return "set " + std::to_string(s);
            for (uint16_t i = 0; i <= slotsInFile && i < 256; ++i)
                if (const LaunchItemInfo item = sets.GetItemInfo(s, i);
                    item.icon && (i == slotsInFile || !*item.name || !Fits(item.name, 259) ||
                                  !Fits(item.target, 259) || !Fits(item.workingFolder, 259)))
                    return "item " + std::to_string(s) + "/" + std::to_string(i);
        }
        return "";
    }
    Settings settings;
    CommandHistory history;
    LaunchSetList sets;
};

// One to three changes: a byte flipped, a cut, a zero inserted or removed, a count, a text or the body's
// offset at or past its limit, a lead byte at the end of a text.
std::string Mutated(std::string file, std::mt19937& random) {
    const uint8_t counts[] = {0, 1, 2, 3, 4, 15, 16, 17, 18, 19, 20, 254, 255};
    const size_t lengths[] = {63, 64, 65, 258, 259, 260, 600};
    for (int n = 1 + random() % 3; n > 0 && !file.empty(); --n) {
        const size_t at = random() % file.size(), text = std::max<size_t>(16, file.rfind('\0', at) + 1);
        const size_t end = file.find('\0', text), kind = random() % 8;
        std::string longText;
        while (kind == 5 && longText.size() < lengths[at % 7]) longText += random() % 2 ? "a" : kHyo;
        if (kind == 0) file[at] = char(file[at] ^ (1 << random() % 8));
        if (kind == 1) file.resize(at);
        if (kind == 2) file.insert(at, 1, '\0');
        if (kind == 3 && file.find('\0', at) != std::string::npos) file.erase(file.find('\0', at), 1);
        if (kind == 4 && file.size() > 14) file[12 + random() % 3] = char(counts[random() % 13]);
        if (kind == 5 && text < file.size())
            file.replace(text, end - text, longText.substr(0, lengths[at % 7]));
        if (kind == 6 && end != std::string::npos) file.insert(end, 1, char(0x81 + random() % 2 * 0x60));
        if (kind == 7 && file.size() > 5) file[4 + random() % 2] = char(random() % 2 ? 17 : random());
    }
    return file;
}

void FuzzDataFiles() {
    // Valid files: a fresh one; history, holes, macros, double-byte texts; 20 slots a set, texts at limits.
    DataFile three = DataFile().Header(0x56, 3, 3, 18, 60, 10, 20, 30).Text("notepad").Text("cmd /k dir");
    three.Text("http://x/" + kSo).Text("Tools").Slot("Edit", "C:\\A\\r.cmd", "C:\\A").Empty(1);
    three.Slot("Note", "$p\\n.txt", "").Empty(15).Text(kHyo + kSo);
    three.Slot(kSo + "\\" + kHyo, "C:\\" + kSo, "C:\\").Empty(17).Text("Third");
    three.Slot("Last", "%WINDIR%\\x.exe", "$W").Empty(17);
    DataFile wide = DataFile().Header(0x1F, 16, 2, 20);
    for (int i = 0; i < 16; ++i) wide.Text(std::string(i % 5 ? i : 257, 'h') + std::to_string(i));
    wide.Text(std::string(64, 'n')).Slot(std::string(259, 'a'), "C:\\" + std::string(256, 't'), "").Empty(19);
    wide.Text(std::string(62, 'n') + kHyo).Empty(18).Slot("s18", "C:\\a", "").Slot("s19", "C:\\b", "C:\\");
    const std::string fresh = DataFile().Header(0x18, 0, 1).Text("NewLaunchSet").Empty(18).bytes;
    const std::string seeds[] = {fresh, three.bytes, wide.bytes};
    std::mt19937 random(19);
    LaunchData data, again;
    // Room held before anything is counted: what the model leaves behind is then all that changes the count.
    std::string saved, problem;
    saved.reserve(1 << 16);
    std::unordered_set<size_t> checked;  // the saved files' hashes: many files load alike
    for (int n = 0; n < 100000; ++n) {
        const std::string file = Mutated(seeds[n % std::size(seeds)], random);
        saved.clear();
        problem.clear();
        data.Clear();
        const size_t empty = liveBytes;
        bool loaded = false;
        const size_t peak = PeakOf([&] { loaded = data.Load(file); });
        if (peak > 65536 + 64 * file.size()) problem = "memory " + std::to_string(peak);
        if (problem.empty()) problem = data.Broken(loaded, file.size() > 14 ? uint8_t(file[14]) : 0);
        if (problem.empty() && !loaded && !data.settings.keepAside) problem = "refused, not kept aside";
        if (loaded) saved.replace(0, 0, data.Save());  // into the room held
        data.Clear();
        if (problem.empty() && liveBytes != empty) problem = "leaked " + std::to_string(liveBytes - empty);
        if (problem.empty() && loaded && checked.insert(std::hash<std::string>()(saved)).second) {
            const bool reloaded = again.Load(saved);
            problem = again.Broken(reloaded, 18);
            if (problem.empty() && (!reloaded || again.settings.keepAside))
                problem = "the saved file refused";
            if (problem.empty() && again.Save() != saved) problem = "saved again: " + Hex(again.Save());
        }
        ASSERT_EQ("", problem) << "file " << n << ": " << Hex(file) << "\nsaved: " << Hex(saved);
    }
}

void Put(std::string& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size && at + i < bytes.size(); ++i) bytes[at + i] = char(value >> 8 * i);
}

// A small picture of any depth, now and then top-down, with runs, literal runs and deltas that may reach past
// the row or the picture; then one or two header fields at or past their limits, a cut or a flipped byte.
std::string RandomPicture(std::mt19937& random) {
    const std::pair<uint16_t, uint32_t> formats[] = {
        {1, BI_RGB},  {4, BI_RGB},        {8, BI_RGB},        {16, BI_RGB}, {24, BI_RGB},
        {32, BI_RGB}, {16, BI_BITFIELDS}, {32, BI_BITFIELDS}, {8, BI_RLE8}, {4, BI_RLE4}};
    const auto [bits, compression] = formats[random() % 10];
    const int width = 1 + random() % 9, height = 1 + random() % 6;
    auto bytes = [&](size_t n) {
        std::string out;
        while (n--) out += char(random());
        return out;
    };
    const bool runs = compression == BI_RLE8 || compression == BI_RLE4;
    const std::string table =
        compression == BI_BITFIELDS ? bytes(12) : bytes(bits <= 8 ? 4 + random() % (4u << bits) / 4 * 4 : 0);
    std::string data = runs ? "" : bytes((width * bits + 31) / 32 * 4 * height);
    for (int row = 0; runs && row < height; ++row) {
        for (int n = random() % 4, count = 3 + random() % 10; n > 0; --n) {
            const int kind = random() % 4, literal = bits == 8 ? count : (count + 1) / 2;
            if (kind == 0) data += {char(random() % 12), char(random())};
            if (kind == 1) data += std::string{'\0', char(count)} + bytes((literal + 1) / 2 * 2);
            if (kind == 2) data += std::string{'\0', '\2', char(random() % 4), char(random() % 3)};
            if (kind == 3) data += bytes(2);
        }
        data += std::string{'\0', char(row + 1 == height)};  // the row's end, or the picture's
    }
    std::string file(54, '\0');
    const uint32_t size = uint32_t(54 + table.size() + data.size());
    // The header as written: offset, value, width; fields spoilt: offset, width, values at and past limits.
    // clang-format off
    const std::vector<uint32_t> sides = {0, 1, uint32_t(-1), 8193, 65535, 65536, INT32_MAX, uint32_t(INT32_MIN)};
    const std::tuple<size_t, uint32_t, int> header[] = {
        {0, 0x4D42, 2}, {2, size, 4}, {10, 54 + uint32_t(table.size()), 4}, {14, 40, 4}, {18, uint32_t(width), 4},
        {22, uint32_t(random() % 4 ? height : -height), 4}, {26, 1, 2}, {28, bits, 2}, {30, compression, 4},
        {34, uint32_t(data.size()), 4}, {46, bits <= 8 ? uint32_t(table.size() / 4) : 0, 4}};
    const std::tuple<size_t, int, std::vector<uint32_t>> fields[] = {
        {18, 4, sides}, {22, 4, sides}, {28, 2, {0, 1, 2, 4, 8, 16, 24, 32, 64}}, {30, 4, {0, 1, 2, 3, 4, 5, 6}},
        {46, 4, {0, 1, 255, 256, 257, UINT32_MAX}}, {10, 4, {0, 14, 53, 54, size - 1, size, size + 1, UINT32_MAX}},
        {14, 4, {0, 12, 16, 39, 40, 41, 52, 56, 64, 108, 124, 125, UINT32_MAX}},
        {34, 4, {1, size - 1, size, size + 1, UINT32_MAX}}};
    // clang-format on
    for (const auto& [at, value, span] : header) Put(file, at, value, span);
    file += table + data;
    for (int n = 1 + random() % 2; n > 0 && !file.empty(); --n) {
        const unsigned kind = random() % 10;
        if (kind < 8) {
            const auto& [at, span, values] = fields[kind];
            Put(file, at, values[random() % values.size()], span);
        }
        if (kind == 8) file.resize(random() % file.size());
        if (kind == 9) file[random() % file.size()] ^= char(1 << random() % 8);
    }
    return file;
}

// The rule of its format that a picture the check took breaks, read from its own header, or empty.
std::string Broken(const std::string& file, const BITMAPINFOHEADER* loaded) {
    auto get = [&](size_t at, int size) {
        uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | uint8_t(at + i < file.size() ? file[at + i] : 0);
        return value;
    };
    const bool core = get(14, 4) == 12;
    const int64_t width = core ? int64_t(get(18, 2)) : int32_t(get(18, 4));
    const int64_t signedHeight = core ? int64_t(get(20, 2)) : int32_t(get(22, 4));
    const int64_t height = std::abs(signedHeight), bits = core ? get(24, 2) : get(28, 2);
    const uint64_t offset = get(10, 4), compression = core ? BI_RGB : get(30, 4), coded = get(34, 4);
    if (loaded && (loaded->biWidth != width || loaded->biHeight != height || loaded->biBitCount != 32))
        return "header";
    if (width > 65535 || height > 65535 || width * height > (1 << 26)) return "size";
    if (compression == BI_RGB || compression == BI_BITFIELDS)
        return offset + (width * bits + 31) / 32 * 4 * height <= file.size() ? "" : "rows missing";
    if (compression != BI_RLE8 && compression != BI_RLE4) return "compression";
    return signedHeight > 0 && coded > 0 && offset + coded <= file.size() ? "" : "runs outside";
}

// Pictures the check takes load within their headers, and their pixels go through the cache and back.
void FuzzPictures() {
    std::mt19937 random(19);
    velktest::TempFolder folder;
    const std::string path = folder.File("picture.bmp"), cache = folder.File("cache.bmp");
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int n = 0; n < 10000; ++n) {
        const std::string file = RandomPicture(random);
        const auto* head = reinterpret_cast<const unsigned char*>(file.data());
        if (CheckBitmapBytes(head, std::min<size_t>(file.size(), 138), file.size()) == BitmapLayout::Refused)
            continue;
        std::string problem = Broken(file, nullptr);
        ASSERT_TRUE(velktest::WriteBytes(path, file));
        BITMAPINFOHEADER header = {};
        PixelImage pixels;
        const size_t peak = PeakOf([&] { pixels = BitmapFile().Load(instance, path.c_str(), &header); });
        if (peak > 4 * size_t(header.biWidth) * header.biHeight + 65536)
            problem = "memory " + std::to_string(peak);
        if (problem.empty() && pixels) problem = Broken(file, &header);
        // The cache's rows go back to back: a BMP's rows only when 3 x width is whole words.
        BITMAPINFOHEADER again = {};
        PixelImage back;
        if (problem.empty() && pixels && header.biWidth % 4 == 0 &&
            (!BitmapFile().SaveCache(cache.c_str(), BITMAPINFO{header}, pixels.get()) ||
             !(back = BitmapFile().Load(instance, cache.c_str(), &again)) ||
             again.biHeight != header.biHeight))
            problem = "cache refused";
        for (LONG i = 0; back && problem.empty() && i < header.biWidth * header.biHeight; ++i)
            if ((back[i] ^ pixels[i]) & 0xFFFFFF) problem = "cache pixel " + std::to_string(i);
        ASSERT_EQ("", problem) << "picture " << n << ": " << Hex(file);
    }
    // Whatever follows a picture in its file is never read: here 3 GiB that the file system does not store.
    ASSERT_TRUE(velktest::WriteBytes(path, velktest::Bmp(
                                               1, 1, [](int, int) { return 0x3060A0u; }, 32, true)));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER end = {};
    end.QuadPart = 3LL << 30;
    ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);
    BITMAPINFOHEADER header = {};
    EXPECT_TRUE(BitmapFile().Load(instance, path.c_str(), &header));
    PROCESS_MEMORY_COUNTERS memory = {};
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory));
    EXPECT_LT(memory.PeakWorkingSetSize, size_t(256) << 20);
}

TEST(ReaderFuzz, DataFilesAndPicturesLoadWithinTheirLimits) {
    std::thread pictures(FuzzPictures);
    FuzzDataFiles();
    pictures.join();
}

}  // namespace
