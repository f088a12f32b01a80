// Decoder throughput: a 10 MB skin package (bitmap-like members: gradients, flat areas and
// noise, as skin images are) compressed with the packing tool's encoder, then decoded and parsed
// by the program's reader. Prints MB/s of decoded package, best of five.
#include "LzhEncoder.h"
#include "PackageWriter.h"
#include "SkinReader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

int main() {
    std::mt19937 random(12345);
    std::vector<TPackageMember> members;
    size_t total = 0;
    for (int m = 0; total < 10u * 1000 * 1000; ++m) {
        TPackageMember member{"image" + std::to_string(m) + ".bmp", {}};
        const int w = 300, h = 200;
        member.Bytes.resize(54 + w * h * 3);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint8_t* p = &member.Bytes[54 + (y * w + x) * 3];
                bool flat = (x / 40 + y / 25 + m) % 3 == 0;
                p[0] = flat ? 0xF0 : static_cast<uint8_t>(x * 255 / w);
                p[1] = flat ? 0xF0 : static_cast<uint8_t>(y * 255 / h);
                p[2] = flat ? 0xF0 : static_cast<uint8_t>((x + y + (random() & 7)) & 0xFF);
            }
        total += member.Bytes.size();
        members.push_back(std::move(member));
    }
    members.push_back({"skin.ini", std::vector<uint8_t>(4000, 'a')});
    const std::vector<uint8_t> package = BuildPackage(members);
    const std::vector<uint8_t> compressed = CompressSkin(package);
    std::printf("package: %.1f MB decoded, %.1f MB compressed (%.2f:1)\n", package.size() / 1e6,
                compressed.size() / 1e6, double(package.size()) / compressed.size());

    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        TSkinReader reader;
        auto start = std::chrono::steady_clock::now();
        TPackageStatus status = reader.LoadPackage(compressed);
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (status != TPackageStatus::psLoaded || reader.Entries().size() != members.size()) {
            std::printf("decode failed\n");
            return 1;
        }
        best = std::min(best, s);
    }
    std::printf("decode and parse: %.1f ms, %.1f MB/s of package (best of 5)\n", best * 1e3, package.size() / 1e6 / best);
    return 0;
}
