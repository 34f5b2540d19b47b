#include "ruletable.h"

#include "notenames.h"
#include "rulerecord.h"

#include <QStandardItemModel>

namespace {

QStandardItem *readOnlyItem(const QString &text)
{
    auto *item = new QStandardItem(text);
    item->setEditable(false);
    return item;
}

void setText(QStandardItemModel *model, int row, int column, const QString &text)
{
    if (QStandardItem *item = model->item(row, column))
        item->setText(text);
    else
        model->setItem(row, column, new QStandardItem(text));
}

} // namespace

namespace RuleTable {

QStringList headerLabels()
{
    return {QStringLiteral("SN"), QStringLiteral("DMX"), QStringLiteral("Sta"),
            QStringLiteral("Ctl"), QStringLiteral("CH"), QStringLiteral("Fix"),
            QStringLiteral("Fade"), QStringLiteral("Toggle"), QStringLiteral("Enable"),
            QStringLiteral("HUI")};
}

QString cellText(const QStandardItemModel *model, int row, int column)
{
    const QStandardItem *item = model->item(row, column);
    return item ? item->text() : QString();
}

QStringList rowTexts(const QStandardItemModel *model, int row)
{
    QStringList texts;
    texts.reserve(ColumnCount);
    for (int c = 0; c < ColumnCount; ++c)
        texts << cellText(model, row, c);
    return texts;
}

void insertReadRule(QStandardItemModel *model, int row, const QStringList &texts)
{
    if (texts.isEmpty() || row < 0)
        return;
    if (texts.size() == 1) {
        if (model->rowCount() >= row)
            model->insertRow(row, readOnlyItem(texts.first()));
        return;
    }
    if (model->columnCount() < ColumnCount)
        model->setColumnCount(ColumnCount);
    if (row >= RowCount)
        return;
    QList<QStandardItem *> items;
    items.reserve(ColumnCount);
    items << readOnlyItem(texts.first());
    for (int c = 1; c < ColumnCount; ++c)
        items << new QStandardItem(texts.value(c));
    model->insertRow(qMin(row, model->rowCount()), items);
    model->setHorizontalHeaderLabels(headerLabels());
}

void resetRemarks(QStandardItemModel *remarks)
{
    remarks->clear();
    remarks->setColumnCount(1);
    remarks->setRowCount(RowCount);
    for (int r = 0; r < RowCount; ++r)
        remarks->setItem(r, 0, new QStandardItem(QString()));
}

void clearTable(QStandardItemModel *rules, QStandardItemModel *remarks)
{
    const int rows = rules->rowCount();
    for (int r = 0; r < rows; ++r) {
        for (int c = 1; c < rules->columnCount(); ++c) {
            if (QStandardItem *item = rules->item(r, c))
                item->setText(QString());
        }
    }
    for (int r = 0; r < qMin(rows, remarks->rowCount()); ++r)
        setText(remarks, r, 0, QString());
}

void fillEmptyRules(QStandardItemModel *rules)
{
    rules->removeRows(0, rules->rowCount());
    rules->setColumnCount(ColumnCount);
    for (int r = 0; r < RowCount; ++r) {
        QList<QStandardItem *> items;
        items.reserve(ColumnCount);
        items << readOnlyItem(QString::number(r + 1));
        for (int c = 1; c < ColumnCount; ++c)
            items << new QStandardItem();
        rules->appendRow(items);
    }
    rules->setHorizontalHeaderLabels(headerLabels());
}

QStringList parseRemarks(const QString &text, bool *usable)
{
    QStringList rowRemarks(RowCount);
    bool any = false;
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1String("alias")))
            continue;
        // Only the first "=" ends the key: a remark may hold "=" itself.
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        bool ok = false;
        const int row = key.mid(5).toInt(&ok);
        any = true;
        // Keys are "alias" and the row in plain decimal: anything else matches no row.
        if (ok && row >= 0 && row < RowCount && key == QLatin1String("alias") + QString::number(row))
            rowRemarks[row] = line.mid(equals + 1).trimmed();
    }
    if (usable)
        *usable = any;
    return rowRemarks;
}

void applyRemarks(QStandardItemModel *remarks, const QStringList &rowRemarks)
{
    if (remarks->rowCount() < RowCount)
        remarks->setRowCount(RowCount);
    for (int r = 0; r < RowCount; ++r)
        setText(remarks, r, 0, rowRemarks.value(r));
}

void sweepControllers(QStandardItemModel *rules, int cnum)
{
    const int rows = rules->rowCount();
    for (int r = 0; r < rows; ++r) {
        QStandardItem *controller = rules->item(r, Controller);
        const QStandardItem *status = rules->item(r, Status);
        if (!controller || !status)
            continue;
        const QString c = controller->text();
        const QString s = status->text();
        if (c.isEmpty() || s.isEmpty())
            continue;
        const bool cc = s == QLatin1String("CC");
        if (!cc && c.size() <= 3) {
            controller->setText(c + QStringLiteral(" / ") + NoteNames::name(NoteNames::toNumber(c), cnum));
        } else if (cc && c.size() > 4) {
            const QStringList parts = c.split(QStringLiteral(" / "), Qt::SkipEmptyParts);
            if (!parts.isEmpty())
                controller->setText(parts.first());
        }
    }
}

void renameControllers(QStandardItemModel *rules, int cnum)
{
    const int rows = rules->rowCount();
    for (int r = 0; r < rows; ++r) {
        QStandardItem *controller = rules->item(r, Controller);
        if (!controller)
            continue;
        const QString t = controller->text();
        if (t.size() <= 4)
            continue;
        const QString renamed = NoteNames::controllerText(NoteNames::controllerNumber(t), cnum);
        if (renamed != t)
            controller->setText(renamed);
    }
}

QList<QByteArray> encodeRecords(const QStandardItemModel *rules)
{
    QList<QByteArray> records;
    records.reserve(RowCount);
    for (int r = 0; r < RowCount; ++r)
        records << RuleRecord::encode(rowTexts(rules, r));
    return records;
}

} // namespace RuleTable
