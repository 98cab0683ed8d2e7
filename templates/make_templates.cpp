// Writes the shipped diagram templates. The .bls files beside this source are
// its output, kept in the tree so that they can be read and edited like any
// diagram; the test templates_up_to_date checks that they still agree.
//
//   make_templates DIR          writes every template under DIR
//   make_templates --check DIR  exits 1 when a file under DIR differs
//
// Every template is laid out the way the Pascal export reads a flowchart:
// decisions carry "yes" labels, joins are links that end on links or arrows
// into a block (never a joint point where three links meet), and each
// template has one open end, a joint point with a single link, from which
// the user draws the link on to the next block.
#include "model/atomicfile.h"
#include "model/cp1251.h"
#include "model/shem.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using namespace kb;
namespace fs = std::filesystem;

namespace {

constexpr TPoint kTM{32767, 0};
constexpr TPoint kBM{32767, 65535};
constexpr TPoint kLM{0, 32767};
constexpr TPoint kRM{65535, 32767};
constexpr TPoint kCE{32767, 32767};

class TTemplate
{
public:
    // Texts are given in UTF-8 and stored in Windows-1251, as the editor stores them.
    TShemObj* Block(uint8_t kind, const char* utf8, TRect r, uint8_t align = taCenter)
    {
        kb::Block b;
        b.Kind = kind;
        Utf8ToCp1251(utf8, b.Text);
        b.Align = align;
        b.SetRect(r);
        return m_shem.Get(m_shem.AddBlock(b));
    }
    TShemObj* Rect(const char* text, TRect r) { return Block(bkRectangle, text, r); }
    TShemObj* Rhomb(const char* text, TRect r) { return Block(bkRhomb, text, r); }
    TShemObj* Label(const char* text, int x, int y)
    {
        return Block(bkText, text, {x, y, x + 30, y + 14}, taLeft);
    }
    TShemObj* Joint(int x, int y) { return Block(bkJoint, "", {x - 1, y - 1, x + 1, y + 1}); }

    // A plain line (no direction of its own) and an arrow at end B.
    TShemObj* Line(TShemObj* a, TPoint pa, TShemObj* b, TPoint pb) { return Link(0, a, pa, b, pb); }
    TShemObj* Arrow(TShemObj* a, TPoint pa, TShemObj* b, TPoint pb)
    {
        return Link(1, a, pa, b, pb);
    }

    std::vector<uint8_t> Bytes() const { return m_shem.SaveToBytes(); }

private:
    TShemObj* Link(uint8_t style, TShemObj* a, TPoint pa, TShemObj* b, TPoint pb)
    {
        TLink l;
        l.Style = style;
        l.EndA = a;
        l.EndB = b;
        l.PosA = pa;
        l.PosB = pb;
        return m_shem.Get(m_shem.AddLink(l));
    }

