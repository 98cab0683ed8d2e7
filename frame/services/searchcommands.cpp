#include "frame/services/searchcommands.h"

#include "frame/services/searchtarget.h"
#include "model/cp1251.h"
#include "model/shem.h"

#include <QCoreApplication>

#include <optional>
#include <string>

namespace kb {

namespace {

// Block texts are Windows-1251 bytes. A search text with characters outside
// it cannot occur in any block; a replacement with them cannot be stored.
std::optional<std::string> ToDiagramText(const QString& text)
{
    std::string bytes;
    if (!Utf8ToCp1251(text.toStdString(), bytes)) return std::nullopt;
    return bytes;
}

// Replacing a text by one that contains it would go on for ever when done
// repeatedly, so such a replacement is refused outright. Without match case
// the comparison folds letters the way the search does.
bool WouldLoop(const std::string& pattern, const std::string& replacement, bool matchCase)
{
    if (matchCase) return replacement.find(pattern) != std::string::npos;
    return LowerCase1251(replacement).find(LowerCase1251(pattern)) != std::string::npos;
}

TSearchOutcome Tell(TSearchTarget& target, TSearchOutcome outcome)
{
    const QString message = OutcomeMessage(outcome);
    if (!message.isEmpty()) target.Inform(message);
    return outcome;
}

struct TReplaceTexts
{
    std::string Pattern;
    std::string Replacement;
};

// Checks a replace request; the outcome that stops it, or the texts to use.
std::optional<TSearchOutcome> CheckReplace(TSearchTarget& target, const TSearchQuery& query,
                                           TReplaceTexts& texts)
{
    if (!target.ActiveDiagram()) return TSearchOutcome::NoDocument;
    const std::optional<std::string> pattern = ToDiagramText(query.Text);
    if (query.Text.isEmpty() || !pattern) return TSearchOutcome::NotFound;
    const std::optional<std::string> replacement = ToDiagramText(query.Replacement);
    if (!replacement) return TSearchOutcome::Unstorable;
    if (WouldLoop(*pattern, *replacement, query.MatchCase)) return TSearchOutcome::LoopRefused;
    texts = {*pattern, *replacement};
    return std::nullopt;
}

} // namespace

QString OutcomeMessage(TSearchOutcome outcome)
{
    switch (outcome) {
    case TSearchOutcome::NotFound:
        return QCoreApplication::translate("kb::TSearchCommands", kTextNotFound);
    case TSearchOutcome::LoopRefused:
        return QCoreApplication::translate("kb::TSearchCommands", kLoopRefused);
    case TSearchOutcome::Unstorable:
        return QCoreApplication::translate("kb::TSearchCommands", kUnstorableText);
    default:
        return {};
    }
}

TSearchOutcome FindNext(TSearchTarget& target, const TSearchQuery& query)
{
    const TShem* shem = target.ActiveDiagram();
    if (!shem) return TSearchOutcome::NoDocument;
    const std::optional<std::string> pattern = ToDiagramText(query.Text);
    TShemObj* hit = pattern && !pattern->empty()
                        ? shem->FindText(target.SearchStart(), *pattern, query.MatchCase)
                        : nullptr;
    if (!hit) return Tell(target, TSearchOutcome::NotFound);
    target.ShowFound(hit);
    return TSearchOutcome::Found;
}

TSearchOutcome ReplaceOne(TSearchTarget& target, const TSearchQuery& query)
{
    TReplaceTexts texts;
    if (const auto stop = CheckReplace(target, query, texts)) return Tell(target, *stop);
    TShemObj* hit = nullptr;
    TShemObj* const start = target.SearchStart();
    target.ChangeTexts([&](TShem& shem) {
        hit = shem.ReplaceText(start, texts.Pattern, query.MatchCase, texts.Replacement);
        return hit != nullptr;
    });
    if (!hit) return Tell(target, TSearchOutcome::NotFound);
    target.ShowFound(hit);
    return TSearchOutcome::Found;
}

TSearchOutcome ReplaceAll(TSearchTarget& target, const TSearchQuery& query)
{
    TReplaceTexts texts;
    if (const auto stop = CheckReplace(target, query, texts)) return Tell(target, *stop);
    // Each replaced block is the start of the next search, so every block
    // after the selection is visited once and the walk ends with the diagram.
    TShemObj* const start = target.SearchStart();
    target.ChangeTexts([&](TShem& shem) {
        TShemObj* hit = shem.ReplaceText(start, texts.Pattern, query.MatchCase, texts.Replacement);
        const bool changed = hit != nullptr;
        while (hit)
            hit = shem.ReplaceText(hit, texts.Pattern, query.MatchCase, texts.Replacement);
        return changed;
    });
    return TSearchOutcome::Done;
}

} // namespace kb
