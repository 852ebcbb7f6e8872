#include "ui/services/UserDialogs.h"

#include <QStringList>

QString toQtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        filters << (description.contains(QLatin1Char('(') + pattern + QLatin1Char(')'))
                        ? description
                        : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

QString toLineBreaks(const QString& prompt)
{
    QString lines;
    lines.reserve(prompt.size());
    for (qsizetype i = 0; i < prompt.size(); ++i) {
        const QChar ch = prompt[i];
        if (ch == QLatin1Char('\r')) {
            const bool followedByFeed = i + 1 < prompt.size() && prompt[i + 1] == QLatin1Char('\n');
            if (!followedByFeed) {
                lines += QLatin1Char('\n');
            }
            continue;
        }
        lines += ch;
    }
    return lines;
}
