// Lays out a block text the way a multi-line edit box shows it: broken at line
// breaks, word-wrapped at the width, with '&' as the mnemonic prefix.
#pragma once

#include "model/geometry.h"

#include <QFontMetrics>
#include <QRect>
#include <QString>

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace kb {

// "&x" shows x underlined and "&&" shows one '&'; a final lone '&' shows nothing.
struct TMnemonicText
{
    QString Text;
    std::vector<int> Underlined; // positions in Text, ascending
};
TMnemonicText StripMnemonics(const QString& text);

// One line of a laid-out text: a range of the text, without the line break
// and without the spaces at which it was wrapped.
struct TTextLine
{
    int Start = 0;
    int Length = 0;
    int Width = 0; // pixels
};

// Breaks at CR LF (and at a lone CR or LF) and wraps between words so that
// each line fits `width` pixels; a word wider than a whole line is broken
// between characters. Every paragraph gives at least one line. Layout stops
// after maxLines lines, as no more would show.
std::vector<TTextLine> WrapText(const QString& text, int width, const QFontMetrics& metrics,
                                int maxLines = std::numeric_limits<int>::max());

// Where the lines of a text stand, in pixels: `r` itself, or, when `r` is lower
// than one line, one line's height centred on it. Low shapes (the 20-unit
// decisions and terminals of imported routines, at every scale) would
// otherwise neither show nor edit their only line.
TRect AtLeastOneLine(const TRect& r, int lineHeight);

// One shown line of a block text: its characters, where it starts and its
// baseline, in pixels, and the boxes under its underlined mnemonics.
struct TPlacedLine
{
    QString Text;
    int X = 0;
    int Baseline = 0;
    std::vector<QRect> Underlines;
};

struct TPlacedText
{
    TRect Box;              // AtLeastOneLine of the text rectangle
    bool Overflows = false; // a word wider than the rectangle: the painter clips
    std::vector<TPlacedLine> Lines;
};

// Where every canvas puts a Windows-1251 block text in r with the alignment
// (taCenter, taLeft, taRight): word-wrapped, whole lines only, the one that
// would be cut at the bottom left out. Nothing at all when the text is empty,
// r has no width, or r is lower than half a line.
std::optional<TPlacedText> PlaceText(const TRect& r, const std::string& text, int align,
                                     const QFontMetrics& metrics);

} // namespace kb
