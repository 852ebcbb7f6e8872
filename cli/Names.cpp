#include "cli/Names.h"

#include <QByteArrayView>

namespace {

// The first and last surrogate that stand for a byte that is not UTF-8.
constexpr char16_t FirstByteMark = 0xDC80;
constexpr char16_t LastByteMark = 0xDCFF;

// The length of the UTF-8 sequence a lead byte starts, 0 for a byte no
// sequence starts with.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80) {
        return 1;
    }
    if (lead < 0xC2) {
        return 0;
    }
    return lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
}

bool isByteMark(const QString& text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    return c >= FirstByteMark && c <= LastByteMark && (i == 0 || !text[i - 1].isHighSurrogate());
}

QString hexEscape(char prefix, char32_t code, int digits)
{
    const QString number = QString::number(code, 16).rightJustified(digits, QLatin1Char('0'));
    return QStringLiteral("\\") + QLatin1Char(prefix) + number;
}

} // namespace

QString argumentFromBytes(std::string_view bytes)
{
    if (QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())).isValidUtf8()) {
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    QString text;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = sequenceLength(lead);
        const QByteArrayView sequence(bytes.data() + i, static_cast<qsizetype>(std::min(length, bytes.size() - i)));
        if (length > 0 && static_cast<std::size_t>(sequence.size()) == length && sequence.isValidUtf8()) {
            text += QString::fromUtf8(sequence);
            i += length;
        } else {
            text += QChar(static_cast<char16_t>(0xDC00 + lead));
            ++i;
        }
    }
    return text;
}

std::filesystem::path pathFromArgument(const QString& argument)
{
    std::string bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        if (isByteMark(argument, i)) {
            bytes += QStringView(argument).mid(start, i - start).toUtf8().toStdString();
            bytes += static_cast<char>(argument[i].unicode() - 0xDC00);
            start = i + 1;
        }
    }
    bytes += QStringView(argument).mid(start).toUtf8().toStdString();
    return std::filesystem::path(std::move(bytes));
}

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
    const QString name = argumentFromBytes(path.native());
    const QString shown = terminalText(name);
    if (shown == name && !name.contains(QLatin1Char('"'))) {
        return name;
    }
    return QLatin1Char('"') + QString(shown).replace(QLatin1Char('"'), QStringLiteral("\\\"")) + QLatin1Char('"');
}
