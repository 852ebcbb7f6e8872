#include "tests/ui/monkey/MonkeyModel.h"

#include "data/clsCampaign.h"
#include "storage/CampaignStorage.h"

#include <QStringList>

#include <algorithm>

Content Content::Of(const clsCampaign& Campaign)
{
    Content Doc;
    Doc.Description = Campaign.Description();
    Doc.Nation = Campaign.Nation();
    Doc.Prestige = Campaign.Prestige();
    for (int16_t intI = 0; intI < clsCampaign::MaxScenarios; ++intI) {
        Doc.Slots.at(static_cast<std::size_t>(intI)) = Campaign.Scenarios(intI);
    }
    return Doc;
}

Content Content::Cleared()
{
    return Of(clsCampaign());
}

std::unique_ptr<clsCampaign> Content::Build() const
{
    auto Campaign = std::make_unique<clsCampaign>();
    Campaign->SetDescription(Description);
    Campaign->SetNation(Nation);
    Campaign->SetPrestige(Prestige);
    for (int16_t intI = 0; intI < clsCampaign::MaxScenarios; ++intI) {
        Campaign->Scenarios(intI).Copy(Slots.at(static_cast<std::size_t>(intI)));
    }
    return Campaign;
}

bool Content::PassesCheck() const
{
    return Build()->Check() == 0;
}

int Content::UsedSlots() const
{
    return static_cast<int>(
        std::count_if(Slots.begin(), Slots.end(), [](const clsScenario& Slot) { return Slot.Number() > -1; }));
}

bool operator==(const Content& a, const Content& b)
{
    return a.Description == b.Description && a.Nation == b.Nation && a.Prestige == b.Prestige && a.Slots == b.Slots;
}

clsScenario FreeRecord()
{
    clsScenario Free;
    Free.Clear();
    return Free;
}

namespace {

using Random = std::mt19937;

int Below(Random& Rng, int intN)
{
    return static_cast<int>(Rng() % static_cast<uint32_t>(intN));
}

// A name the boxes' filter passes, of 1 to 8 characters.
std::string PlainName(Random& Rng, int intMin = 1)
{
    static const std::string strChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string strS;
    for (int intN = intMin + Below(Rng, 9 - intMin); intN > 0; --intN) {
        strS += strChars.at(static_cast<std::size_t>(Below(Rng, static_cast<int>(strChars.size()))));
    }
    return strS;
}

// Any byte but "." and NUL, up to the 19 a file-name field holds before its ".".
std::string ForeignName(Random& Rng)
{
    static const std::string strOdd = std::string("ABCxyz09 -_!~#[]\t\x7f") + "\xe9\xdf\xfc\xf1\xa0\xff\x01";
    std::string strS;
    for (int intN = Below(Rng, 20); intN > 0; --intN) {
        strS += strOdd.at(static_cast<std::size_t>(Below(Rng, static_cast<int>(strOdd.size()))));
    }
    return strS;
}

int32_t Word(Random& Rng)
{
    const int32_t Edges[] = {0, 1, 9, 10, 99, 9999, 65534, 65535};
    return Below(Rng, 3) == 0 ? Edges[Below(Rng, 8)] : Below(Rng, 65536);
}

Content RandomContent(Random& Rng, bool blnForeign, bool blnOddGoTo)
{
    Content Doc = Content::Cleared();
    const auto Name = [&](bool blnOptional) {
        if (blnForeign && Below(Rng, 2) == 0) {
            return ForeignName(Rng);
        }
        return blnOptional && Below(Rng, 3) == 0 ? std::string() : PlainName(Rng);
    };
    Doc.Description = Name(false);
    Doc.Nation = Below(Rng, 4);
    Doc.Prestige = Word(Rng);
    const int Counts[] = {0, 1, 2, 3, 4, 5, 6, 8, 12, 30, 49, 50};
    const int intCount = Counts[Below(Rng, 12)];
    for (int intI = 0; intI < intCount; ++intI) {
        clsScenario& Slot = Doc.Slots.at(static_cast<std::size_t>(intI));
        Slot.SetNumber(intI);
        Slot.SetName(Name(false));
        Slot.SetMovie(Name(true));
        Slot.SetVoice(Name(true));
        Slot.SetText(Name(true));
        Slot.SetPrestige(Word(Rng));
        Slot.SetFirstUnknown(Word(Rng));
        Slot.SetSecondUnknown(Word(Rng));
        Slot.SetThirdUnknown(Word(Rng));
        for (int16_t intO = 0; intO < clsScenario::OutcomeCount; ++intO) {
            const int intPick = Below(Rng, intCount + 2);
            Slot.SetResultScenario(intO, intPick < intCount ? intPick : 254 + intPick - intCount);
            Slot.SetResultPrestige(intO, Word(Rng));
            Slot.SetResultText(intO, Name(true));
            Slot.SetResultVoice(intO, Name(true));
            Slot.SetResultMovie(intO, Name(true));
        }
    }
    if (intCount > 0) {
        // A way to win and one to lose, so most valid files pass the check.
        clsScenario& Last = Doc.Slots.at(static_cast<std::size_t>(intCount - 1));
        Last.SetResultScenario(0, 254);
        Last.SetResultScenario(3, 255);
    }
    if (blnOddGoTo && intCount > 0) {
        const int32_t Odd[] = {50, 99, 253, 256, 300, 999, 65535};
        for (int intN = 1 + Below(Rng, 3); intN > 0; --intN) {
            clsScenario& Slot = Doc.Slots.at(static_cast<std::size_t>(Below(Rng, intCount)));
            Slot.SetResultScenario(static_cast<int16_t>(Below(Rng, 4)), Odd[Below(Rng, 7)]);
        }
    }
    return Doc;
}

} // namespace

