// The About box: version, product picture, maker and web site.
#pragma once

#include <QDialog>

QT_BEGIN_NAMESPACE
namespace Ui { class About_Dialog; }
QT_END_NAMESPACE

class About_Dialog : public QDialog
{
    Q_OBJECT
public:
    explicit About_Dialog(QWidget *parent = nullptr);
    ~About_Dialog() override;

    // The program's own version as shown, for example "V3.0.0".
    QString getversion() const;

private Q_SLOTS:
    void on_pushButton_clicked();

private:
    Ui::About_Dialog *ui;
};
