// Writes a 65,536-entry diagram (the format's maximum) to the named file.
#include "bench/model/bigdiagram.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_big_diagram OUT.bls\n");
        return 2;
    }
    kb::TShem shem;
    kbbench::FillBigDiagram(shem, 65536);
    const auto bytes = shem.SaveToBytes();
    std::ofstream(argv[1], std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return 0;
}
