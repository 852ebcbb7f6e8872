#include "cli/Names.h"

#include <QStringList>

namespace {

QString hexEscape(char prefix, char32_t code, int digits)
{
    const QString number = QString::number(code, 16).rightJustified(digits, QLatin1Char('0'));
    return QStringLiteral("\\") + QLatin1Char(prefix) + number;
}

} // namespace

QString terminalText(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, text[i + 1]);
            shown += QChar::isPrint(code) ? text.mid(i, 2) : hexEscape('U', code, 8);
            ++i;
        } else if (isByteMark(text, i)) {
            shown += hexEscape('x', c.unicode() - 0xDC00, 2);
        } else if (c == QLatin1Char('\\')) {
            shown += QStringLiteral("\\\\");
        } else if (!c.isPrint() || c.category() == QChar::Separator_Line ||
                   c.category() == QChar::Separator_Paragraph) {
            shown += c.unicode() <= 0xFF ? hexEscape('x', c.unicode(), 2) : hexEscape('u', c.unicode(), 4);
        } else {
            shown += c;
        }
    }
    return shown;
}

QString quotedPath(const std::filesystem::path& path)
{
    const QString name = textFromPath(path);
    // Each part is escaped on its own, so that Windows' backslash between
    // folders stays as typed rather than doubled as an escape.
    const QChar separator(static_cast<char16_t>(std::filesystem::path::preferred_separator));
    QStringList parts = name.split(separator);
    for (QString& part : parts) {
        part = terminalText(part);
    }
    const QString shown = parts.join(separator);
    if (shown == name && !name.contains(QLatin1Char('"'))) {
        return name;
    }
    return QLatin1Char('"') + QString(shown).replace(QLatin1Char('"'), QStringLiteral("\\\"")) + QLatin1Char('"');
}
