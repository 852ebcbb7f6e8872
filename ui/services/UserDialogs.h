#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class QWidget;

// Message box styles and answers, as the windows pass and test them.
namespace MsgBoxStyle {
constexpr int16_t Exclamation = 48; // exclamation icon, OK
constexpr int16_t Information = 64; // information icon, OK
constexpr int16_t YesNoQuestion = 36; // question icon, Yes and No
} // namespace MsgBoxStyle

namespace MsgBoxAnswer {
constexpr int16_t OK = 1;
constexpr int16_t Yes = 6;
constexpr int16_t No = 7;
} // namespace MsgBoxAnswer

// What an open or save dialog is asked to show.
struct FileRequest {
    QString title;
    QString filter = QStringLiteral("Campaign (*.cam)|*.cam");
    QString defaultExt = QStringLiteral("cam");
    QString fileName;
};

// The file the user chose: the full path and its title (no folders).
struct FileChoice {
    QString path;
    QString title;
};

// Every question a window puts to the user goes through this interface,
// given to each window when it is made, so that tests can answer from a
// script instead of a modal box.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // prompt separates its lines with a lone carriage return (13).
    virtual int16_t msgBox(QWidget* parent, const QString& prompt, int16_t style, const QString& title) = 0;
    // Open insists that the file exists; empty when the user cancelled.
    virtual std::optional<FileChoice> showOpen(QWidget* parent, const FileRequest& request) = 0;
    // Save asks before replacing a file; empty when the user cancelled.
    virtual std::optional<FileChoice> showSave(QWidget* parent, const FileRequest& request) = 0;
};

// "Campaign (*.cam)|*.cam" becomes Qt's "Campaign (*.cam)".
[[nodiscard]] QString toQtFilter(const QString& filter);
// A lone carriage return becomes a line feed; CR LF stays one line break.
[[nodiscard]] QString toLineBreaks(const QString& prompt);
