#include "widget.h"
#include "ui_widget.h"

#include "aliaseditdialog.h"
#include "dmxaliases.h"
#include "edithistory.h"
#include "messages.h"
#include "ruletable.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QFile>
#include <QSaveFile>
#include <QStandardItemModel>
#include <QTimer>

namespace {

constexpr int AliasRelabelMs = 100;
constexpr int DmxRelabelDelayMs = 5;

} // namespace

void Widget::setupAliases()
{
    aliasDialog = new AliasEditDialog(this);
    runAliasDialog = [](AliasEditDialog &dialog) { return dialog.exec(); };
    ui->tableView->aliasSource = aliasDialog;

    aliasTimer = new QTimer(this);
    connect(aliasTimer, &QTimer::timeout, this, &Widget::updateAliases);
    dmxRelabelTimer = new QTimer(this);
    connect(dmxRelabelTimer, &QTimer::timeout, this, &Widget::relabelDmxStep);
}

void Widget::readAliasesFromFile(const QString &path)
{
    if (!QFile::exists(path)) {
        QFile created(path);
        if (!created.open(QIODevice::WriteOnly | QIODevice::Text)) {
            Messages::critical(QStringLiteral("Error"), QStringLiteral("Cannot create file for writing."), this);
            return;
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Messages::critical(QStringLiteral("Error"), QStringLiteral("Cannot open file for reading."), this);
        return;
    }
    aliasDialog->aliases = DmxAliases::parse(file.read(DmxAliases::MaxFileSize));
    if (!aliasDialog->aliases.isEmpty())
        aliasDialog->loadAliasesToTable(aliasDialog->aliases);
    aliasTimer->start(AliasRelabelMs);
    ui->tableView->aliasSource = aliasDialog;
}

void Widget::changmarkname()
{
    onEditAliasClicked();
    aliasTimer->start(AliasRelabelMs);
    EditHistory::Step step(editHistory, QStringLiteral("Aliases"));
    getSecondColumnData();
}

void Widget::onEditAliasClicked()
{
    // Edits left in the table by a cancelled opening are dropped.
    aliasDialog->loadAliasesToTable(aliasDialog->getUpdatedAliases());
    if (runAliasDialog(*aliasDialog) != QDialog::Accepted)
        return;

    QSaveFile file(QStringLiteral("./Aliases.txt"));
    // Where no temporary file may be made beside it, the file is still replaced in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        Messages::critical(QStringLiteral("Error"), QStringLiteral("Cannot open file for writing."), this);
        return;
    }
    file.write(DmxAliases::serialize(aliasDialog->aliases));
    if (!file.commit())
        Messages::critical(QStringLiteral("Error"), QStringLiteral("Cannot open file for writing."), this);
}

void Widget::getSecondColumnData()
{
    const QStringList &aliases = aliasDialog->aliases;
    const int rows = ruleModel->rowCount();
    for (int row = 0; row < rows; ++row) {
        QStandardItem *cell = ruleModel->item(row, RuleTable::Dmx);
        if (!cell || cell->text().isEmpty())
            continue;
        const QString relabelled = DmxAliases::relabelledCell(cell->text(), aliases);
        if (relabelled != cell->text())
            cell->setText(relabelled);
    }
}

void Widget::updateAliases()
{
    const QStringList &aliases = aliasDialog->aliases;
    if (aliases.isEmpty())
        return;
    const int rows = ruleModel->rowCount();
    for (int row = 0; row < rows; ++row) {
        auto *editor = qobject_cast<QComboBox *>(ui->tableView->indexWidget(ruleModel->index(row, RuleTable::Dmx)));
        if (!editor)
            continue;
        aliasTimer->stop();
        const int position = editor->currentIndex();
        if (!editor->property("connected").toBool()) {
            // Once the user picks an item, relabelling must not move it under their hand.
            connect(editor, &QComboBox::activated, aliasTimer, &QTimer::stop);
            editor->installEventFilter(this);
            editor->setProperty("connected", true);
        }
        editor->clear();
        editor->addItems(DmxAliases::editorItems(aliases));
        if (position >= 0 && position < editor->count())
            editor->setCurrentIndex(position);
    }
}

bool Widget::eventFilter(QObject *watched, QEvent *event)
{
    // A DMX editor left: relabel the next one the user opens. Its own drop-down list
    // taking the focus is no leaving, and relabelling would rebuild the open list.
    if (event->type() == QEvent::FocusOut && watched->property("connected").toBool()
        && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
        aliasTimer->start(AliasRelabelMs);
        ui->tableView->aliasSource = aliasDialog;
    }
    return QWidget::eventFilter(watched, event);
}

void Widget::relabelDmxSoon()
{
    dmxRelabelPending = true;
    getSecondColumnData();
    dmxRelabelTimer->start(DmxRelabelDelayMs);
}

void Widget::relabelDmxStep()
{
    if (!dmxRelabelPending)
        return;
    getSecondColumnData();
    dmxRelabelPending = false;
    dmxRelabelTimer->stop();
}

void Widget::forgetAliases()
{
    aliasTimer->stop();
    aliasDialog->aliases = DmxAliases::emptyList();
}
