#include "aliaseditdialog.h"
#include "ui_aliaseditdialog.h"

#include "dmxaliases.h"

#include <QStandardItemModel>

AliasEditDialog::AliasEditDialog(QWidget *parent)
    : QDialog(parent), aliases(DmxAliases::emptyList()), ui(new Ui::AliasEditDialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    aliasModel = new QStandardItemModel(DmxAliases::ChannelCount, 2, this);
    aliasModel->setHorizontalHeaderLabels({QStringLiteral("Channel"), QStringLiteral("Alias")});
    for (int row = 0; row < DmxAliases::ChannelCount; ++row) {
        auto *channel = new QStandardItem(QString::number(row + 1));
        channel->setEditable(false);
        aliasModel->setItem(row, 0, channel);
        aliasModel->setItem(row, 1, new QStandardItem());
    }
    ui->tableView->setModel(aliasModel);
    loadAliasesToTable(aliases);

    connect(ui->pushButton, &QPushButton::clicked, this, &AliasEditDialog::onOkClicked);
}

AliasEditDialog::~AliasEditDialog()
{
    delete ui;
}

void AliasEditDialog::loadAliasesToTable(const QStringList &list)
{
    for (int row = 0; row < DmxAliases::ChannelCount; ++row)
        aliasModel->item(row, 1)->setText(list.value(row));
}

QStringList AliasEditDialog::getUpdatedAliases() const
{
    return aliases;
}

void AliasEditDialog::onOkClicked()
{
    QStringList list;
    list.reserve(DmxAliases::ChannelCount);
    for (int row = 0; row < DmxAliases::ChannelCount; ++row) {
        // The aliases file holds one alias a line: a pasted line break would move the
        // aliases of every later channel onto the wrong channel at the next start.
        QString alias = aliasModel->index(row, 1).data(Qt::DisplayRole).toString();
        alias.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        list << alias;
    }
    aliases = list;
    accept();
}
