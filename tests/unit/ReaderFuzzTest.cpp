// The readers of untrusted bytes, fuzzed from a fixed seed: data files mutated from valid ones and BMP
// pictures with headers at and past their limits. Each loads without a crash and within its memory rule,
// into a state that keeps its invariants, and what was loaded saves and loads back the same.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <unordered_set>

#include "Bytes.h"
#include "Support.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/Settings.h"
#include "wallpaper/BitmapFile.h"

// Every allocation of the test program is counted, so that a load can be held to its memory rule.
namespace {
constexpr size_t kBlockHeader = 16;
std::atomic<size_t> liveBytes{0}, peakBytes{0};
}  // namespace

void* operator new(size_t size) {
    void* block = size <= SIZE_MAX - kBlockHeader ? malloc(size + kBlockHeader) : nullptr;
    if (!block) throw std::bad_alloc();
    *static_cast<size_t*>(block) = size;
    const size_t live = liveBytes += size;
    for (size_t peak = peakBytes; live > peak && !peakBytes.compare_exchange_weak(peak, live);) {
    }
    return static_cast<char*>(block) + kBlockHeader;
}

void operator delete(void* bytes) noexcept {
    if (!bytes) return;
    void* block = static_cast<char*>(bytes) - kBlockHeader;
    liveBytes -= *static_cast<size_t*>(block);
    free(block);
}

void operator delete(void* bytes, size_t) noexcept {
    operator delete(bytes);
}

namespace {

using velktest::DataFile;
using velktest::Hex;

// The most a call allocated at once beyond what lived before it.
template <typename Call>
size_t PeakOf(Call call) {
    const size_t before = liveBytes;
    peakBytes = before;
    call();
    return peakBytes - before;
}

const std::string kSo = "\x83\x5C", kHyo = "\x95\x5C";  // ソ and 表: a backslash for the second byte

// At most `limit` bytes, without a lone lead byte at the end.
bool Fits(const char* text, size_t limit) {
    if (!text || strlen(text) > limit) return false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
        if (IsDBCSLeadByte(*p) && !*++p) return false;
    return true;
}

// The input as the last bytes before a page that cannot be read: a read past its end faults.
class GuardedBytes {
public:
    static constexpr size_t kRoom = 1 << 16;
    GuardedBytes()
        : base_(static_cast<char*>(VirtualAlloc(nullptr, kRoom + 4096, MEM_COMMIT, PAGE_READWRITE))) {
        DWORD old = 0;
        VirtualProtect(base_ + kRoom, 4096, PAGE_NOACCESS, &old);
    }
    ~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }
    const char* Hold(const std::string& bytes) {
        return static_cast<char*>(memcpy(base_ + kRoom - bytes.size(), bytes.data(), bytes.size()));
    }

private:
    char* base_;
};

// What the App loads the data file into: a history of 16, three set slots, the default icon for every
// item until the icon thread brings its own.
struct LaunchData {
    LaunchData() { sets.iconSource.SetDefaultIcon(LoadIconA(nullptr, IDI_APPLICATION)); }
    void Clear() {
        history.Init(16);
        sets.Resize(3);
        sets.DeferIconLookups(true);
    }
    bool Load(const char* bytes, size_t size) {
        Clear();
        return settings.LoadBytes(bytes, size, &history, &sets);
    }
    std::string Save() {
        const int pin = (settings.flags & Settings::kPinned) ? 1 : 0;
        return settings.SaveBytes(&history, &sets, pin, settings.triggerKeys);
    }
    // What breaks an invariant of the loaded state, or empty.
    std::string Broken(bool loaded, uint8_t slotsInFile) const {
        if (loaded != (sets.count > 0) || sets.count > 3 || history.entryCount > 16) return "counts";
        for (int k = 1; k <= history.entryCount; ++k)
            if (!Fits(history.Get(k), 259)) return "history text " + std::to_string(k);
        for (uint16_t s = 0; s < 3; ++s) {
            const char* name = sets.GetSetName(s);
            if (s >= sets.count ? name != nullptr : !Fits(name, 64) || !*name)
                return "set " + std::to_string(s);
            for (uint16_t i = 0; i <= slotsInFile && i < 256; ++i) {
                const LaunchItemInfo item = sets.GetItemInfo(s, i);
                if (!item.icon) continue;
                if (i >= slotsInFile || !*item.name || !Fits(item.name, 259) || !Fits(item.target, 259) ||
                    !Fits(item.workingFolder, 259))
                    return "item " + std::to_string(s) + "/" + std::to_string(i);
            }
        }
        return "";
    }
    Settings settings;
    CommandHistory history;
    LaunchSetList sets;
};

