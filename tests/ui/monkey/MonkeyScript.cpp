#include "tests/ui/monkey/Monkey.h"

#include <QKeySequence>

#include <cstdio>
#include <stdexcept>

namespace {

constexpr struct {
    char Letter;
    Qt::KeyboardModifier Modifier;
} ModifierLetters[] = {{'S', Qt::ShiftModifier},  {'C', Qt::ControlModifier},     {'A', Qt::AltModifier},
                       {'M', Qt::MetaModifier},   {'G', Qt::GroupSwitchModifier}, {'K', Qt::KeypadModifier}};

std::string Quote(const QString& strS)
{
    std::string strOut = "\"";
    for (const QChar ch : strS) {
        const char16_t intU = ch.unicode();
        char strHex[8];
        if (intU == u'"' || intU == u'\\') {
            strOut += '\\';
            strOut += static_cast<char>(intU);
        } else if (intU < 0x20 || intU == 0x7f) {
            std::snprintf(strHex, sizeof strHex, "\\x%02x", static_cast<unsigned>(intU));
            strOut += strHex;
        } else if (intU < 0x80) {
            strOut += static_cast<char>(intU);
        } else {
            std::snprintf(strHex, sizeof strHex, "\\u%04x", static_cast<unsigned>(intU));
            strOut += strHex;
        }
    }
    return strOut + '"';
}

QString Unquote(const std::string& strS)
{
    if (strS.size() < 2 || strS.front() != '"' || strS.back() != '"') {
        throw std::invalid_argument("not a quoted text: " + strS);
    }
    QString strOut;
    for (std::size_t intI = 1; intI + 1 < strS.size(); ++intI) {
        if (strS[intI] != '\\') {
            strOut += QChar(static_cast<char16_t>(static_cast<unsigned char>(strS[intI])));
            continue;
        }
        const char chKind = strS.at(++intI);
        if (chKind == 'x' || chKind == 'u') {
            const std::size_t intDigits = chKind == 'x' ? 2 : 4;
            strOut += QChar(static_cast<char16_t>(std::stoul(strS.substr(intI + 1, intDigits), nullptr, 16)));
            intI += intDigits;
        } else {
            strOut += QChar(static_cast<char16_t>(chKind));
        }
    }
    return strOut;
}

std::string ModifierText(int intModifiers)
{
    std::string strOut;
    for (const auto& Entry : ModifierLetters) {
        if (intModifiers & Entry.Modifier) {
            strOut += Entry.Letter;
        }
    }
    return strOut.empty() ? "-" : strOut;
}

int ParseModifiers(const std::string& strS)
{
    int intModifiers = 0;
    for (const char ch : strS) {
        for (const auto& Entry : ModifierLetters) {
            if (ch == Entry.Letter) {
                intModifiers |= Entry.Modifier;
            }
        }
    }
    return intModifiers;
}

// Qt's own name when it reads back as the same key, else the code in hex.
std::string KeyName(int intKey)
{
    const QString strName = QKeySequence(intKey).toString(QKeySequence::PortableText);
    const QKeySequence Back = QKeySequence::fromString(strName, QKeySequence::PortableText);
    bool blnPlain = !strName.isEmpty() && !strName.contains(QLatin1Char(' ')) && !strName.startsWith(QLatin1String("0x"));
    for (const QChar ch : strName) {
        blnPlain = blnPlain && ch.unicode() > 0x20 && ch.unicode() < 0x7f && ch != QLatin1Char('"');
    }
    if (blnPlain && Back.count() == 1 && Back[0].toCombined() == intKey) {
        return strName.toStdString();
    }
    char strHex[16];
    std::snprintf(strHex, sizeof strHex, "0x%x", static_cast<unsigned>(intKey));
    return strHex;
}

int ParseKey(const std::string& strS)
{
    if (strS.rfind("0x", 0) == 0) {
        return static_cast<int>(std::stoul(strS, nullptr, 16));
    }
    const QKeySequence Key = QKeySequence::fromString(QString::fromStdString(strS), QKeySequence::PortableText);
    if (Key.count() != 1) {
        throw std::invalid_argument("not a key: " + strS);
    }
    return Key[0].toCombined();
}

std::vector<std::string> Tokens(const std::string& strLine)
{
    std::vector<std::string> strTokens;
    std::size_t intI = 0;
    while (intI < strLine.size()) {
        if (strLine[intI] == ' ') {
            ++intI;
            continue;
        }
        std::size_t intEnd = intI;
        if (strLine[intI] == '"') {
            for (++intEnd; intEnd < strLine.size() && strLine[intEnd] != '"'; ++intEnd) {
                intEnd += strLine[intEnd] == '\\' ? 1 : 0;
            }
            ++intEnd;
        } else {
            while (intEnd < strLine.size() && strLine[intEnd] != ' ') {
                ++intEnd;
            }
        }
        strTokens.push_back(strLine.substr(intI, intEnd - intI));
        intI = intEnd;
    }
    return strTokens;
}

std::string DialogAnswers(const Action& Step)
{
    std::string strOut;
    if (!Step.Answer.empty()) {
        strOut += " answer=" + Step.Answer;
    }
    for (std::size_t intI = 0; intI < Step.Files.size(); ++intI) {
        strOut += (intI == 0 ? " files=" : ",") + Step.Files[intI];
    }
    return strOut;
}

} // namespace

