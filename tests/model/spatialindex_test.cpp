// The spatial index must not change a single answer of the hit tests: random
// diagrams, odd shapes included, are asked the same questions with the index
// and with the plain walk over the list.
#include "model/shem.h"

#include <gtest/gtest.h>

#include <random>

using namespace kb;

namespace {

class TRandomDiagram
{
public:
    explicit TRandomDiagram(uint32_t seed) : m_rng(seed) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool Chance(int percent) { return Int(1, 100) <= percent; }

    // Mostly a crowded area, some entries over the whole plane and at its edges.
    int Coord()
    {
        if (Chance(80)) return Int(1000, 3000);
        if (Chance(50)) return Int(0, 65535);
        return Chance(50) ? Int(0, 6) : Int(65529, 65535);
    }

    Block RandomBlock()
    {
        Block b;
        b.Kind = uint8_t(Int(0, 9));
        b.Left = Coord();
        b.Top = Coord();
        const int shape = Int(1, 10);
        const int w = shape == 1   ? 0
                      : shape == 2 ? Int(1, 7)
                      : shape == 3 ? Int(500, 30000)
                                   : Int(8, 240);
        const int h = shape == 4   ? 0
                      : shape == 5 ? Int(1, 7)
                      : shape == 6 ? Int(500, 30000)
                                   : Int(8, 120);
        b.Right = std::min(b.Left + w, 65535);
        b.Bottom = std::min(b.Top + h, 65535);
        if (Chance(3)) std::swap(b.Left, b.Right); // turned inside out, as a damaged file may hold
        if (Chance(3)) std::swap(b.Top, b.Bottom);
        return b;
    }

    TPoint Position()
    {
        static const int32_t kSpecial[] = {0, 65535, 32767, 32768, 10922};
        auto v = [&] { return Chance(50) ? kSpecial[Int(0, 4)] : Int(0, 65535); };
        return {v(), v()};
    }

    void Fill(TShem& shem, int entries)
    {
        for (int i = 0; i < entries; ++i) {
            if (shem.Count() < 2 || Chance(45)) {
                shem.AddBlock(RandomBlock());
                continue;
            }
            TLink l;
            l.Style = uint8_t(Int(0, 7));
            // Ends on earlier entries only, so no chain of links loops.
            l.EndA = shem.Get(Int(0, shem.Count() - 1));
            l.EndB = Chance(5) ? l.EndA : shem.Get(Int(0, shem.Count() - 1));
            l.PosA = Position();
            l.PosB = Chance(5) ? l.PosA : Position();
            shem.AddLink(l);
        }
    }

    // A point near an entry, or anywhere.
    TPoint Near(const TShem& shem)
    {
        if (Chance(10)) return {Int(-10, 65545), Int(-10, 65545)};
        if (Chance(5)) return {Int(-4, 4), Int(0, 65535)};
        const TShemObj& e = *shem.Get(Int(0, shem.Count() - 1));
        TPoint p;
        if (e.IsBlock()) {
            const Block& b = e.block();
            p = {Chance(50) ? b.Left : b.Right, Chance(50) ? b.Top : b.Bottom};
            if (Chance(50))
                p = {Int(std::min(b.Left, b.Right), std::max(b.Left, b.Right)),
                     Int(std::min(b.Top, b.Bottom), std::max(b.Top, b.Bottom))};
        } else {
            const TLinkEnds s = shem.LinkEnds(e.link());
            p = Chance(50) ? s.A : s.B;
            if (Chance(50)) p = MidPoint(s.A, s.B);
        }
        return {p.x + Int(-9, 9), p.y + Int(-9, 9)};
    }

