#include "bench/drawing/flowchart.h"

#include <string>

namespace kbbench {

void FillFlowchart(kb::TShem& shem)
{
    constexpr int kColumns = 100, kRows = 100;
    std::vector<kb::TShemObj*> above(kColumns, nullptr);
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            const int i = row * kColumns + col;
            kb::Block b;
            b.Kind = uint8_t(i % kb::kBlockKindCount);
            b.Left = 10 + col * 120;
            b.Top = 10 + row * 40;
            b.Right = b.Left + 80;
            b.Bottom = b.Top + 20;
            if (b.Kind == kb::bkJoint) {
                b.Left += 39;
                b.Top += 9;
                b.Right = b.Left + 2;
                b.Bottom = b.Top + 2;
            } else {
                b.Text = "x" + std::to_string(i) + " := x + 1";
            }
            b.Filled = b.Kind == kb::bkDivider || b.Kind == kb::bkRectangle;
            kb::TShemObj* entry = shem.Get(shem.AddBlock(b));
            if (above[size_t(col)]) {
                kb::TLink l;
                l.Style = kb::lsArrowB;
                l.EndA = above[size_t(col)];
                l.EndB = entry;
                l.PosA = {32767, 65535};
                l.PosB = {32767, 0};
                shem.AddLink(l);
            }
            above[size_t(col)] = entry;
        }
    }
}

} // namespace kbbench