// The valid files the mutations start from: a fresh one; history, holes, macros and double-byte texts;
// 20 slots a set and texts at their limits.
std::vector<std::string> DataFileSeeds() {
    DataFile three;
    three.Header(0x56, 3, 3, 18, 60, 10, 20, 30).Text("notepad").Text("cmd /k dir").Text("http://x/" + kSo);
    three.Text("Tools")
        .Slot("Edit", "C:\\A\\r.cmd", "C:\\A")
        .Empty(1)
        .Slot("Note", "$p\\n.txt", "")
        .Empty(15);
    three.Text(kHyo + kSo).Slot(kSo + "\\" + kHyo, "C:\\" + kSo + "\\x.exe", "C:\\" + kSo).Empty(17);
    three.Text("Third").Slot("Last", "%WINDIR%\\x.exe", "$W").Empty(17);
    DataFile wide;
    wide.Header(0x1F, 16, 2, 20);
    for (int i = 0; i < 16; ++i) wide.Text(std::string(i % 5 ? i : 257, 'h') + std::to_string(i));
    wide.Text(std::string(64, 'n')).Slot(std::string(259, 'a'), "C:\\" + std::string(256, 't'), "").Empty(19);
    wide.Text(std::string(62, 'n') + kHyo).Empty(18).Slot("s18", "C:\\a", "").Slot("s19", "C:\\b", "C:\\");
    return {DataFile().Header(0x18, 0, 1).Text("NewLaunchSet").Empty(18).bytes, three.bytes, wide.bytes};
}

// One to three changes: a byte flipped, a cut, a zero inserted or removed, a count, a text or the body's
// offset set at or past its limit, a lead byte at the end of a text.
std::string Mutated(std::string file, std::mt19937& random) {
    const uint8_t counts[] = {0, 1, 2, 3, 4, 15, 16, 17, 18, 19, 20, 254, 255};
    const size_t lengths[] = {63, 64, 65, 258, 259, 260, 600};
    for (int n = 1 + random() % 3; n > 0 && !file.empty(); --n) {
        const size_t at = random() % file.size(), text = std::max<size_t>(16, file.rfind('\0', at) + 1);
        const size_t end = file.find('\0', text);
        switch (random() % 8) {
        case 0:
            file[at] = char(file[at] ^ (1 << random() % 8));
            break;
        case 1:
            file.resize(at);
            break;
        case 2:
            file.insert(at, 1, '\0');
            break;
        case 3:
            if (file.find('\0', at) != std::string::npos) file.erase(file.find('\0', at), 1);
            break;
        case 4:
            if (file.size() > 14) file[12 + random() % 3] = char(counts[random() % 13]);
            break;
        case 5: {
            std::string long_text;
            for (size_t length = lengths[random() % 7]; long_text.size() < length;)
                long_text += random() % 2 ? "a" : kHyo;
            if (text < file.size()) file.replace(text, end - text, long_text);
            break;
        }
        case 6:
            if (end != std::string::npos)
                file.insert(end, 1, char(random() % 2 ? 0x81 : 0xE0 + random() % 29));
            break;
        default:
            if (file.size() > 5) file[4 + random() % 2] = char(random() % 2 ? 17 + random() % 4 : random());
        }
    }
    return file;
}

TEST(ReaderFuzz, DataFilesLoadWithinTheirLimitsAndSaveBackTheSame) {
    const std::vector<std::string> seeds = DataFileSeeds();
    std::mt19937 random(19);
    GuardedBytes guarded;
    LaunchData data, again;
    // Room held before anything is counted: what the model leaves behind is then all that changes the count.
    std::string saved, problem;
    saved.reserve(GuardedBytes::kRoom);
    std::unordered_set<size_t> checked;  // by the saved bytes' hash
    for (int n = 0; n < 100000; ++n) {
        const std::string file = Mutated(seeds[n % seeds.size()], random);
        ASSERT_LE(file.size(), GuardedBytes::kRoom);
        const char* bytes = guarded.Hold(file);
        saved.clear();
        problem.clear();
        data.Clear();
        const size_t empty = liveBytes;
        bool loaded = false;
        // The model holds at most a few bytes of its own for each byte of the file.
        const size_t peak = PeakOf([&] { loaded = data.Load(bytes, file.size()); });
        if (peak > 65536 + 64 * file.size()) problem = "memory " + std::to_string(peak);
        if (problem.empty()) problem = data.Broken(loaded, data.settings.slotsPerSet);
        if (problem.empty() && !loaded && !data.settings.keepAside)
            problem = "a refused file is not kept aside";
        if (loaded) saved.replace(0, 0, data.Save());  // into the room held
        data.Clear();
        if (problem.empty() && liveBytes != empty) problem = "leaked " + std::to_string(liveBytes - empty);
        // Many files load alike: each state is saved and loaded back once.
        if (problem.empty() && loaded && checked.insert(std::hash<std::string>()(saved)).second) {
            const bool reloaded = again.Load(guarded.Hold(saved), saved.size());
            problem = again.Broken(reloaded, 18);
            if (problem.empty() && (!reloaded || again.settings.keepAside))
                problem = "the saved file is refused";
            if (problem.empty() && again.Save() != saved) problem = "saved again: " + Hex(again.Save());
        }
        ASSERT_EQ("", problem) << "file " << n << ": " << Hex(file) << "\nsaved: " << Hex(saved);
    }
}

