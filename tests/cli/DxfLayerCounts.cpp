// Reads a DXF drawing with dxflib and prints, one per line, each layer's entity count (blocks and
// model space together) as "<count> <layer>", the layer in UTF-8; exits 1 when dxflib cannot
// read the file. The drawing tests compare it with what ezdxf finds in the same file.
#include "../cad/DxfReadBack.h"

#include <iostream>

namespace {

/// The drawings' names are in the Latin-1 code page.
std::string utf8OfLatin1(const std::string &s)
{
    std::string out;
    for (unsigned char c : s) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::cerr << "uso: dxf_layer_counts DESENHO.dxf\n";
        return 1;
    }
    DxfReadBack back;
    if (!back.read(argv[1])) {
        std::cerr << "dxflib não leu " << argv[1] << "\n";
        return 1;
    }
    for (const auto &[layer, count] : back.perLayer)
        std::cout << count << " " << utf8OfLatin1(layer) << "\n";
    return 0;
}
