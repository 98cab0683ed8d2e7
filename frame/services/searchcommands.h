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

// Translated in the context "kb::TSearchCommands".
inline constexpr char kTextNotFound[] = QT_TRANSLATE_NOOP("kb::TSearchCommands", "Text not found.");
inline constexpr char kLoopRefused[] =
    QT_TRANSLATE_NOOP("kb::TSearchCommands", "The replacement could loop; nothing is replaced");
inline constexpr char kUnstorableText[] = QT_TRANSLATE_NOOP(
    "kb::TSearchCommands", "The replacement text has characters a block diagram cannot keep.");

// The message each outcome shows; empty when it shows none.
QString OutcomeMessage(TSearchOutcome outcome);

// The three commands tell the user through target.Inform and return what happened.
TSearchOutcome FindNext(TSearchTarget& target, const TSearchQuery& query);
TSearchOutcome ReplaceOne(TSearchTarget& target, const TSearchQuery& query);
TSearchOutcome ReplaceAll(TSearchTarget& target, const TSearchQuery& query);

} // namespace kb
