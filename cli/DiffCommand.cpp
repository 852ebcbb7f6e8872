#include "cli/Command.h"

#include "data/CampaignGraph.h"
#include "data/basFields.h"
#include "data/clsCampaign.h"
#include "storage/CampaignStorage.h"

#include <QCommandLineParser>

#include <array>
#include <memory>
#include <optional>

namespace {

// One side of the comparison: the campaign as read, and the file's bytes,
// which hold what the readable fields do not.
struct Side {
    std::unique_ptr<clsCampaign> campaign = std::make_unique<clsCampaign>();
    QByteArray bytes;
    QByteArray saved; // the bytes the campaign saves as: where they differ, bytes went unread

    [[nodiscard]] bool used(int slot) const { return campaign->Scenarios(static_cast<int16_t>(slot)).Number() >= 0; }
    [[nodiscard]] const clsScenario& scenario(int slot) const { return campaign->Scenarios(static_cast<int16_t>(slot)); }
};

constexpr int HeaderSize = 44;
constexpr int TrailerStart = HeaderSize + clsCampaign::MaxScenarios * clsScenario::RecordSize;

bool SameRecord(const clsScenario& a, const clsScenario& b)
{
    clsScenario moved;
    moved.Copy(b);
    moved.SetNumber(a.Number());
    return a == moved;
}

QString NameOf(const std::string& name)
{
    return name.empty() ? QStringLiteral("(none)") : TerminalText(name);
}

QString Destination(int32_t goTo)
{
    if (goTo == clsCampaign::VictoryScenario) {
        return QStringLiteral("campaign victory");
    }
    if (goTo == clsCampaign::LossScenario) {
        return QStringLiteral("campaign loss");
    }
    return QStringLiteral("scenario %1").arg(goTo);
}

// The bytes of one area that differ where either side holds bytes its
// readable fields do not carry.
int UnreadDifferences(const Side& a, const Side& b, int startA, int startB, int size)
{
    int count = 0;
    for (int i = 0; i < size; ++i) {
        const int p = startA + i;
        const int q = startB + i;
        if (a.bytes.at(p) != b.bytes.at(q) && (a.bytes.at(p) != a.saved.at(p) || b.bytes.at(q) != b.saved.at(q))) {
            ++count;
        }
    }
    return count;
}

class Report {
public:
    void add(const QString& where, const QString& what) { m_lines << where + QStringLiteral(": ") + what; }
    // A field without a name is the area itself ("nation: U.K (was Germany)").
    void change(const QString& where, const QString& field, const QString& now, const QString& was)
    {
        if (now != was) {
            add(where, (field.isEmpty() ? QString() : field + QLatin1Char(' ')) + now + QStringLiteral(" (was ") + was +
                           QLatin1Char(')'));
        }
    }
    void unread(const QString& where, int count)
    {
        if (count > 0) {
            add(where, QStringLiteral("%1 unread %2 differ").arg(count).arg(count == 1 ? "byte" : "bytes"));
        }
    }
    [[nodiscard]] const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};

void CompareScenarios(Report& report, const QString& where, const clsScenario& now, const clsScenario& was)
{
    report.change(where, QStringLiteral("name"), NameOf(now.Name()), NameOf(was.Name()));
    report.change(where, QStringLiteral("movie"), NameOf(now.Movie()), NameOf(was.Movie()));
    report.change(where, QStringLiteral("voice"), NameOf(now.Voice()), NameOf(was.Voice()));
    report.change(where, QStringLiteral("text"), NameOf(now.Text()), NameOf(was.Text()));
    report.change(where, QStringLiteral("prestige"), QString::number(now.Prestige()), QString::number(was.Prestige()));
    report.change(where, QStringLiteral("first value"), QString::number(now.FirstUnknown()),
                  QString::number(was.FirstUnknown()));
    report.change(where, QStringLiteral("second value"), QString::number(now.SecondUnknown()),
                  QString::number(was.SecondUnknown()));
    report.change(where, QStringLiteral("third value"), QString::number(now.ThirdUnknown()),
                  QString::number(was.ThirdUnknown()));
    for (int16_t j = 0; j < clsScenario::OutcomeCount; ++j) {
        const QString outcome = QLatin1String(OutcomeName(j)) + QLatin1Char(' ');
        report.change(where, outcome + QStringLiteral("leads to"), Destination(now.ResultScenario(j)),
                      Destination(was.ResultScenario(j)));
        report.change(where, outcome + QStringLiteral("prestige"), QString::number(now.ResultPrestige(j)),
                      QString::number(was.ResultPrestige(j)));
        report.change(where, outcome + QStringLiteral("text"), NameOf(now.ResultText(j)), NameOf(was.ResultText(j)));
        report.change(where, outcome + QStringLiteral("voice"), NameOf(now.ResultVoice(j)), NameOf(was.ResultVoice(j)));
        report.change(where, outcome + QStringLiteral("movie"), NameOf(now.ResultMovie(j)), NameOf(was.ResultMovie(j)));
    }
}

struct Counts {
    int changed = 0;
    int added = 0;
    int removed = 0;
    int moved = 0;
};

// Every difference from a to b, a line each: the header first, then by slot.
QStringList Differences(const Side& a, const Side& b, Counts& counts)
{
    Report report;
    const clsCampaign& was = *a.campaign;
    const clsCampaign& now = *b.campaign;
    report.change(QStringLiteral("description"), QString(), NameOf(now.Description()), NameOf(was.Description()));
    report.change(QStringLiteral("nation"), QString(), NationName(now.Nation()), NationName(was.Nation()));
    report.change(QStringLiteral("prestige"), QString(), QString::number(now.Prestige()), QString::number(was.Prestige()));
    report.unread(QStringLiteral("header"), UnreadDifferences(a, b, 0, 0, HeaderSize));

    // A record that left its slot and stands unchanged in another one, whose
    // old record is gone, has moved.
    constexpr int Slots = clsCampaign::MaxScenarios;
    std::array<std::optional<int>, Slots> movedTo;
    std::array<std::optional<int>, Slots> movedFrom;
    for (int i = 0; i < Slots; ++i) {
        if (!a.used(i) || (b.used(i) && SameRecord(a.scenario(i), b.scenario(i)))) {
            continue;
        }
        for (int j = 0; j < Slots; ++j) {
            if (j != i && !movedFrom[j] && b.used(j) && SameRecord(a.scenario(i), b.scenario(j)) &&
                !(a.used(j) && SameRecord(a.scenario(j), b.scenario(j)))) {
                movedTo[i] = j;
                movedFrom[j] = i;
                break;
            }
        }
    }

    const auto label = [](int slot, const clsScenario& scenario) {
        return QStringLiteral("scenario %1 %2").arg(slot).arg(NameOf(scenario.Name()));
    };
    const auto recordAt = [](int slot) { return HeaderSize + slot * clsScenario::RecordSize; };
    for (int slot = 0; slot < Slots; ++slot) {
        const bool stayed = a.used(slot) && !movedTo[slot];
        const bool kept = b.used(slot) && !movedFrom[slot];
        if (movedTo[slot]) {
            report.add(label(slot, a.scenario(slot)), QStringLiteral("moved to slot %1").arg(*movedTo[slot]));
            report.unread(label(*movedTo[slot], b.scenario(*movedTo[slot])),
                          UnreadDifferences(a, b, recordAt(slot), recordAt(*movedTo[slot]), clsScenario::RecordSize));
            ++counts.moved;
        }
        if (stayed && kept) {
            const int before = static_cast<int>(report.lines().size());
            const QString where = label(slot, b.scenario(slot));
            CompareScenarios(report, where, b.scenario(slot), a.scenario(slot));
            report.unread(where, UnreadDifferences(a, b, recordAt(slot), recordAt(slot), clsScenario::RecordSize));
            counts.changed += report.lines().size() > before ? 1 : 0;
            continue;
        }
        if (stayed) {
            report.add(label(slot, a.scenario(slot)), QStringLiteral("removed"));
            ++counts.removed;
        }
        if (kept) {
            report.add(label(slot, b.scenario(slot)), QStringLiteral("added"));
            ++counts.added;
        }
        if (!a.used(slot) && !b.used(slot)) {
            report.unread(QStringLiteral("slot %1 (unused)").arg(slot),
                          UnreadDifferences(a, b, recordAt(slot), recordAt(slot), clsScenario::RecordSize));
        }
    }
    report.unread(QStringLiteral("trailer"),
                  UnreadDifferences(a, b, TrailerStart, TrailerStart, CampaignFileSize - TrailerStart));
    return report.lines();
}

} // namespace
