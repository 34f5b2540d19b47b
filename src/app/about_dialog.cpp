#include "about_dialog.h"
#include "ui_about_dialog.h"

About_Dialog::About_Dialog(QWidget *parent) : QDialog(parent), ui(new Ui::About_Dialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->label_version->setText(QStringLiteral(LUMETRA_VERSION));
    const QString site = QStringLiteral(LUMETRA_WEB_SITE);
    ui->label_link->setText(
        QStringLiteral("<a href=\"%1\" style=\"color:#0000FF; font-weight:bold; text-decoration:underline;\">%1</a>")
            .arg(site));
}

About_Dialog::~About_Dialog()
{
    delete ui;
}

QString About_Dialog::getversion() const
{
    return ui->label_version->text();
}

void About_Dialog::on_pushButton_clicked()
{
    close();
}
