// Carries the main window's menu bar and connects its items to the main window.
#pragma once

#include <QMainWindow>

class QAction;
class Widget;

QT_BEGIN_NAMESPACE
namespace Ui { class MainWindow; }
QT_END_NAMESPACE

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void set_menu();
    void set_auto(bool on);
    void saveActionSelection();
    void loadActionSelection();

    Widget *menuOwner = nullptr;
    QAction *c3Action = nullptr;
    QAction *c4Action = nullptr;
    QAction *c5Action = nullptr;

    Ui::MainWindow *ui;
};
