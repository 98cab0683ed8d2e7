#include "frame/language/filefilter.h"

#include <QStringList>

namespace kb {

QString QtFileFilter(const QString& pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const QString& patterns = parts[i + 1];
        // A name that already shows its patterns shows them once, in Qt's form.
        const QString shown = QLatin1Char('(') + patterns + QLatin1Char(')');
        if (name.endsWith(shown)) name.chop(shown.size());
        QStringList qtPatterns = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : qtPatterns)
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        filters.append(name + QLatin1Char('(') + qtPatterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace kb
