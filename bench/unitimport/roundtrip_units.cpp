// roundtrip_units UNIT...: for every routine of every unit, what the import
// draws and the Pascal export writes back. One JSON object a routine on
// standard output: {"unit", "index", "header", "name", "directives",
// "skipped", "messages", "pascal"}. Texts are the unit's bytes, each byte
// above 127 written as \u00XX, so that a reader gets them back as Latin-1.
// bench/unitimport/roundtrip_fpc.py puts the routines back into their units
// and compiles them.
#include "pasexport/expunit.h"
#include "unitimport/routinediagram.h"
#include "unitimport/routinefile.h"
#include "unitimport/scanner.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace kb::unitimport;

namespace {

std::string ReadAll(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Json(std::string_view s)
{
    std::string out = "\"";
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 32 || c > 126) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string JsonList(const std::vector<std::string>& items)
{
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? "," : "") + Json(items[i]);
    return out + "]";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: roundtrip_units UNIT...\n");
        return 2;
    }
    for (int u = 1; u < argc; ++u) {
        const TUnit unit = ScanText(ReadAll(argv[u]));
        for (size_t i = 0; i < unit.Routines.size(); ++i) {
            const TRoutine& r = unit.Routines[i];
            kb::TShem shem;
            const TSkipReason why = BuildRoutineDiagram(r, shem);
            std::vector<std::string> messages, pascal;
            if (why == TSkipReason::None) messages = kb::ExportPascal(shem.SaveToBytes(), pascal);
            std::printf("{\"unit\":%s,\"index\":%zu,\"header\":%s,\"name\":%s,\"directives\":%s,"
                        "\"skipped\":%s,\"messages\":%s,\"pascal\":%s}\n",
                        Json(argv[u]).c_str(), i, Json(r.Header).c_str(),
                        Json(RoutineName(r.Header)).c_str(), r.LostDirectives ? "true" : "false",
                        Json(SkipReasonText(why)).c_str(), JsonList(messages).c_str(),
                        JsonList(pascal).c_str());
        }
    }
    return 0;
}
