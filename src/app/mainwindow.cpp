#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "appsettings.h"
#include "edithistory.h"
#include "mytableview.h"
#include "widget.h"

#include <QActionGroup>
#include <QCursor>
#include <QMenu>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::set_menu()
{
    Widget *w = menuOwner;
    connect(ui->actionNew_Table, &QAction::triggered, w, &Widget::new_table);
    connect(ui->actionOpen_File, &QAction::triggered, w, &Widget::open_midi_file);
    connect(ui->actionSave_File, &QAction::triggered, w, &Widget::save_file);
    connect(ui->actionSave_File_As, &QAction::triggered, w, &Widget::save_As_file);
    connect(ui->actionExit, &QAction::triggered, w, &Widget::exit_midi);
    connect(ui->actionAuto_Updates, &QAction::triggered, w, &Widget::set_auto_updates);
    connect(ui->actionAbout, &QAction::triggered, w, &Widget::show_ab_dlg_Dialog);
    connect(ui->actionChinese_Manual, &QAction::triggered, w, &Widget::open_chinese_fpd);
    connect(ui->actionEnglish_Manual, &QAction::triggered, w, &Widget::open_english_fpd);
    connect(ui->actionDMX_Channel_Aliases, &QAction::triggered, w, &Widget::changmarkname);
    connect(ui->actionDMX_Break_Time, &QAction::triggered, w, &Widget::show_Bk_Tim_Dialog);
    connect(ui->actionDMX_After_Break_Time, &QAction::triggered, w, &Widget::show_Abt_Tim_Dialog);
    connect(ui->actionCoefficient, &QAction::triggered, w, &Widget::show_Cof_Tim_Dialog);
    connect(ui->actionFactory_Reset, &QAction::triggered, w, &Widget::factory_Dialog);

    ui->actionUndo->setShortcuts(QKeySequence::Undo);
    ui->actionRedo->setShortcuts(QKeySequence::Redo);
    ui->actionUndo->setEnabled(w->editHistory->canUndo());
    ui->actionRedo->setEnabled(w->editHistory->canRedo());
    connect(ui->actionUndo, &QAction::triggered, w->editHistory, &EditHistory::undo);
    connect(ui->actionRedo, &QAction::triggered, w->editHistory, &EditHistory::redo);
    connect(w->editHistory, &EditHistory::canUndoChanged, ui->actionUndo, &QAction::setEnabled);
    connect(w->editHistory, &EditHistory::canRedoChanged, ui->actionRedo, &QAction::setEnabled);

    // Items whose commands are not part of this build yet stay visible but disabled.
    for (QAction *pending : {ui->actionFirmware_Upgrade, ui->actionOpen, ui->actionUpdate, ui->actionCheck_for_Update})
        pending->setEnabled(false);

    auto *menu = new QMenu(this);
    auto *group = new QActionGroup(menu);
    group->setExclusive(true);
    c3Action = menu->addAction(QStringLiteral("C3"));
    c4Action = menu->addAction(QStringLiteral("C4"));
    c5Action = menu->addAction(QStringLiteral("C5"));
    for (QAction *action : {c3Action, c4Action, c5Action}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    w->noteNameGroup = group;
    ui->actionMIDI_Note_60_Name->setMenu(menu);
    connect(group, &QActionGroup::triggered, w, &Widget::change_c345);
    connect(ui->actionMIDI_Note_60_Name, &QAction::triggered, menu, [menu] { menu->popup(QCursor::pos()); });
}

void MainWindow::set_auto(bool on)
{
    ui->actionAuto_Updates->setCheckable(true);
    ui->actionAuto_Updates->setChecked(on);
}

void MainWindow::saveActionSelection()
{
    const QList<QAction *> items = {c3Action, c4Action, c5Action};
    int index = -1;
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i)->isChecked())
            index = i;
    }
    AppSettings::setSelectedActionIndex(index);
}

void MainWindow::loadActionSelection()
{
    const int index = AppSettings::selectedActionIndex();
    const QList<QAction *> items = {c3Action, c4Action, c5Action};
    int c = menuOwner->cnum;
    if (index >= 0 && index < items.size()) {
        items.at(index)->setChecked(true);
        c = index + 1;
        menuOwner->applyConvention(c);
    } else {
        Q_EMIT menuOwner->send_combin(c);
    }
}
