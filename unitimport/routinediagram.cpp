#include "unitimport/routinediagram.h"

#include "model/keywords.h"
#include "unitimport/converter.h"

#include <algorithm>

namespace kb::unitimport {

std::string_view SkipReasonText(TSkipReason why)
{
    switch (why) {
    case TSkipReason::None:
        return {};
    case TSkipReason::BeginEndMismatch:
        return "begin and end do not match";
    case TSkipReason::RepeatUntilMismatch:
        return "repeat and until do not match";
    case TSkipReason::LayoutTooLarge:
        return "its diagram would be larger than 65535 units";
    case TSkipReason::NestedTooDeeply:
        return "its statements are nested too deeply";
    }
    return {};
}

TSkipReason CheckBalance(const TLines& body)
{
    int blocks = 0, loops = 0;
    for (const std::string& line : body) {
        if (OpensEnd(line)) {
            ++blocks;
            continue;
        }
        switch (FindKeyword(line)) {
        case kwEnd:
            if (--blocks < 0) return TSkipReason::BeginEndMismatch;
            break;
        case kwRepeat:
            ++loops;
            break;
        case kwUntil:
            if (--loops < 0) return TSkipReason::RepeatUntilMismatch;
            break;
        default:
            break;
        }
    }
    return TSkipReason::None;
}

namespace {

Block Ellipse(const char* text, TRect r)
{
    Block b;
    b.Kind = bkEllipse;
    b.Text = text;
    // Only a body hugging the left edge could push an ellipse past it.
    r.Left = std::max(r.Left, 0);
    b.SetRect(r);
    return b;
}

bool FitsFormat(const TShem& shem)
{
    for (int i = 0; i < shem.Count(); ++i) {
        const TShemObj* e = shem.Get(i);
        if (e->IsBlock() && ClampRect(e->block().Rect()) != e->block().Rect()) return false;
    }
    return true;
}

// The converted body moves down by 40 and right by 10 to make room for
// the title and the "begin" ellipse; the "end" ellipse hangs under L.
TSkipReason Frame(const TRoutine& routine, TConversion& body, TShem& out)
{
    TDraft d = body.Diagram.NewSub();
    d.Place(body.Diagram, {10, 40});

    const TRect f = d.RectOf(body.F);
    const double cx = (double(f.Left) + f.Right) / 2;
    const TItemId begin = d.AppendBlock(Ellipse("begin", {Trunc(cx - 40), 10, Trunc(cx + 40), 30}));
    d.AppendLink({lsArrowB, begin, body.F, kBM, kTM});

    const TPoint p = d.PointOf(body.L, kBM);
    const TItemId end = d.AppendBlock(Ellipse("end", {p.x - 40, p.y + 10, p.x + 40, p.y + 30}));
    d.AppendLink({lsArrowB, body.L, end, kBM, kTM});

    Block title;
    title.Kind = bkText;
    title.Text = routine.Header;
    title.SetRect({0, 0, 160, 40});
    d.AppendBlock(title);

    d.AppendTo(out);
    if (!FitsFormat(out)) {
        out.Clear();
        return TSkipReason::LayoutTooLarge;
    }
    return TSkipReason::None;
}

} // namespace

TSkipReason BuildRoutineDiagram(const TRoutine& routine, TShem& out)
{
    out.Clear();
    if (const TSkipReason why = CheckBalance(routine.Body); why != TSkipReason::None) return why;
    // The body without its own "begin" and "end".
    TLineSpan statements(routine.Body);
    statements =
        statements.size() >= 2 ? statements.subspan(1, statements.size() - 2) : TLineSpan{};
    try {
        TConversion c = Convert(statements);
        return Frame(routine, c, out);
    } catch (const TConvertError& e) {
        return e.Why == TConvertFailure::LayoutTooLarge ? TSkipReason::LayoutTooLarge
                                                        : TSkipReason::NestedTooDeeply;
    }
}

} // namespace kb::unitimport
