// The entries of a diagram: blocks (flowchart shapes with text) and links
// (straight connectors whose ends sit on blocks or on other links).
#pragma once

#include "model/geometry.h"

#include <cstdint>
#include <new>
#include <string>
#include <variant>

namespace kb {

enum BlockKind : uint8_t {
    bkRectangle = 0,
    bkEllipse = 1,
    bkRhomb = 2,
    bkParallelogram = 3,
    bkJoint = 4, // a point where links meet or bend
    bkText = 5,
    bkCommentary = 6,
    bkDocument = 7,
    bkProcess = 8, // predefined process
    bkDivider = 9, // page divider
};
constexpr int kBlockKindCount = 10;

enum TextAlign : uint8_t { taCenter = 0, taLeft = 1, taRight = 2 };

// Link style bits.
constexpr uint8_t lsArrowB = 1;
constexpr uint8_t lsArrowA = 2;
constexpr uint8_t lsDotted = 4;

// One block, copied by value between the model, the dialogs and the clipboard.
// Text is bytes of Windows-1251, lines separated by CR LF.
struct Block
{
    uint8_t Kind = bkRectangle;
    std::string Text;
    uint8_t Align = taCenter;
    bool Filled = false;
    bool Dotted = false;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    uint8_t Junction = 0; // work mark of the Pascal export; never stored

    TRect Rect() const { return {Left, Top, Right, Bottom}; }
    void SetRect(const TRect& r)
    {
        Left = r.Left;
        Top = r.Top;
        Right = r.Right;
        Bottom = r.Bottom;
    }
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    friend bool operator==(const Block&, const Block&) = default;
};

class TShemObj;
struct TEntrySlab;

struct TBlock
{
    Block Data;
};

// A link end stores the entry it sits on and a position in 65535ths of that
// entry, so links follow their blocks without any update.
struct TLink
{
    uint8_t Style = 0;
    TShemObj* EndA = nullptr;
    TShemObj* EndB = nullptr;
    TPoint PosA;
    TPoint PosB;
};

// One entry of the diagram list: a block or a link. Links refer to entries,
// never to the block or link inside them.
class TShemObj
{
public:
    enum : uint8_t { okBlock = 0, okLink = 1 };

    explicit TShemObj(const Block& b) : m_obj(TBlock{b}) {}
    explicit TShemObj(const TLink& l) : m_obj(l) {}

    uint8_t Kind() const { return m_obj.index() == 0 ? okBlock : okLink; }
    bool IsBlock() const { return m_obj.index() == 0; }
    bool IsLink() const { return m_obj.index() == 1; }
    bool IsJoint() const { return IsBlock() && block().Kind == bkJoint; }

    Block& block() { return std::get<TBlock>(m_obj).Data; }
    const Block& block() const { return std::get<TBlock>(m_obj).Data; }
    TLink& link() { return std::get<TLink>(m_obj); }
    const TLink& link() const { return std::get<TLink>(m_obj); }

    // Entries are deleted through unique_ptr like any object, but the reader
    // places the entries of one file side by side in shared blocks of memory
    // (see TEntrySlabs): one allocation for many entries, and a list that
    // lies in memory in its own order. A block is freed with its last entry.
    static void operator delete(TShemObj* entry, std::destroying_delete_t);

private:
    friend class TShem;
    friend class TEntrySlabs;

    // The shared block an entry was placed in; never copied with the entry.
    struct TSlabRef
    {
        TEntrySlab* Slab = nullptr;
        TSlabRef() = default;
        TSlabRef(const TSlabRef&) {}
        TSlabRef& operator=(const TSlabRef&) { return *this; }
    };

    std::variant<TBlock, TLink> m_obj;
    mutable int m_index = -1; // cached list position, checked before use
    TSlabRef m_slab;
};

} // namespace kb