    TShem m_shem;
};

std::vector<uint8_t> IfThen()
{
    TTemplate t;
    TShemObj* d = t.Rhomb("условие", {40, 0, 160, 50});
    TShemObj* body = t.Rect("действие", {40, 80, 160, 110});
    t.Label("yes", 104, 52);
    t.Label("no", 163, 8);
    TShemObj* right = t.Joint(190, 25);
    TShemObj* down = t.Joint(190, 130);
    TShemObj* out = t.Joint(100, 150);
    t.Arrow(d, kBM, body, kTM);
    t.Line(d, kRM, right, kCE);
    t.Line(right, kCE, down, kCE);
    TShemObj* exit = t.Line(body, kBM, out, kCE);
    t.Arrow(down, kCE, exit, kCE); // the no-branch joins halfway down the exit
    return t.Bytes();
}

std::vector<uint8_t> IfThenElse()
{
    TTemplate t;
    TShemObj* d = t.Rhomb("условие", {70, 0, 190, 50});
    TShemObj* a1 = t.Rect("действие 1", {0, 80, 80, 110});
    TShemObj* a2 = t.Rect("действие 2", {180, 80, 260, 110});
    t.Label("yes", 35, 8);
    t.Label("no", 195, 8);
    TShemObj* left = t.Joint(40, 25);
    TShemObj* right = t.Joint(220, 25);
    TShemObj* leftEnd = t.Joint(40, 140);
    TShemObj* rightEnd = t.Joint(220, 140);
    TShemObj* out = t.Joint(130, 140);
    t.Line(d, kLM, left, kCE);
    t.Arrow(left, kCE, a1, kTM);
    t.Line(d, kRM, right, kCE);
    t.Arrow(right, kCE, a2, kTM);
    t.Line(a1, kBM, leftEnd, kCE);
    TShemObj* join = t.Line(leftEnd, kCE, out, kCE);
    t.Line(a2, kBM, rightEnd, kCE);
    t.Arrow(rightEnd, kCE, join, {65535, 0}); // meets the left branch at the open end
    return t.Bytes();
}

std::vector<uint8_t> Case()
{
    TTemplate t;
    TShemObj* d1 = t.Rhomb("x = 1", {40, 0, 160, 50});
    TShemObj* v1 = t.Rect("вариант 1", {200, 10, 300, 40});
    TShemObj* d2 = t.Rhomb("x = 2", {40, 80, 160, 130});
    TShemObj* v2 = t.Rect("вариант 2", {200, 90, 300, 120});
    TShemObj* other = t.Rect("иначе", {40, 160, 160, 190});
    t.Label("yes", 165, 8);
    t.Label("no", 104, 52);
    t.Label("yes", 165, 88);
    t.Label("no", 104, 132);
    TShemObj* top = t.Joint(330, 25);
    TShemObj* bottom = t.Joint(330, 215);
    TShemObj* out = t.Joint(100, 240);
    t.Arrow(d1, kRM, v1, kLM);
    t.Arrow(d1, kBM, d2, kTM);
    t.Arrow(d2, kRM, v2, kLM);
    t.Arrow(d2, kBM, other, kTM);
    t.Line(v1, kRM, top, kCE);
    TShemObj* column = t.Line(top, kCE, bottom, kCE);
    // Variant 2 meets the column at its own height: 80 of the column's 190 units down.
    t.Arrow(v2, kRM, column, {80 * 65535 / 190, 0});
    TShemObj* exit = t.Line(other, kBM, out, kCE);
    t.Arrow(bottom, kCE, exit, kCE);
    return t.Bytes();
}

std::vector<uint8_t> While()
{
    TTemplate t;
    TShemObj* d = t.Rhomb("условие", {40, 20, 160, 70});
    TShemObj* body = t.Rect("тело цикла", {40, 100, 160, 130});
    t.Label("yes", 104, 72);
    t.Label("no", 163, 28);
    TShemObj* below = t.Joint(100, 150);
    TShemObj* corner = t.Joint(10, 150);
    TShemObj* back = t.Joint(10, 20);
    TShemObj* right = t.Joint(190, 45);
    TShemObj* down = t.Joint(190, 170);
    TShemObj* out = t.Joint(100, 170);
    t.Arrow(d, kBM, body, kTM);
    t.Line(body, kBM, below, kCE);
    t.Line(below, kCE, corner, kCE);
    t.Line(corner, kCE, back, kCE);
    t.Arrow(back, kCE, d, kTM);
    t.Line(d, kRM, right, kCE);
    t.Line(right, kCE, down, kCE);
    t.Line(down, kCE, out, kCE);
    return t.Bytes();
}

std::vector<uint8_t> RepeatUntil()
{
    TTemplate t;
    TShemObj* body = t.Rect("тело цикла", {40, 20, 160, 50});
    TShemObj* d = t.Rhomb("условие выхода", {40, 80, 160, 130});
    t.Label("yes", 104, 132);
    t.Label("no", 12, 88);
    TShemObj* out = t.Joint(100, 160);
    TShemObj* corner = t.Joint(10, 105);
    TShemObj* back = t.Joint(10, 35);
    t.Arrow(body, kBM, d, kTM);
    t.Line(d, kBM, out, kCE);
    t.Line(d, kLM, corner, kCE);
    t.Line(corner, kCE, back, kCE);
    t.Arrow(back, kCE, body, kLM);
    return t.Bytes();
}

std::vector<uint8_t> For()
{
    TTemplate t;
    TShemObj* init = t.Rect("i := 1", {40, 0, 160, 30});
    TShemObj* d = t.Rhomb("i <= n", {40, 60, 160, 110});
    TShemObj* body = t.Rect("тело цикла", {40, 140, 160, 170});
    TShemObj* step = t.Rect("i := i + 1", {40, 190, 160, 220});
    t.Label("yes", 104, 112);
    t.Label("no", 163, 68);
    TShemObj* below = t.Joint(100, 240);
    TShemObj* corner = t.Joint(10, 240);
    TShemObj* back = t.Joint(10, 45);
    TShemObj* right = t.Joint(190, 85);
    TShemObj* down = t.Joint(190, 260);
    TShemObj* out = t.Joint(100, 260);
    TShemObj* entry = t.Arrow(init, kBM, d, kTM);
    t.Arrow(d, kBM, body, kTM);
    t.Arrow(body, kBM, step, kTM);
    t.Line(step, kBM, below, kCE);
    t.Line(below, kCE, corner, kCE);
    t.Line(corner, kCE, back, kCE);
    t.Arrow(back, kCE, entry, kCE); // the loop re-enters halfway down the first link
    t.Line(d, kRM, right, kCE);
    t.Line(right, kCE, down, kCE);
    t.Line(down, kCE, out, kCE);
    return t.Bytes();
}

std::vector<uint8_t> Routine()
{
    TTemplate t;
    TShemObj* begin = t.Block(bkEllipse, "begin", {40, 0, 160, 30});
    TShemObj* action = t.Rect("действие", {40, 60, 160, 90});
    TShemObj* end = t.Block(bkEllipse, "end", {40, 120, 160, 150});
    t.Arrow(begin, kBM, action, kTM);
    t.Arrow(action, kBM, end, kTM);
    return t.Bytes();
}

struct TEntry
{
    const char* path; // UTF-8, relative to the templates folder
    std::vector<uint8_t> (*make)();
};

const TEntry kTemplates[] = {
    {"Ветвления/Если-то.bls", IfThen},       {"Ветвления/Если-то-иначе.bls", IfThenElse},
    {"Ветвления/Выбор.bls", Case},           {"Циклы/Пока.bls", While},
    {"Циклы/Повторять-до.bls", RepeatUntil}, {"Циклы/Для.bls", For},
    {"Подпрограмма.bls", Routine},
};

fs::path PathOf(const fs::path& dir, const char* utf8)
{
    return dir / fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8)));
}

std::vector<uint8_t> ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Write(const fs::path& p, const std::vector<uint8_t>& bytes)
{
    std::error_code ec;
    fs::create_directories(p.parent_path(), ec);
    return kb::WriteFileAtomically(p.string(), bytes).Ok();
}

} // namespace

int main(int argc, char** argv)
{
    const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: make_templates [--check] DIR\n");
        return 2;
    }
    const fs::path dir = argv[argc - 1];
    int result = 0;
    for (const TEntry& e : kTemplates) {
        const fs::path p = PathOf(dir, e.path);
        const std::vector<uint8_t> bytes = e.make();
        if (check ? ReadAll(p) != bytes : !Write(p, bytes)) {
            std::fprintf(stderr, "%s: %s\n", check ? "out of date" : "cannot write", e.path);
            result = 1;
        }
    }
    return result;
}
