#include "ui/services/ListBox.h"

namespace {

constexpr int DataRole = Qt::UserRole;

} // namespace

ListBox::ListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_blnProgrammatic) {
            return;
        }
        if (selectedLine() >= 0) {
            emit lineChosen();
        } else {
            emit lineDeselected();
        }
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit lineDoubleClicked(); });
}

void ListBox::removeAllLines()
{
    m_blnProgrammatic = true;
    clear();
    m_blnProgrammatic = false;
}

void ListBox::addLine(const QString& strS, int32_t lngData)
{
    m_blnProgrammatic = true;
    auto* pItem = new QListWidgetItem(strS, this);
    pItem->setData(DataRole, lngData);
    m_blnProgrammatic = false;
}

QString ListBox::line(int16_t intJ) const
{
    const QListWidgetItem* pItem = item(intJ);
    return pItem != nullptr ? pItem->text() : QString();
}

int32_t ListBox::lineData(int16_t intJ) const
{
    const QListWidgetItem* pItem = item(intJ);
    return pItem != nullptr ? pItem->data(DataRole).toInt() : -1;
}

int16_t ListBox::selectedLine() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? int16_t{-1} : static_cast<int16_t>(row(selected.constFirst()));
}

void ListBox::selectLine(int16_t intJ)
{
    m_blnProgrammatic = true;
    if (intJ >= 0 && intJ < count()) {
        setCurrentRow(intJ);
    } else {
        clearSelection();
        setCurrentRow(-1);
    }
    m_blnProgrammatic = false;
}