    // A rectangle, sometimes with an edge or its diagonal on a link's line.
    TRect Rect(const TShem& shem)
    {
        const TPoint a = Near(shem);
        TRect r{a.x, a.y, a.x + Int(0, 600), a.y + Int(0, 400)};
        const TShemObj& e = *shem.Get(Int(0, shem.Count() - 1));
        if (e.IsLink() && Chance(40)) {
            const TLinkEnds s = shem.LinkEnds(e.link());
            const int pick = Int(0, 2);
            if (pick == 0) r = {Int(0, 65535), s.A.y, Int(0, 65535), Int(0, 65535)};
            if (pick == 1) r = {s.A.x, Int(0, 65535), Int(0, 65535), Int(0, 65535)};
            if (pick == 2) r = {s.A.x, s.A.y, s.B.x, s.B.y};
        }
        if (Chance(10)) std::swap(r.Left, r.Right);
        if (Chance(10)) r.Bottom = r.Top;
        return r;
    }

private:
    std::mt19937 m_rng;
};

// Every point question, with and without the index, must agree.
void ExpectSamePointAnswers(TShem& shem, TPoint p)
{
    auto ask = [&](bool indexed) {
        shem.UseSpatialIndex(indexed);
        TPoint snapped{-1, -1};
        int handle = -1, end = -1;
        std::vector<const void*> out{shem.ObjectAt(p), shem.LinkTargetAt(p, snapped),
                                     shem.HandleAt(p, handle), shem.LinkEndAt(p, end)};
        return std::make_tuple(out, snapped, handle, end);
    };
    const auto linear = ask(false);
    const auto indexed = ask(true);
    EXPECT_EQ(indexed, linear) << "at (" << p.x << ", " << p.y << ")";
}

std::vector<int> Enumerate(const TShem& shem, const TRect& r)
{
    std::vector<int> found;
    for (int i = shem.NextInRectIndex(-1, r); i >= 0; i = shem.NextInRectIndex(i, r))
        found.push_back(i);
    return found;
}

void ExpectSameRectAnswers(TShem& shem, const TRect& r)
{
    shem.UseSpatialIndex(false);
    const std::vector<int> linear = Enumerate(shem, r);
    const TShemObj* firstLinear = shem.NextInRect(nullptr, r);
    shem.UseSpatialIndex(true);
    EXPECT_EQ(Enumerate(shem, r), linear)
        << "rectangle (" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
    EXPECT_EQ(shem.NextInRect(nullptr, r), firstLinear);
}

TEST(SpatialIndex, AnswersAsTheWalkOverTheListDoesOnRandomDiagrams)
{
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        TRandomDiagram gen(seed);
        TShem shem;
        gen.Fill(shem, gen.Int(300, 900));
        for (int round = 0; round < 3; ++round) {
            for (int q = 0; q < 600; ++q)
                ExpectSamePointAnswers(shem, gen.Near(shem));
            for (int q = 0; q < 60; ++q)
                ExpectSameRectAnswers(shem, gen.Rect(shem));
            if (testing::Test::HasFailure()) return;
            // Changes between the rounds: the index must follow them.
            for (int k = 0; k < 20; ++k) {
                TShemObj* e = shem.Get(gen.Int(0, shem.Count() - 1));
                if (e->IsBlock()) {
                    e->block() = gen.RandomBlock();
                    shem.NoteChanged();
                }
            }
            shem.Delete(gen.Int(0, shem.Count() - 1));
            gen.Fill(shem, 30);
        }
    }
}

TEST(SpatialIndex, FindsLinksThatMeetTheRectangleOnlyOnTheLineOfAnEdge)
{
    // The side test reads a horizontal link on the line of the top edge as
    // crossing it, however far away it lies; the index keeps that answer.
    TShem shem;
    for (int i = 0; i < 400; ++i) {
        Block b;
        b.Left = 100 + (i % 20) * 100;
        b.Top = 100 + (i / 20) * 60;
        b.Right = b.Left + 80;
        b.Bottom = b.Top + 40;
        shem.AddBlock(b);
    }
    TLink far;
    far.EndA = shem.Get(0);
    far.EndB = shem.Get(19);
    far.PosA = {0, 0};
    far.PosB = {65535, 0};
    shem.AddLink(far); // along y = 100 from x = 100 to x = 2080
    const TRect r{5000, 100, 5100, 200};
    shem.UseSpatialIndex(false);
    const std::vector<int> linear = Enumerate(shem, r);
    ASSERT_EQ(linear, std::vector<int>{400});
    for (int i = 0; i < 5; ++i) // past the walks after which the index is built
        EXPECT_EQ(Enumerate(shem, {0, 0, 65535, 65535}).size(), 401u);
    shem.UseSpatialIndex(true);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Enumerate(shem, r), linear);
}

} // namespace
