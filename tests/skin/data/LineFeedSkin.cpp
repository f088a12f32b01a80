// line_feed_skin <file> <count>: writes a compressed skin whose name list is <count> line
// feeds, each an empty name. LZHUF shrinks such a list to about a fiftieth, so a small file
// promises millions of entries: the input of the skinpack memory-bound test.
#include "LzhEncoder.h"
#include "PackageWriter.h"
#include "SkinReader.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: line_feed_skin <file> <count>\n");
        return 2;
    }
    const unsigned long long count = std::strtoull(argv[2], nullptr, 10);
    if (count == 0 || count > static_cast<unsigned long long>(kMaxSkinPackageSize) - kSkinHeaderSize) {
        std::fprintf(stderr, "line_feed_skin: count out of range\n");
        return 2;
    }
    std::vector<std::uint8_t> package;
    AppendInt32(package, static_cast<std::uint32_t>(kSkinPackageVersion));
    AppendInt32(package, static_cast<std::uint32_t>(count));
    AppendInt32(package, 0);
    AppendInt32(package, 0);
    package.resize(kSkinHeaderSize + count, '\n');
    const std::vector<std::uint8_t> skin = CompressSkin(package);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(skin.data()), static_cast<std::streamsize>(skin.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "line_feed_skin: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%llu line feeds in %zu bytes\n", count, skin.size());
    return 0;
}
