#include "ui/services/ListBox.h"

namespace {

constexpr int DataRole = Qt::UserRole;

} // namespace

ListBox::ListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_programmatic) {
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
    m_programmatic = true;
    clear();
    m_programmatic = false;
}

void ListBox::addLine(const QString& s, int32_t number)
{
    m_programmatic = true;
    auto* newItem = new QListWidgetItem(s, this);
    newItem->setData(DataRole, number);
    m_programmatic = false;
}

QString ListBox::line(int16_t j) const
{
    const QListWidgetItem* lineItem = item(j);
    return lineItem != nullptr ? lineItem->text() : QString();
}

int32_t ListBox::lineData(int16_t j) const
{
    const QListWidgetItem* lineItem = item(j);
    return lineItem != nullptr ? lineItem->data(DataRole).toInt() : -1;
}

int16_t ListBox::selectedLine() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? int16_t{-1} : static_cast<int16_t>(row(selected.constFirst()));
}

void ListBox::selectLine(int16_t j)
{
    m_programmatic = true;
    if (j >= 0 && j < count()) {
        setCurrentRow(j);
    } else {
        clearSelection();
        setCurrentRow(-1);
    }
    m_programmatic = false;
}
