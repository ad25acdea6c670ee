#include "app/namefilter.h"

#include "app/textcodec.h"

namespace velmo {

namespace {

// "Velmodateien (*.velmo,*.data)" shows its patterns itself; Qt's filter
// adds its own list, so the description's is left out.
QString withoutPatterns(QString description) {
    description = description.trimmed();
    if (description.endsWith(QLatin1Char(')'))) {
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0) description = description.left(open).trimmed();
    }
    return description;
}

QString bothCases(const QString& patterns) {
    QStringList lower;
    QStringList upper;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (!lower.contains(trimmed.toLower())) lower.append(trimmed.toLower());
        if (!upper.contains(trimmed.toUpper())) upper.append(trimmed.toUpper());
    }
    return (lower + upper).join(QLatin1Char(' '));
}

}  // namespace

QStringList nameFilters(const std::string& filter) {
    const QStringList parts = fromCp1252(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters.append(withoutPatterns(parts[i]) + QStringLiteral(" (") + bothCases(parts[i + 1]) +
                       QLatin1Char(')'));
    if (filters.isEmpty()) filters.append(QStringLiteral("Alle Dateien (*)"));
    return filters;
}

}  // namespace velmo
