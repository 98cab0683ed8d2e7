// Feeds arbitrary bytes to the diagram reader, then uses what it built the way
// the editor would: saves and reloads it, asks the hit tests, deletes entries.
// Any crash, sanitizer report or broken invariant (abort) is a finding.
#include "model/shem.h"

#include <cstdlib>

namespace {

void Require(bool ok)
{
    if (!ok) std::abort();
}

void CheckSound(const kb::TShem& s)
{
    for (int i = 0; i < s.Count(); ++i) {
        const kb::TShemObj* e = s.Get(i);
        if (e->IsBlock()) {
            const kb::Block& b = e->block();
            Require(b.Left >= 0 && b.Left <= 65535 && b.Bottom >= 0 && b.Bottom <= 65535);
            continue;
        }
        for (const kb::TShemObj* end : {e->link().EndA, e->link().EndB}) {
            const int k = s.IndexOf(end);
            Require(k >= 0);
            Require(end->IsBlock() || k < i); // sorted, so no cycle
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kb::TShem s;
    if (!s.LoadFromStream(std::span<const uint8_t>(data, size))) return 0;
    CheckSound(s);

    const auto saved = s.SaveToBytes();
    kb::TShem again;
    kb::TLoadReport report;
    Require(again.LoadFromStream(saved, &report));
    Require(report.HeaderOk && report.DroppedLinks == 0); // what it wrote reads back whole
    Require(again.SaveToBytes() == saved);

    const kb::TRect b = s.Bounds();
    for (kb::TPoint p : {kb::TPoint{b.Left, b.Top}, kb::TPoint{b.Right, b.Bottom},
                         kb::MidPoint({b.Left, b.Top}, {b.Right, b.Bottom})}) {
        kb::TPoint snapped;
        int handle = 0, end = 0;
        s.ObjectAt(p);
        s.LinkTargetAt(p, snapped);
        s.HandleAt(p, handle);
        s.LinkEndAt(p, end);
    }
    for (int i = s.NextInRectIndex(-1, {0, 0, 65535, 65535}); i >= 0;
         i = s.NextInRectIndex(i, {0, 0, 65535, 65535}))
        ;
    if (s.Count() > 0) {
        s.ChangeKind(s.Get(0), uint8_t(size % 10));
        s.Delete(int(size % size_t(s.Count())));
        CheckSound(s);
    }
    return 0;
}
