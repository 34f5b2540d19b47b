// The dialog in which the user names the 1024 DMX channels, one line per channel.
#pragma once

#include <QDialog>
#include <QStringList>

class QStandardItemModel;

QT_BEGIN_NAMESPACE
namespace Ui { class AliasEditDialog; }
QT_END_NAMESPACE

class AliasEditDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AliasEditDialog(QWidget *parent = nullptr);
    ~AliasEditDialog() override;

    // Shows the list in the table: one alias per channel row, rows past the list empty.
    void loadAliasesToTable(const QStringList &list);
    QStringList getUpdatedAliases() const;

    // Entry i names channel i + 1; changed only by "OK" and by whoever owns the dialog.
    QStringList aliases;
    QStandardItemModel *aliasModel = nullptr;

public Q_SLOTS:
    // Takes the table's aliases as the list and closes the dialog as accepted.
    void onOkClicked();

private:
    Ui::AliasEditDialog *ui;
};
