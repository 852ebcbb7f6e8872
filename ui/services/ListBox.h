#pragma once

#include <QListWidget>

#include <cstdint>

// A single-selection list whose lines each carry a whole number. Click is
// raised when the user selects a line, Deselect when the user leaves no line
// selected (Ctrl+click on the selected one); neither by SetListIndex or AddItem.
class ListBox : public QListWidget {
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

    void removeAllLines();
    void addLine(const QString& s, int32_t number = 0);
    [[nodiscard]] int16_t lineCount() const { return static_cast<int16_t>(count()); }
    [[nodiscard]] QString line(int16_t j) const;
    [[nodiscard]] int32_t lineData(int16_t j) const;
    // -1 when no line is selected.
    [[nodiscard]] int16_t selectedLine() const;
    void selectLine(int16_t j);

signals:
    void lineChosen();
    void lineDeselected();
    void lineDoubleClicked();

private:
    bool m_programmatic = false;
};
