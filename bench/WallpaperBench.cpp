// Times the wallpaper scaler on large pictures and a whole Build from a file.
// Writes the pictures as BMP files into the folder given as the argument, so
// that a baseline can resize the same files; prints one line per figure:
//   scale <width>x<height> <fit|fill> <median ms>
//   load <width>x<height> <median ms>
//   build <width>x<height> <median ms>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "wallpaper/WallpaperRenderer.h"

namespace {
constexpr int kRuns = 7;
constexpr int kPanelWidth = 256, kPanelHeight = 192;
constexpr PackedColor kColor = 0x02336699;

double NowMs() {
    LARGE_INTEGER count = {}, frequency = {};
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(count.QuadPart) / double(frequency.QuadPart);
}

template <typename Work>
double MedianMs(Work work) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const double start = NowMs();
        work();
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A photo-like picture: smooth gradients with some noise.
std::vector<uint32_t> MakePicture(int width, int height) {
    std::vector<uint32_t> picture(size_t(width) * height);
    uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            noise = noise * 1664525 + 1013904223;
            const uint32_t red = (x * 255 / width + (noise >> 28)) & 0xFF;
            const uint32_t green = (y * 255 / height + (noise >> 24 & 15)) & 0xFF;
            const uint32_t blue = ((x + y) & 0xFF);
            picture[size_t(y) * width + x] = red << 16 | green << 8 | blue;
        }
    }
    return picture;
}

bool WriteBmp(const std::string& path, const std::vector<uint32_t>& picture, int width, int height) {
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + stride * height);
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<unsigned char> rows(stride * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = picture[size_t(y) * width + x];
            unsigned char* out = rows.data() + stride * y + 3 * x;
            out[0] = p & 0xFF;
            out[1] = (p >> 8) & 0xFF;
            out[2] = (p >> 16) & 0xFF;
        }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(rows.data()), static_cast<std::streamsize>(rows.size()));
    return static_cast<bool>(out);
}
}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    struct Size {
        int width, height;
    } sizes[] = {{4000, 3000}, {6001, 4001}};

    WallpaperRenderer renderer;
    for (const Size& size : sizes) {
        const std::vector<uint32_t> picture = MakePicture(size.width, size.height);
        const std::string name = std::to_string(size.width) + "x" + std::to_string(size.height);
        const std::string path = folder + "\\" + name + ".bmp";
        if (!WriteBmp(path, picture, size.width, size.height)) {
            std::printf("error cannot write %s\n", path.c_str());
            return 1;
        }
        for (uint8_t fill : {0, 1}) {
            const double ms = MedianMs([&] {
                PixelImage scaled = renderer.Scale(picture.data(), size.width, size.height, kPanelWidth,
                                                   kPanelHeight, fill, kColor);
                if (!scaled) std::printf("error scale failed\n");
            });
            std::printf("scale %s %s %.1f\n", name.c_str(), fill ? "fill" : "fit", ms);
        }
        if (size.width == 4000) {
            const double loadMs = MedianMs([&] {
                BITMAPINFOHEADER header = {};
                if (!renderer.Load(nullptr, path.c_str(), &header)) std::printf("error load failed\n");
            });
            std::printf("load %s %.1f\n", name.c_str(), loadMs);
            const double ms = MedianMs([&] {
                if (!renderer.Build(nullptr, path.c_str(), kPanelWidth, kPanelHeight, 0, kColor, 60) ||
                    renderer.info.bmiHeader.biBitCount != 32)
                    std::printf("error build failed\n");
            });
            std::printf("build %s %.1f\n", name.c_str(), ms);
        }
        std::fflush(stdout);
    }
    return 0;
}
