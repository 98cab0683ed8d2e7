// File dialog filters written as "name|pattern|name|pattern", patterns
// separated by ";", in the form Qt's file dialogs take.
#pragma once

#include <QString>

namespace kb {

// "Diagrams(*.bls)|*.bls|All|*.*" becomes "Diagrams(*.bls);;All(*)": each
// name shows its patterns in brackets, and "*.*" means every file, as it
// does where the form comes from (on Linux it would skip names without a dot).
QString QtFileFilter(const QString& pairs);

} // namespace kb
