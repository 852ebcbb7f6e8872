#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class clsCampaign;
class frmCampaign;
class frmScenario;

// One user action, as the monkey performs, prints and replays it. Its line
// form (Describe, ParseAction) is what a failing run prints and what a
// regression test lists:
//   key <target> <key> <modifiers> "<text>"  a typed key; target "-" is the
//                                             focus widget, "popup" the open popup
//   click <target> <position> <modifiers>    a button, a box (x offset) or a list line
//   dblclick <target> <line>
//   paste <ctrlv|shiftins|menu> "<text>"     the text into the clipboard, then pasted
//   menu <action> <trigger|keys> [answer=Y|N] [files=<file>,<file>]
//   close [answer=...] [files=...]           the window's frame
// Modifiers are "-" or letters of S(hift) C(trl) A(lt) M(eta) G (AltGr) K(eypad).
// A file is "cancel", "path:<name>" or "gen:<kind>:<name>:<seed>", a campaign
// file generated into the folder before the action (kind valid, foreign,
// goto, long, trunc or count). Steps taken while a dialog or popup is open
// follow their action on lines that start with "> ".
struct Action {
    std::string Kind;
    std::string Target;
    int Key = 0;
    int Modifiers = 0;
    QString Text;
    int Position = 0;
    std::string Answer;
    std::vector<std::string> Files;
    std::vector<Action> Inner;
};

[[nodiscard]] std::string Describe(const Action& Step);
// The action a line describes; throws std::invalid_argument on a line that is none.
[[nodiscard]] Action ParseAction(const std::string& strLine);
// Lines as Describe prints them, inner steps included.
[[nodiscard]] std::vector<std::string> DescribeAll(const std::vector<Action>& Steps);
[[nodiscard]] std::vector<Action> ParseScript(const std::vector<std::string>& strLines);

// Drives the real main window and scenario dialog, offscreen, with the
// scripted dialogs answering every question, and checks after every action
// that the program kept its promises. A Monkey made from a seed invents its
// actions; one made from a script replays them.
class Monkey {
public:
    explicit Monkey(uint64_t lngSeed);
    explicit Monkey(std::vector<Action> Script);
    ~Monkey();
    Monkey(const Monkey&) = delete;
    Monkey& operator=(const Monkey&) = delete;

    // Performs up to intCount actions (a script: all of it, intCount ignored);
    // false at the first broken promise, with Failure() saying which.
    bool Run(int intCount);
    [[nodiscard]] const std::vector<Action>& Actions() const { return m_Actions; }
    [[nodiscard]] const std::string& Failure() const { return m_strFailure; }
    // The number of the action after which the failure was seen (from 1).
    [[nodiscard]] int FailedAt() const { return m_intFailedAt; }

    // What the run got to do: files saved and opened, scenarios stored by OK,
    // restarts after Exit.
    struct Tally {
        long long Saved = 0;
        long long Opened = 0;
        long long Stored = 0;
        long long Restarts = 0;
    };
    [[nodiscard]] const Tally& Done() const;

    // For the tests of the checks themselves.
    [[nodiscard]] clsCampaign& Document();
    [[nodiscard]] frmCampaign& Window();
    [[nodiscard]] QString Folder() const;
    // Runs every check on the program as it stands; false with Failure() set.
    bool CheckNow();

private:
    struct Impl;
    std::unique_ptr<Impl> m_Impl;
    std::vector<Action> m_Actions;
    std::string m_strFailure;
    int m_intFailedAt = 0;
};

// A shorter script that still breaks the same promise, found within about
// intSeconds; the script itself when no shorter one fails alike.
[[nodiscard]] std::vector<Action> Shrink(const std::vector<Action>& Script, const std::string& strFailure,
                                         int intSeconds);
