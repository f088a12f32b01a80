// skinpack: packs a skin folder into a compressed skin, and unpacks or describes one.
#include "SkinPackCommands.h"

#include <cstring>
#include <exception>
#include <iostream>

namespace {

int Usage() {
    std::cerr << "usage: skinpack pack <folder> <file> [--stored]\n"
                 "       skinpack unpack <file> <folder>\n"
                 "       skinpack info <file>\n"
                 "pack takes one .ini description and the .bmp files of the folder; --stored writes\n"
                 "the form's stored property (length word + compressed skin) instead of a skin file.\n"
                 "unpack and info accept both.\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc >= 4 && std::strcmp(argv[1], "pack") == 0) {
            const bool stored = argc == 5 && std::strcmp(argv[4], "--stored") == 0;
            if (argc != 4 && !stored) return Usage();
            return PackCommand(argv[2], argv[3], stored, std::cout, std::cerr);
        }
        if (argc == 4 && std::strcmp(argv[1], "unpack") == 0) return UnpackCommand(argv[2], argv[3], std::cout, std::cerr);
        if (argc == 3 && std::strcmp(argv[1], "info") == 0) return InfoCommand(argv[2], std::cout, std::cerr);
        return Usage();
    } catch (const std::exception& e) {
        std::cerr << "skinpack: " << e.what() << "\n";
        return 1;
    }
}
