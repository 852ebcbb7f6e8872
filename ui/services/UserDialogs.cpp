#include "ui/services/UserDialogs.h"

#include <QStringList>

QString toQtFilter(const QString& strFilter)
{
    const QStringList parts = strFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype intI = 0; intI + 1 < parts.size(); intI += 2) {
        const QString& strDescription = parts[intI];
        const QString& strPattern = parts[intI + 1];
        filters << (strDescription.contains(QLatin1Char('(') + strPattern + QLatin1Char(')'))
                        ? strDescription
                        : strDescription + QStringLiteral(" (") + strPattern + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

QString toLineBreaks(const QString& strPrompt)
{
    QString strLines;
    strLines.reserve(strPrompt.size());
    for (qsizetype intI = 0; intI < strPrompt.size(); ++intI) {
        const QChar ch = strPrompt[intI];
        if (ch == QLatin1Char('\r')) {
            const bool blnFollowedByFeed = intI + 1 < strPrompt.size() && strPrompt[intI + 1] == QLatin1Char('\n');
            if (!blnFollowedByFeed) {
                strLines += QLatin1Char('\n');
            }
            continue;
        }
        strLines += ch;
    }
    return strLines;
}
