// Fuzz harness of the unit import: arbitrary bytes go through the scanner,
// the statement extents, the converter and each routine's diagram file, as
// the plug-in would take them. A broken invariant aborts, so it counts as a
// finding like a crash or a sanitizer report.
//
// Everything stays in memory: each routine is converted once, and the bytes
// its file would hold are loaded back. Writing them to disk too would test
// the file system and cost a third of the time, not find more in our code.
#include "unitimport/converter.h"
#include "unitimport/routinefile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace kb;
using namespace kb::unitimport;

namespace {

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// Extents never run backwards or past the end, and take one line for each
// line they pass (a stray keyword becomes one " "), plus a blank statement
// for an empty then-branch before its "else": never fewer lines, never more
// than twice as many. The converter's table of statement ends must give the
// same ends, over the whole list and over a piece of it. In a deep nesting
// the first lines' statements are nearly the whole list each; a budget of
// lines taken stops the repeats.
void CheckExtents(const TLines& lines)
{
    size_t budget = 8 * lines.size() + 64;
    const TExtentTable table(lines);
    const size_t from = std::min<size_t>(lines.size(), 3);
    const TLineSpan piece = TLineSpan(lines).subspan(from, (lines.size() - from) / 2);
    for (size_t k = 0; k < piece.size() && k < 8; ++k)
        Check(table.StatementEnd(piece, k) == StatementEnd(piece, k),
              "the table agrees with StatementEnd on a piece");
    TLines out; // one list for every extent, so that it grows only once
    for (size_t k = 0; k < lines.size() && k < 32 && budget >= lines.size() - k; ++k) {
        out.clear();
        const size_t next = StatementExtent(lines, k, out);
        budget -= next - k;
        Check(next > k && next <= lines.size(), "extent stays inside the list");
        Check(out.size() >= next - k && out.size() <= 2 * (next - k),
              "extent takes a line for each line it passes");
        const auto written =
            std::count_if(out.begin(), out.end(), [](const std::string& l) { return l != " "; });
        Check(size_t(written) <= next - k, "extent adds nothing but blank statements");
        Check(table.StatementEnd(lines, k) == next, "the table agrees with StatementExtent");
    }
}

void CheckDiagram(const TShem& shem)
{
    for (int i = 0; i < shem.Count(); ++i) {
        const TShemObj* e = shem.Get(i);
        if (e->IsBlock()) {
            const TRect r = e->block().Rect();
            Check(ClampRect(r) == r, "block inside 0..65535");
        } else {
            const TLink& l = e->link();
            Check(ClampCoord(l.PosA.x) == l.PosA.x && ClampCoord(l.PosA.y) == l.PosA.y &&
                      ClampCoord(l.PosB.x) == l.PosB.x && ClampCoord(l.PosB.y) == l.PosB.y,
                  "positions inside 0..65535");
        }
    }
    // The bytes the routine's file would hold, as the writer saves them. The
    // writer names a link's ends by their places in this diagram, found by
    // address, and leaves out a link with an end that is not one of its
    // entries (null, or in another diagram), so a link end outside the
    // diagram shows here as an entry lost; a dangling one is a sanitizer
    // report when the writer reads its place.
    const std::vector<uint8_t> bytes = shem.SaveToBytes();
    TShem back;
    TLoadReport report;
    Check(back.LoadFromStream(bytes, &report) && report.Clean(), "written diagram loads cleanly");
    Check(back.Count() == shem.Count(), "nothing lost on the way through the file");
}

void CheckStem(const std::string& stem)
{
    Check(!stem.empty() && stem.size() <= 200, "stem length");
    for (unsigned char c : stem)
        Check(c >= 32 && c != 127 && !std::strchr("<>:\"/\\|?*", c), "stem characters");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TUnit unit = ScanText(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckExtents(unit.Lines);
    // Without a routine, the whole section goes through the converter as one
    // statement list, so lines no body holds reach it too; with routines,
    // their bodies do, and converting everything twice would halve the speed.
    if (unit.Routines.empty()) {
        try {
            Convert(unit.Lines);
        } catch (const TConvertError&) {
        }
    }

    for (const TRoutine& r : unit.Routines) {
        Check(!r.Body.empty() && r.Body.front() == "begin", "a body starts at its begin");
        CheckStem(FileStem(RoutineName(r.Header)));
        TShem shem;
        if (BuildRoutineDiagram(r, shem) == TSkipReason::None) CheckDiagram(shem);
    }
    return 0;
}
