#pragma once

#include "data/clsScenario.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

class clsCampaign;

// What a campaign file keeps of a document: the header and the 50 slots.
// The name and the two flags are the window's business, not the file's.
struct Content {
    std::string Description;
    int32_t Nation = 0;
    int32_t Prestige = 0;
    std::array<clsScenario, 50> Slots;

    [[nodiscard]] static Content Of(const clsCampaign& Campaign);
    [[nodiscard]] static Content Cleared();
    [[nodiscard]] std::unique_ptr<clsCampaign> Build() const;
    [[nodiscard]] bool PassesCheck() const;
    [[nodiscard]] int UsedSlots() const;
    friend bool operator==(const Content& a, const Content& b);
    friend bool operator!=(const Content& a, const Content& b) { return !(a == b); }
};

[[nodiscard]] clsScenario FreeRecord();

// A generated campaign file: its bytes and, when it should open, the
// document it should open as.
struct GeneratedFile {
    QByteArray Bytes;
    std::optional<Content> Opens;
};

// Kinds: valid, foreign (names of any byte but "." and NUL, empty ones too),
// goto (go-to values no box accepts), long (bytes past the end), trunc
// (cut short) and count (more than 50 scenarios claimed).
[[nodiscard]] GeneratedFile GenerateFile(const std::string& strKind, uint32_t lngSeed);

// The rules of one text box: the characters its key filter lets through,
// how many a user may type, and for a number box the values it accepts.
struct BoxRule {
    bool Digits = false;
    int Limit = 0;
    bool GoTo = false;
    int32_t Max = 0;

    [[nodiscard]] bool Passes(QChar ch) const;
    [[nodiscard]] bool InRange(int32_t lngN) const;
};

// The rule of a box by its object name; nullopt for a name that is no box.
[[nodiscard]] std::optional<BoxRule> RuleOf(const QString& strName);

// True when a user edit may turn strOld into strNew: a deletion, or a
// replacement of one stretch by characters the filter passes that leaves
// the text within the limit, or a return to a text held since the program
// last assigned one (undo and redo).
[[nodiscard]] bool EditAllowed(const QString& strOld, const QString& strNew, const BoxRule& Rule,
                               const std::vector<QString>& strHistory);

// Digits only, as a whole number; nullopt otherwise.
[[nodiscard]] std::optional<int32_t> DigitsValue(const QString& strS);