void Put(std::string& bytes, size_t at, uint32_t value, int size = 4) {
    for (int i = 0; i < size && at + i < bytes.size(); ++i) bytes[at + i] = char(value >> 8 * i);
}

// A BMP file: the file header, the 40-byte header, the colour table or masks, the pixel data.
std::string Picture(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                    const std::string& table, const std::string& data) {
    std::string bytes(54, '\0');
    Put(bytes, 0, 0x4D42, 2);
    Put(bytes, 2, uint32_t(54 + table.size() + data.size()));
    Put(bytes, 10, uint32_t(54 + table.size()));
    Put(bytes, 14, 40);
    Put(bytes, 18, uint32_t(width));
    Put(bytes, 22, uint32_t(height));
    Put(bytes, 26, 1, 2);
    Put(bytes, 28, bitCount, 2);
    Put(bytes, 30, compression);
    Put(bytes, 34, uint32_t(data.size()));
    Put(bytes, 46, bitCount <= 8 ? uint32_t(table.size() / 4) : 0);
    return bytes + table + data;
}

// A small picture of any depth, top-down now and then; run-length data with runs, literal runs and
// deltas that may reach past the row or below the picture. Then up to two fields at or past their limits,
// a cut or a flipped byte.
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
    std::string table = bits <= 8 ? bytes(4 * (1 + random() % (1u << bits))) : "", data;
    if (compression == BI_BITFIELDS) table = bytes(12);
    if (compression == BI_RGB || compression == BI_BITFIELDS)
        data = bytes((width * bits + 31) / 32 * 4 * height);
    for (int row = 0; row < height && (compression == BI_RLE8 || compression == BI_RLE4); ++row) {
        for (int n = random() % 4; n > 0; --n) {
            const int count = 3 + random() % 10, kind = random() % 4;
            if (kind == 0) data += {char(random() % 12), char(random())};
            if (kind == 1)
                data += std::string{'\0', char(count)} + bytes(bits == 8 ? count : (count + 1) / 2);
            if (kind == 1 && data.size() % 2) data += '\0';
            if (kind == 2) data += std::string{'\0', '\2', char(random() % 4), char(random() % 3)};
            if (kind == 3) data += bytes(2);
        }
        data += row + 1 < height ? std::string("\0\0", 2) : std::string("\0\1", 2);
    }
    std::string file = Picture(width, random() % 4 ? height : -height, bits, compression, table, data);
    const uint32_t sides[] = {0, 1, uint32_t(-1), 8193, 65535, 65536, INT32_MAX, uint32_t(INT32_MIN)};
    const uint32_t depths[] = {0, 1, 2, 4, 8, 16, 24, 32, 64};
    const uint32_t palettes[] = {0, 1, 255, 256, 257, UINT32_MAX};
    const uint32_t headers[] = {0, 12, 16, 39, 40, 41, 52, 56, 64, 108, 124, 125, UINT32_MAX};
    const uint32_t size = uint32_t(file.size());
    const uint32_t offsets[] = {0, 14, 53, 54, size - 1, size, size + 1, UINT32_MAX};
    for (int n = random() % 3; n > 0; --n) {
        switch (random() % 10) {
        case 0:
            Put(file, 18, sides[random() % 8]);
            break;
        case 1:
            Put(file, 22, sides[random() % 8]);
            break;
        case 2:
            Put(file, 28, depths[random() % 9], 2);
            break;
        case 3:
            Put(file, 30, random() % 7);
            break;
        case 4:
            Put(file, 46, palettes[random() % 6]);
            break;
        case 5:
            Put(file, 10, offsets[random() % 8]);
            break;
        case 6:
            Put(file, 14, headers[random() % 13]);
            break;
        case 7:
            Put(file, 34, offsets[4 + random() % 4]);
            break;
        case 8:
            file.resize(random() % file.size());
            break;
        default:
            file[random() % file.size()] ^= char(1 << random() % 8);
        }
    }
    return file;
}

