#include "platform/file_filter.h"

#include <QStringList>

namespace dravelin {

QString qtFileFilter(const QString& pairs)
{
    if (pairs.isEmpty())
        return {};
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype index = 0; index < parts.size(); index += 2) {
        QString description = parts[index];
        while (description.endsWith(QLatin1Char(' ')))
            description.chop(1);
        QString patterns = index + 1 < parts.size() ? parts[index + 1].trimmed() : QString();
        if (patterns.isEmpty())
            patterns = QStringLiteral("*");
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace dravelin
