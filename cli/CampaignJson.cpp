#include "cli/CampaignJson.h"

#include "data/basFields.h"
#include "data/clsCampaign.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QVariant>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <string>

namespace {

constexpr char FormatName[] = "ironvale-campaign";
constexpr int32_t FormatVersion = 1;
constexpr int32_t MaxWord = 65535;
constexpr int32_t MaxNation = 3;
// A name reads back as written while the "." of its extension still lands
// inside the 20-byte field, cut short as the extension may be.
constexpr qsizetype MaxNameSize = FileNameFieldSize - 1;
constexpr std::array<const char*, clsScenario::OutcomeCount> OutcomeNames{"Brilliant Victory", "Victory",
                                                                         "Minor Victory", "Defeat"};

// Writes the fixed layout: one member or element per line, two spaces per level.
class JsonEmitter {
public:
    // Starts an object or array as the member strKey, or as an element when strKey is null.
    void Open(const char* strKey, char chBracket)
    {
        Next(strKey);
        m_strOut += chBracket;
        ++m_intDepth;
        m_blnFirst = true;
    }
    void Close(char chBracket)
    {
        --m_intDepth;
        if (!m_blnFirst) {
            NewLine();
        }
        m_strOut += chBracket;
        m_blnFirst = false;
    }
    // A member whose value is JSON text already.
    void Value(const char* strKey, const std::string& strJson)
    {
        Next(strKey);
        m_strOut += strJson;
    }
    [[nodiscard]] QByteArray Text() const { return QByteArray::fromStdString(m_strOut + '\n'); }

private:
    void NewLine()
    {
        m_strOut += '\n';
        m_strOut.append(static_cast<std::size_t>(2 * m_intDepth), ' ');
    }
    void Next(const char* strKey)
    {
        if (m_intDepth > 0) {
            if (!m_blnFirst) {
                m_strOut += ',';
            }
            NewLine();
        }
        m_blnFirst = false;
        if (strKey != nullptr) {
            m_strOut += '"';
            m_strOut += strKey;
            m_strOut += "\": ";
        }
    }