// The picture as its header describes it, read by the format's rules.
struct Declared {
    explicit Declared(const std::string& file) {
        auto get = [&](size_t at, int size) {
            uint32_t value = 0;
            for (int i = size - 1; i >= 0; --i)
                value = value << 8 | uint8_t(at + i < file.size() ? file[at + i] : 0);
            return value;
        };
        const bool core = get(14, 4) == 12;
        offset = get(10, 4);
        width = core ? int32_t(get(18, 2)) : int32_t(get(18, 4));
        height = core ? int32_t(get(20, 2)) : int32_t(get(22, 4));
        bits = core ? get(24, 2) : get(28, 2);
        compression = core ? BI_RGB : get(30, 4);
        coded = core ? 0 : get(34, 4);
    }
    int64_t width, height;
    uint64_t bits, compression, offset, coded;
};

// What a loaded picture breaks of the rules for taking one, or empty.
std::string Broken(const std::string& file, const BITMAPINFOHEADER& header) {
    const Declared d(file);
    const int64_t height = d.height < 0 ? -d.height : d.height;
    if (header.biWidth != d.width || header.biHeight != height || header.biBitCount != 32) return "header";
    if (d.width > 65535 || height > 65535 || d.width * height > (1 << 26)) return "size";
    if (d.compression == BI_RGB || d.compression == BI_BITFIELDS)
        return d.offset + (d.width * d.bits + 31) / 32 * 4 * height <= file.size() ? "" : "rows missing";
    if (d.compression != BI_RLE8 && d.compression != BI_RLE4) return "compression";
    return d.height > 0 && d.coded > 0 && d.offset + d.coded <= file.size() ? "" : "runs outside";
}

// Every picture is checked in memory; those the check takes are loaded from a file.
TEST(ReaderFuzz, PicturesLoadWithinTheirHeadersOrNotAtAll) {
    std::mt19937 random(19);
    GuardedBytes guarded;
    velktest::TempFolder folder;
    const std::string path = folder.File("picture.bmp"), cache = folder.File("cache.bmp");
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int n = 0; n < 10000; ++n) {
        const std::string file = RandomPicture(random);
        const auto* head = reinterpret_cast<const unsigned char*>(guarded.Hold(file));
        if (CheckBitmapBytes(head, std::min<size_t>(file.size(), 138), file.size()) == BitmapLayout::Refused)
            continue;
        const Declared d(file);
        BITMAPINFOHEADER header = DescribePixels(int(d.width), int(d.height < 0 ? -d.height : d.height));
        std::string problem = Broken(file, header);
        ASSERT_TRUE(velktest::WriteBytes(path, file));
        PixelImage pixels;
        const size_t peak = PeakOf([&] { pixels = BitmapFile().Load(instance, path.c_str(), &header); });
        // The pixels the header declares, 4 bytes each, and a little more.
        if (problem.empty() && peak > 4 * size_t(header.biWidth) * header.biHeight + 65536)
            problem = "memory " + std::to_string(peak);
        if (problem.empty() && pixels) problem = Broken(file, header);
        // The wallpaper cache writes its rows back to back: a BMP's rows only when 3 x width is whole words.
        if (problem.empty() && pixels && header.biWidth % 4 == 0) {
            BITMAPINFO info = {header};
            BITMAPINFOHEADER again = {};
            PixelImage reloaded;
            if (!BitmapFile().SaveCache(cache.c_str(), info, pixels.get()) ||
                !(reloaded = BitmapFile().Load(instance, cache.c_str(), &again)) ||
                again.biWidth != header.biWidth || again.biHeight != header.biHeight)
                problem = "cache refused";
            for (LONG i = 0; problem.empty() && i < header.biWidth * header.biHeight; ++i)
                if ((reloaded[i] ^ pixels[i]) & 0xFFFFFF) problem = "cache pixel " + std::to_string(i);
        }
        ASSERT_EQ("", problem) << "picture " << n << ": " << Hex(file);
    }
}

}  // namespace
