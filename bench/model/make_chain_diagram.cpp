// Writes the diagram of one long chain of links on links (chaindiagram.h).
//
//   make_chain_diagram OUT.bls [LINKS] [--hub]   (40,000 links by default)
#include "bench/model/chaindiagram.h"
#include "model/atomicfile.h"
#include "model/shem.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_chain_diagram OUT.bls [LINKS] [--hub]\n");
        return 2;
    }
    const int links = argc > 2 ? std::atoi(argv[2]) : 40000;
    kb::TShem s;
    kbbench::FillChain(s, links, argc > 3 && std::string(argv[3]) == "--hub");
    const kb::TWriteStatus status = kb::WriteFileAtomically(argv[1], s.SaveToBytes());
    if (!status.Ok()) std::fprintf(stderr, "%s\n", status.Error.c_str());
    return status.Ok() ? 0 : 1;
}