std::string Describe(const Action& Step)
{
    if (Step.Kind == "key") {
        return "key " + Step.Target + ' ' + KeyName(Step.Key) + ' ' + ModifierText(Step.Modifiers) + ' ' +
               Quote(Step.Text);
    }
    if (Step.Kind == "click") {
        return "click " + Step.Target + ' ' + std::to_string(Step.Position) + ' ' + ModifierText(Step.Modifiers);
    }
    if (Step.Kind == "dblclick") {
        return "dblclick " + Step.Target + ' ' + std::to_string(Step.Position);
    }
    if (Step.Kind == "paste") {
        return "paste " + Step.Target + ' ' + Quote(Step.Text);
    }
    if (Step.Kind == "menu") {
        return "menu " + Step.Target + (Step.Position == 0 ? " trigger" : " keys") + DialogAnswers(Step);
    }
    return Step.Kind + DialogAnswers(Step);
}

Action ParseAction(const std::string& strLine)
{
    const std::vector<std::string> strT = Tokens(strLine);
    if (strT.empty()) {
        throw std::invalid_argument("empty action");
    }
    Action Step;
    Step.Kind = strT[0];
    const auto At = [&](std::size_t intI) -> const std::string& {
        if (intI >= strT.size()) {
            throw std::invalid_argument("too short: " + strLine);
        }
        return strT[intI];
    };
    std::size_t intOptions = 1;
    if (Step.Kind == "key") {
        Step.Target = At(1);
        Step.Key = ParseKey(At(2));
        Step.Modifiers = ParseModifiers(At(3));
        Step.Text = Unquote(At(4));
        intOptions = 5;
    } else if (Step.Kind == "click" || Step.Kind == "dblclick") {
        Step.Target = At(1);
        Step.Position = std::stoi(At(2));
        Step.Modifiers = Step.Kind == "click" ? ParseModifiers(At(3)) : 0;
        intOptions = Step.Kind == "click" ? 4 : 3;
    } else if (Step.Kind == "paste") {
        Step.Target = At(1);
        Step.Text = Unquote(At(2));
        intOptions = 3;
    } else if (Step.Kind == "menu") {
        Step.Target = At(1);
        Step.Position = At(2) == "keys" ? 1 : 0;
        intOptions = 3;
    } else if (Step.Kind != "close") {
        throw std::invalid_argument("unknown action: " + strLine);
    }
    for (std::size_t intI = intOptions; intI < strT.size(); ++intI) {
        const std::string& strOption = strT[intI];
        if (strOption.rfind("answer=", 0) == 0) {
            Step.Answer = strOption.substr(7);
        } else if (strOption.rfind("files=", 0) == 0) {
            std::string strRest = strOption.substr(6) + ',';
            for (std::size_t intComma = strRest.find(','); intComma != std::string::npos;
                 intComma = strRest.find(',')) {
                Step.Files.push_back(strRest.substr(0, intComma));
                strRest.erase(0, intComma + 1);
            }
        } else {
            throw std::invalid_argument("unknown option: " + strOption);
        }
    }
    return Step;
}

std::vector<std::string> DescribeAll(const std::vector<Action>& Steps)
{
    std::vector<std::string> strLines;
    for (const Action& Step : Steps) {
        strLines.push_back(Describe(Step));
        for (const Action& Inner : Step.Inner) {
            strLines.push_back("> " + Describe(Inner));
        }
    }
    return strLines;
}

std::vector<Action> ParseScript(const std::vector<std::string>& strLines)
{
    std::vector<Action> Steps;
    for (const std::string& strLine : strLines) {
        if (strLine.rfind("> ", 0) == 0) {
            if (Steps.empty()) {
                throw std::invalid_argument("an inner step without its action: " + strLine);
            }
            Steps.back().Inner.push_back(ParseAction(strLine.substr(2)));
        } else {
            Steps.push_back(ParseAction(strLine));
        }
    }
    return Steps;
}