GeneratedFile GenerateFile(const std::string& strKind, uint32_t lngSeed)
{
    Random Rng(lngSeed);
    const Content Doc = RandomContent(Rng, strKind == "foreign", strKind == "goto");
    GeneratedFile File{CampaignBytes(*Doc.Build()), Doc};
    if (strKind == "long") {
        File.Bytes.append(QByteArray(1 + Below(Rng, 100), static_cast<char>(Below(Rng, 256))));
    } else if (strKind == "trunc") {
        File.Bytes.truncate(Below(Rng, 2) == 0 ? Below(Rng, 64) : Below(Rng, static_cast<int>(File.Bytes.size())));
        File.Opens.reset();
    } else if (strKind == "count") {
        const int32_t lngCount = 51 + Below(Rng, 65485);
        File.Bytes[0] = static_cast<char>(lngCount & 0xff);
        File.Bytes[1] = static_cast<char>(lngCount >> 8);
        File.Opens.reset();
    }
    return File;
}

bool BoxRule::Passes(QChar ch) const
{
    const char16_t intU = ch.unicode();
    const bool blnDigit = intU >= u'0' && intU <= u'9';
    return Digits ? blnDigit : blnDigit || (intU >= u'A' && intU <= u'Z') || (intU >= u'a' && intU <= u'z');
}

bool BoxRule::InRange(int32_t lngN) const
{
    return (lngN >= 0 && lngN <= Max) || (GoTo && (lngN == 254 || lngN == 255));
}

std::optional<BoxRule> RuleOf(const QString& strName)
{
    static const QStringList strNames{"txtDescription", "txtScenario", "txtAnimation", "txtVoice",
                                      "txtText",        "txtResultText", "txtResultVoice", "txtResultMovie"};
    static const QStringList strWords{"txtPrestige", "txtFirstUnknown", "txtSecondUnknown", "txtThirdUnknown",
                                      "txtResultPrestige"};
    QString strBase = strName;
    while (!strBase.isEmpty() && strBase.back().isDigit()) {
        strBase.chop(1);
    }
    if (strNames.contains(strBase)) {
        return BoxRule{false, 8, false, 0};
    }
    if (strWords.contains(strBase)) {
        return BoxRule{true, 5, false, 65535};
    }
    if (strBase == QLatin1String("txtNumber")) {
        return BoxRule{true, 2, false, 49};
    }
    if (strBase == QLatin1String("txtResultScenario")) {
        return BoxRule{true, 3, true, 49};
    }
    return std::nullopt;
}

bool EditAllowed(const QString& strOld, const QString& strNew, const BoxRule& Rule,
                 const std::vector<QString>& strHistory)
{
    if (std::find(strHistory.begin(), strHistory.end(), strNew) != strHistory.end()) {
        return true;
    }
    const qsizetype lngOld = strOld.size();
    const qsizetype lngNew = strNew.size();
    const qsizetype lngShorter = std::min(lngOld, lngNew);
    qsizetype lngPrefix = 0;
    while (lngPrefix < lngShorter && strOld[lngPrefix] == strNew[lngPrefix]) {
        ++lngPrefix;
    }
    qsizetype lngSuffix = 0;
    while (lngSuffix < lngShorter && strOld[lngOld - 1 - lngSuffix] == strNew[lngNew - 1 - lngSuffix]) {
        ++lngSuffix;
    }
    // Every split of the kept text between the front and the back, so the
    // inserted stretch is as short as the two texts allow.
    for (qsizetype lngFront = 0; lngFront <= lngPrefix; ++lngFront) {
        const qsizetype lngBack = std::min(lngSuffix, lngShorter - lngFront);
        const QString strInserted = strNew.mid(lngFront, lngNew - lngFront - lngBack);
        if (strInserted.isEmpty()) {
            return true;
        }
        const bool blnFiltered =
            std::all_of(strInserted.begin(), strInserted.end(), [&](QChar ch) { return Rule.Passes(ch); });
        if (blnFiltered && lngNew <= Rule.Limit) {
            return true;
        }
    }
    return false;
}

std::optional<int32_t> DigitsValue(const QString& strS)
{
    if (strS.isEmpty() || strS.size() > 9 ||
        !std::all_of(strS.begin(), strS.end(), [](QChar ch) { return ch >= u'0' && ch <= u'9'; })) {
        return std::nullopt;
    }
    return strS.toInt();
}
