// Find Next, Replace and Replace All over the block texts of the active
// diagram. Each search starts after the first selected entry, and a hit
// becomes the selection, so repeating a command walks the diagram forward.
// None of them wraps around at the end.
#pragma once

#include <QString>

namespace kb {

class TSearchTarget;

struct TSearchQuery
{
    QString Text;
    bool MatchCase = false;
    QString Replacement; // used by the replace commands only
};

enum class TSearchOutcome {
    Found,       // a block was shown (and, replacing, changed)
    Done,        // Replace All went through to the end
    NotFound,    // nothing (more) to find
    LoopRefused, // the replacement holds the search text
    Unstorable,  // the replacement has characters a diagram cannot keep
    NoDocument,  // nothing to search in
};

inline constexpr char kTextNotFound[] = "Текст не найден.";
inline constexpr char kLoopRefused[] = "Возможно зацикливание замена не осуществлена";
inline constexpr char kUnstorableText[] =
    "Текст замены содержит символы, которые нельзя сохранить в блок-схеме.";

// The message each outcome shows; empty when it shows none.
QString OutcomeMessage(TSearchOutcome outcome);

// The three commands tell the user through target.Inform and return what happened.
TSearchOutcome FindNext(TSearchTarget& target, const TSearchQuery& query);
TSearchOutcome ReplaceOne(TSearchTarget& target, const TSearchQuery& query);
TSearchOutcome ReplaceAll(TSearchTarget& target, const TSearchQuery& query);

} // namespace kb
