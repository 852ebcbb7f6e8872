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

    void Clear();
    void AddItem(const QString& strS, int32_t lngData = 0);
    [[nodiscard]] int16_t ListCount() const { return static_cast<int16_t>(count()); }
    [[nodiscard]] QString List(int16_t intJ) const;
    [[nodiscard]] int32_t ItemData(int16_t intJ) const;
    // -1 when no line is selected.
    [[nodiscard]] int16_t ListIndex() const;
    void SetListIndex(int16_t intJ);

signals:
    void Click();
    void Deselect();
    void DblClick();

private:
    bool m_blnProgrammatic = false;
};