    std::string m_strOut;
    int m_intDepth = 0;
    bool m_blnFirst = true;
};

// Each byte becomes the character of the same code, in UTF-8; control
// characters are escaped so the text stays readable and diffable.
std::string Quoted(const std::string& strBytes)
{
    static constexpr char Hex[] = "0123456789abcdef";
    std::string strOut = "\"";
    for (const char chByte : strBytes) {
        const auto intCode = static_cast<unsigned char>(chByte);
        if (chByte == '"' || chByte == '\\') {
            strOut += '\\';
            strOut += chByte;
        } else if (intCode < 0x20 || (intCode >= 0x7F && intCode <= 0x9F)) {
            strOut += "\\u00";
            strOut += Hex[intCode >> 4];
            strOut += Hex[intCode & 0xF];
        } else if (intCode < 0x80) {
            strOut += chByte;
        } else {
            strOut += static_cast<char>(0xC0 | (intCode >> 6));
            strOut += static_cast<char>(0x80 | (intCode & 0x3F));
        }
    }
    return strOut + '"';
}

std::string Number(int32_t lngN)
{
    return std::to_string(lngN);
}

void EmitOutcome(const clsScenario& Scenario, int16_t intI, JsonEmitter& Json)
{
    Json.Open(nullptr, '{');
    Json.Value("outcome", Quoted(OutcomeNames.at(static_cast<std::size_t>(intI))));
    Json.Value("goto", Number(Scenario.ResultScenario(intI)));
    Json.Value("prestige", Number(Scenario.ResultPrestige(intI)));
    Json.Value("text", Quoted(Scenario.ResultText(intI)));
    Json.Value("voice", Quoted(Scenario.ResultVoice(intI)));
    Json.Value("movie", Quoted(Scenario.ResultMovie(intI)));
    Json.Close('}');
}

void EmitScenario(const clsScenario& Scenario, JsonEmitter& Json)
{
    Json.Open(nullptr, '{');
    Json.Value("slot", Number(Scenario.Number()));
    Json.Value("name", Quoted(Scenario.Name()));
    Json.Value("movie", Quoted(Scenario.Movie()));
    Json.Value("voice", Quoted(Scenario.Voice()));
    Json.Value("text", Quoted(Scenario.Text()));
    Json.Value("prestige", Number(Scenario.Prestige()));
    Json.Value("unknown", "[" + Number(Scenario.FirstUnknown()) + ", " + Number(Scenario.SecondUnknown()) + ", " +
                              Number(Scenario.ThirdUnknown()) + "]");
    Json.Open("outcomes", '[');
    for (int16_t intI = 0; intI < clsScenario::OutcomeCount; ++intI) {
        EmitOutcome(Scenario, intI, Json);
    }
    Json.Close(']');
    Json.Close('}');
}

// Why the JSON is refused, with its place; thrown from deep in the walk so
// that each step reads as the happy path.
struct Refusal {
    QString strMessage;
};

[[noreturn]] void Refuse(const QString& strPlace, const QString& strReason)
{
    throw Refusal{strPlace + QStringLiteral(": ") + strReason};
}

QString Member(const QString& strPlace, const QString& strKey)
{
    return strPlace.isEmpty() ? strKey : strPlace + QLatin1Char('.') + strKey;
}

QString Element(const QString& strPlace, qsizetype lngI)
{
    return strPlace + QStringLiteral("[%1]").arg(lngI);
}

QString Kind(const QJsonValue& Value)
{
    switch (Value.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("a boolean");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    default:
        return QStringLiteral("an object");
    }
}

// The object at strPlace ("" for the top level) with exactly the given keys.
QJsonObject Object(const QJsonValue& Value, const QString& strPlace, std::initializer_list<const char*> Keys)
{
    if (!Value.isObject()) {
        Refuse(strPlace.isEmpty() ? QStringLiteral("top level") : strPlace,
               QStringLiteral("expected an object, found ") + Kind(Value));
    }
    const QJsonObject Members = Value.toObject();
    for (auto It = Members.begin(); It != Members.end(); ++It) {
        if (std::none_of(Keys.begin(), Keys.end(), [&](const char* strKey) { return It.key() == QLatin1String(strKey); })) {
            Refuse(Member(strPlace, It.key()), QStringLiteral("unknown key"));
        }
    }
    for (const char* strKey : Keys) {
        if (!Members.contains(QLatin1String(strKey))) {
            Refuse(Member(strPlace, QLatin1String(strKey)), QStringLiteral("missing"));
        }
    }
    return Members;
}

QJsonArray Array(const QJsonValue& Value, const QString& strPlace)
{
    if (!Value.isArray()) {
        Refuse(strPlace, QStringLiteral("expected an array, found ") + Kind(Value));
    }
    return Value.toArray();
}

QString Text(const QJsonValue& Value, const QString& strPlace)
{
    if (!Value.isString()) {
        Refuse(strPlace, QStringLiteral("expected a string, found ") + Kind(Value));
    }
    return Value.toString();
}

int32_t Whole(const QJsonValue& Value, const QString& strPlace, int32_t lngLow, int32_t lngHigh)
{
    if (!Value.isDouble()) {
        Refuse(strPlace, QStringLiteral("expected a number, found ") + Kind(Value));
    }
    // The variant keeps a large integer exact where the double would round it.
    const QString strShown = Value.toVariant().toString();
    const double dblN = Value.toDouble();
    if (dblN != std::floor(dblN)) {
        Refuse(strPlace, strShown + QStringLiteral(" is not a whole number"));
    }
    if (dblN < lngLow || dblN > lngHigh) {
        Refuse(strPlace, QStringLiteral("%1 is outside %2..%3").arg(strShown).arg(lngLow).arg(lngHigh));
    }
    return static_cast<int32_t>(dblN);
}

int32_t Word(const QJsonObject& Members, const QString& strPlace, const char* strKey)
{
    return Whole(Members.value(QLatin1String(strKey)), Member(strPlace, QLatin1String(strKey)), 0, MaxWord);
}

// The bytes of a name, refused unless the file gives them back as they are.
std::string Name(const QJsonObject& Members, const QString& strPlace, const char* strKey)
{
    const QString strWhere = Member(strPlace, QLatin1String(strKey));
    const QString strName = Text(Members.value(QLatin1String(strKey)), strWhere);
    const QString strFits = QStringLiteral("does not fit its field: ");
    for (const QChar chC : strName) {
        if (chC.unicode() > 0xFF) {
            const QString strCode = QString::number(chC.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
            Refuse(strWhere, strFits + QStringLiteral("U+%1 is no byte (a name holds U+0000..U+00FF)").arg(strCode));
        }
    }
    if (strName.contains(QLatin1Char('.'))) {
        Refuse(strWhere, strFits + QStringLiteral("a \".\" would end the name in the file"));
    }
    if (strName.size() > MaxNameSize) {
        Refuse(strWhere, strFits + QStringLiteral("%1 bytes, at most %2").arg(strName.size()).arg(MaxNameSize));
    }
    return strName.toLatin1().toStdString();
}

void ReadOutcome(const QJsonValue& Value, const QString& strPlace, int16_t intI, clsScenario& Scenario)
{
    const QJsonObject Members = Object(Value, strPlace, {"outcome", "goto", "prestige", "text", "voice", "movie"});
    const QString strExpected = QLatin1String(OutcomeNames.at(static_cast<std::size_t>(intI)));
    const QString strOutcome = Text(Members.value(QLatin1String("outcome")), Member(strPlace, QStringLiteral("outcome")));
    if (strOutcome != strExpected) {
        Refuse(Member(strPlace, QStringLiteral("outcome")),
               QStringLiteral("\"%1\" stands where outcome %2 is \"%3\"").arg(strOutcome).arg(intI).arg(strExpected));
    }
    Scenario.SetResultScenario(intI, Word(Members, strPlace, "goto"));
    Scenario.SetResultPrestige(intI, Word(Members, strPlace, "prestige"));
    Scenario.SetResultText(intI, Name(Members, strPlace, "text"));
    Scenario.SetResultVoice(intI, Name(Members, strPlace, "voice"));
    Scenario.SetResultMovie(intI, Name(Members, strPlace, "movie"));
}

// Reads the scenario's fields into Scenario; the slot it belongs to comes back.
int16_t ReadScenario(const QJsonValue& Value, const QString& strPlace, clsScenario& Scenario)
{
    const QJsonObject Members =
        Object(Value, strPlace, {"slot", "name", "movie", "voice", "text", "prestige", "unknown", "outcomes"});
    const auto intSlot = static_cast<int16_t>(Whole(Members.value(QLatin1String("slot")),
                                                    Member(strPlace, QStringLiteral("slot")), 0,
                                                    clsCampaign::MaxScenarios - 1));
    Scenario.SetNumber(intSlot);
    Scenario.SetName(Name(Members, strPlace, "name"));
    Scenario.SetMovie(Name(Members, strPlace, "movie"));
    Scenario.SetVoice(Name(Members, strPlace, "voice"));
    Scenario.SetText(Name(Members, strPlace, "text"));
    Scenario.SetPrestige(Word(Members, strPlace, "prestige"));

    const QString strUnknown = Member(strPlace, QStringLiteral("unknown"));
    const QJsonArray Unknown = Array(Members.value(QLatin1String("unknown")), strUnknown);
    if (Unknown.size() != 3) {
        Refuse(strUnknown, QStringLiteral("%1 values, but a scenario keeps 3").arg(Unknown.size()));
    }
    Scenario.SetFirstUnknown(Whole(Unknown.at(0), Element(strUnknown, 0), 0, MaxWord));
    Scenario.SetSecondUnknown(Whole(Unknown.at(1), Element(strUnknown, 1), 0, MaxWord));
    Scenario.SetThirdUnknown(Whole(Unknown.at(2), Element(strUnknown, 2), 0, MaxWord));

    const QString strOutcomes = Member(strPlace, QStringLiteral("outcomes"));
    const QJsonArray Outcomes = Array(Members.value(QLatin1String("outcomes")), strOutcomes);
    if (Outcomes.size() != clsScenario::OutcomeCount) {
        Refuse(strOutcomes,
               QStringLiteral("%1 outcomes, but a scenario has %2").arg(Outcomes.size()).arg(clsScenario::OutcomeCount));
    }
    for (int16_t intI = 0; intI < clsScenario::OutcomeCount; ++intI) {
        ReadOutcome(Outcomes.at(intI), Element(strOutcomes, intI), intI, Scenario);
    }
    return intSlot;
}

void ReadScenarios(const QJsonValue& Value, clsCampaign& Campaign)
{
    const QString strPlace = QStringLiteral("scenarios");
    const QJsonArray Scenarios = Array(Value, strPlace);
    if (Scenarios.size() > clsCampaign::MaxScenarios) {
        Refuse(strPlace, QStringLiteral("%1 scenarios, but a campaign holds at most %2")
                             .arg(Scenarios.size())
                             .arg(clsCampaign::MaxScenarios));
    }
    // Where each slot was given, to name both places of a slot given twice.
    std::array<qsizetype, clsCampaign::MaxScenarios> lngGivenAt;
    lngGivenAt.fill(-1);
    for (qsizetype lngI = 0; lngI < Scenarios.size(); ++lngI) {
        clsScenario Scenario;
        const int16_t intSlot = ReadScenario(Scenarios.at(lngI), Element(strPlace, lngI), Scenario);
        qsizetype& lngFirst = lngGivenAt.at(static_cast<std::size_t>(intSlot));
        if (lngFirst >= 0) {
            Refuse(Member(Element(strPlace, lngI), QStringLiteral("slot")),
                   QStringLiteral("%1 is given twice, first at %2").arg(intSlot).arg(Element(strPlace, lngFirst)));
        }
        lngFirst = lngI;
        Campaign.Scenarios(intSlot).Copy(Scenario);
    }
    // The file keeps N scenarios in the records of slots 0..N-1 and nowhere
    // else: a scenario past a free slot would be lost on the way.
    const qsizetype lngCount = Scenarios.size();
    for (qsizetype lngSlot = lngCount; lngSlot < clsCampaign::MaxScenarios; ++lngSlot) {
        const qsizetype lngAt = lngGivenAt.at(static_cast<std::size_t>(lngSlot));
        if (lngAt >= 0) {
            Refuse(Member(Element(strPlace, lngAt), QStringLiteral("slot")),
                   QStringLiteral("%1 leaves slot %2 free, but a campaign file keeps its %3 scenarios in slots 0..%4")
                       .arg(lngSlot)
                       .arg(Campaign.NextFreeScenario())
                       .arg(lngCount)
                       .arg(lngCount - 1));
        }
    }
}

void ReadTop(const QJsonValue& Value, clsCampaign& Campaign)
{
    const QJsonObject Members = Object(Value, QString(), {"format", "version", "description", "nation", "prestige",
                                                          "scenarios"});
    const QString strFormat = Text(Members.value(QLatin1String("format")), QStringLiteral("format"));
    if (strFormat != QLatin1String(FormatName)) {
        Refuse(QStringLiteral("format"), QStringLiteral("\"%1\" is not \"%2\"").arg(strFormat, QLatin1String(FormatName)));
    }
    const QJsonValue Version = Members.value(QLatin1String("version"));
    if (!Version.isDouble()) {
        Refuse(QStringLiteral("version"), QStringLiteral("expected a number, found ") + Kind(Version));
    }
    if (Version.toDouble() != FormatVersion) {
        Refuse(QStringLiteral("version"), QStringLiteral("%1 is not supported; this program reads version %2")
                                              .arg(Version.toVariant().toString())
                                              .arg(FormatVersion));
    }
    Campaign.SetDescription(Name(Members, QString(), "description"));
    Campaign.SetNation(Whole(Members.value(QLatin1String("nation")), QStringLiteral("nation"), 0, MaxNation));
    Campaign.SetPrestige(Word(Members, QString(), "prestige"));
    ReadScenarios(Members.value(QLatin1String("scenarios")), Campaign);
}

// "line L, column C" of a byte offset into the text, both counted from 1, the
// column in characters as an editor shows it.
QString LineAndColumn(const QByteArray& Json, qsizetype lngOffset)
{
    const QByteArray Before = Json.left(lngOffset);
    const QByteArray Line = Before.mid(Before.lastIndexOf('\n') + 1);
    return QStringLiteral("line %1, column %2").arg(Before.count('\n') + 1).arg(QString::fromUtf8(Line).size() + 1);
}

} // namespace

QByteArray CampaignJson(const clsCampaign& Campaign)
{
    JsonEmitter Json;
    Json.Open(nullptr, '{');
    Json.Value("format", Quoted(FormatName));
    Json.Value("version", Number(FormatVersion));
    Json.Value("description", Quoted(Campaign.Description()));
    Json.Value("nation", Number(Campaign.Nation()));
    Json.Value("prestige", Number(Campaign.Prestige()));
    Json.Open("scenarios", '[');
    for (int16_t intI = 0; intI < clsCampaign::MaxScenarios; ++intI) {
        if (Campaign.Scenarios(intI).Number() > -1) {
            EmitScenario(Campaign.Scenarios(intI), Json);
        }
    }
    Json.Close(']');
    Json.Close('}');
    return Json.Text();
}

QString ReadCampaignJson(const QByteArray& Json, clsCampaign& Campaign)
{
    Campaign.Clear();
    QJsonParseError Error;
    const QJsonDocument Document = QJsonDocument::fromJson(Json, &Error);
    if (Error.error != QJsonParseError::NoError) {
        return LineAndColumn(Json, Error.offset) + QStringLiteral(": ") + Error.errorString();
    }
    try {
        ReadTop(Document.isObject() ? QJsonValue(Document.object()) : QJsonValue(Document.array()), Campaign);
    } catch (const Refusal& Refused) {
        return Refused.strMessage;
    }
    return {};
}
