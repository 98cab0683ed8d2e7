#include "bench/model/bigdiagram.h"

#include <algorithm>
#include <random>
#include <string>

namespace kbbench {

void FillBigDiagram(kb::TShem& shem, int entries)
{
    // About a third blocks, a sixth joint points, half links.
    const int blocks = entries / 3;
    const int joints = entries / 6;
    const int links = entries - blocks - joints;
    std::vector<std::unique_ptr<kb::TShemObj>> made;
    for (int i = 0; i < blocks; ++i) {
        kb::Block b;
        b.Kind = uint8_t(i % 10 == 4 ? 0 : i % 10);
        b.Left = (i % 200) * 320 + 10;
        b.Top = (i / 200) * 100 + 10;
        b.Right = b.Left + 200;
        b.Bottom = b.Top + 50;
        b.Text = "block " + std::to_string(i) + "\r\nline two";
        made.push_back(std::make_unique<kb::TShemObj>(b));
    }
    for (int i = 0; i < joints; ++i) {
        const kb::Block& near = made[size_t(i % blocks)]->block();
        kb::Block j;
        j.Kind = kb::bkJoint;
        j.Left = near.Right + 40;
        j.Top = near.Top + 24;
        j.Right = j.Left + 2;
        j.Bottom = j.Top + 2;
        made.push_back(std::make_unique<kb::TShemObj>(j));
    }
    std::mt19937 rng(42);
    for (int i = 0; i < links; ++i) {
        kb::TLink l;
        l.Style = uint8_t(i % 8);
        l.EndA = made[size_t(i % blocks)].get();
        l.EndB =
            i % 2 ? made[size_t(blocks + i % joints)].get() : made[size_t((i + 1) % blocks)].get();
        l.PosA = {65535, 32767};
        l.PosB = {0, 32767};
        made.push_back(std::make_unique<kb::TShemObj>(l));
    }
    std::shuffle(made.begin(), made.end(), rng);
    for (auto& e : made)
        shem.Add(std::move(e));
}

} // namespace kbbench
