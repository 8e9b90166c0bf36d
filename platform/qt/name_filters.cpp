#include "platform/qt/name_filters.h"

namespace qv {
namespace {

QString QtPatterns(const QString &patterns)
{
    QStringList result;
    for (const QString &part : patterns.split(';', Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (!pattern.isEmpty()) {
            result.append(pattern == "*.*" ? QStringLiteral("*") : pattern);
        }
    }
    return result.isEmpty() ? QStringLiteral("*") : result.join(' ');
}

} // namespace

QStringList QtNameFilters(const std::string &filter)
{
    const QStringList items = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
        QString description = items[i].trimmed();
        const QString shown = '(' + items[i + 1].trimmed() + ')';
        if (description.endsWith(shown)) {
            description.chop(shown.size());
            description = description.trimmed();
        }
        filters.append(description + " (" + QtPatterns(items[i + 1]) + ')');
    }
    return filters;
}

} // namespace qv
