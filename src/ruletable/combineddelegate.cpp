#include "combineddelegate.h"

#include "celleditors.h"
#include "cellpainting.h"
#include "nonpopupcomboboxstyle.h"
#include "ruletable.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>

namespace {

// The index an editor edits, if it is a combo box and still points into a model.
QModelIndex editedIndex(QObject *sender)
{
    const auto *box = qobject_cast<QComboBox *>(sender);
    if (!box)
        return {};
    const QModelIndex index = box->property("index").toModelIndex();
    return index.isValid() && index.model() ? index : QModelIndex();
}

} // namespace

CombinedDelegate::CombinedDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void CombinedDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    painter->save();
    painter->fillRect(option.rect, (index.row() % 2) ? QColor(0x4F, 0x4F, 0x4F) : QColor(0xB5, 0xB5, 0xB5));
    painter->setPen(Qt::white);
    CellPainting::drawText(painter, option.rect, text);
    if (option.state & QStyle::State_Selected) {
        painter->fillRect(option.rect, option.palette.highlight());
        QStyleOptionViewItem panel(option);
        panel.state = QStyle::State_Enabled;
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, widget);
        CellPainting::drawText(painter, option.rect, text);
    }
    painter->restore();
}

QWidget *CombinedDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &index) const
{
    // Persistent, so an editor left open while rows move still edits its own cell.
    const QVariant where = QVariant::fromValue(QPersistentModelIndex(index));
    const QStringList items = CellEditors::items(index.column());
    if (items.isEmpty()) {
        auto *line = new QLineEdit(parent);
        line->setProperty("index", where);
        return line;
    }

    auto *combo = new QComboBox(parent);
    auto *style = new NonPopupComboBoxStyle;
    style->setParent(combo);
    combo->setStyle(style);
    combo->setProperty("index", where);
    combo->addItems(items);
    // The cell's exact text, when an item reads it, is chosen afterwards by setEditorData.
    const int start = CellEditors::startItem(index.column(), index.data().toString());
    if (start >= 0)
        combo->setCurrentIndex(start);
    connect(combo, &QComboBox::activated, this, &CombinedDelegate::onTextChanged);
    if (index.column() == RuleTable::Status)
        connect(combo, &QComboBox::currentTextChanged, this, &CombinedDelegate::onstaChanged);
    return combo;
}

void CombinedDelegate::change_cnum(int value)
{
    cnum = value;
}

void CombinedDelegate::onTextChanged(int)
{
    const QModelIndex index = editedIndex(sender());
    if (!index.isValid())
        return;
    auto *model = const_cast<QAbstractItemModel *>(index.model());
    const int row = index.row();
    const int columns = model->columnCount();
    QStringList cells;
    QStringList above;
    for (int c = 0; c < columns; ++c) {
        cells << model->index(row, c).data().toString();
        above << (row > 0 ? model->index(row - 1, c).data().toString() : QString());
    }
    if (!CellEditors::isEmptyRow(cells))
        return;
    const QMap<int, QString> fill = CellEditors::rowFill(above, index.column(), columns, statusText, cnum);
    for (auto it = fill.cbegin(); it != fill.cend(); ++it)
        model->setData(model->index(row, it.key()), it.value(), Qt::EditRole);
}

void CombinedDelegate::onstaChanged(const QString &text)
{
    const QModelIndex index = editedIndex(sender());
    if (!index.isValid())
        return;
    statusText = text;
    if (index.column() != RuleTable::Status)
        return;
    auto *model = const_cast<QAbstractItemModel *>(index.model());
    const QModelIndex controller = model->index(index.row(), RuleTable::Controller);
    const auto written = CellEditors::controllerAfterStatus(text, controller.data().toString(), cnum);
    if (written)
        model->setData(controller, *written, Qt::EditRole);
}
