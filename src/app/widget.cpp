#include "widget.h"
#include "ui_widget.h"

#include "about_dialog.h"
#include "appsettings.h"
#include "combineddelegate.h"
#include "edithistory.h"
#include "hxlitemdelegate.h"
#include "mainwindow.h"
#include "messages.h"
#include "notenames.h"
#include "rulerecord.h"
#include "ruletable.h"
#include "sharedfocusfilter.h"
#include "tablestream.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QThreadPool>
#include <QTimer>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

namespace {

constexpr int SweepIntervalMs = 100;
constexpr int RefreshDelayMs = 200;

} // namespace

// Resources of a static library are registered only when asked for.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

Widget::Widget(QWidget *parent) : QWidget(parent), ui(new Ui::Widget)
{
    initResources();
    ui->setupUi(this);
    setupAliases();

    ruleModel = new QStandardItemModel(0, RuleTable::ColumnCount, this);
    ruleModel->setHorizontalHeaderLabels(RuleTable::headerLabels());
    connect(ruleModel, &QStandardItemModel::dataChanged, this, &Widget::onDataChanged33);

    menuWindow = new MainWindow(this);
    menuWindow->setWindowFlags(Qt::Widget);
    menuWindow->setMaximumSize(3000, 20);
    menuWindow->menuOwner = this;
    ui->verticalLayout->insertWidget(0, menuWindow);

    ui->tableView->setModel(ruleModel);
    delegate = new CombinedDelegate(ui->tableView);
    ui->tableView->setItemDelegate(delegate);
    connect(this, &Widget::cnum_change, delegate, &CombinedDelegate::change_cnum);

    remarkModel = new QStandardItemModel(this);
    RuleTable::resetRemarks(remarkModel);
    ui->tableView->setRemarkModel(remarkModel);
    ui->tableView_2->setModel(remarkModel);
    ui->tableView_2->setItemDelegate(new HXLItemDelegate(ui->tableView_2));
    setupTables();
    setupEditing();

    emulatorAutoUpdate = AppSettings::autoUpdates();
    menuWindow->set_auto(emulatorAutoUpdate);

    refreshTimer = new QTimer(this);
    connect(refreshTimer, &QTimer::timeout, this, &Widget::handleDataChanged);
    controllerSweepTimer = new QTimer(this);
    connect(controllerSweepTimer, &QTimer::timeout, this, &Widget::sweepControllers);
    controllerSweepTimer->start(SweepIntervalMs);

    setWindowIcon(QIcon(QStringLiteral(":/IMG/zkq.png")));
    setWindowTitle(QStringLiteral("Lumetra"));
    resize(1100, 526);
    setMinimumSize(955, 480);

    setupDevice();
    aboutDialog = new About_Dialog(this);

    setupTitles();
    menuWindow->set_menu();
    setupProject();
    readAliasesFromFile(QCoreApplication::applicationDirPath() + QStringLiteral("/aliases/Aliases.txt"));
    menuWindow->loadActionSelection();
}

Widget::~Widget()
{
    // Closing the window commits an open cell editor into the models, which outlive this
    // object's own part; and rule-change forwards still on the pool emit from it.
    disconnect(ruleModel, nullptr, this, nullptr);
    disconnect(remarkModel, nullptr, this, nullptr);
    // The history's stack empties itself when it goes, after this object's own part.
    disconnect(editHistory, nullptr, this, nullptr);
    QThreadPool::globalInstance()->waitForDone();
    delete ui;
}

void Widget::setupTables()
{
    MyTableView *rules = ui->tableView;
    rules->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    rules->horizontalHeader()->hide();
    rules->verticalHeader()->hide();
    rules->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    QTableView *remarks = ui->tableView_2;
    remarks->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    remarks->horizontalHeader()->hide();
    remarks->verticalHeader()->hide();

    // Row n of the remarks always sits beside row n of the rules.
    connect(rules->verticalScrollBar(), &QScrollBar::valueChanged,
            remarks->verticalScrollBar(), &QScrollBar::setValue);
    connect(remarks->verticalScrollBar(), &QScrollBar::valueChanged,
            rules->verticalScrollBar(), &QScrollBar::setValue);
}

void Widget::setupTitles()
{
    struct Tip { QLabel *label; const char *text; };
    const Tip tips[] = {
        {ui->label_sn, "The sequence number indicates how many rows of conversions there are for the current product."},
        {ui->label_dmx, "Select DMX channel,DMX 1 port = 1~512,DMX 2 port = 513~1024"},
        {ui->label_status, "Set the status of MIDI messages,support Note/CC/After touch."},
        {ui->label_controller, "Select MIDI CC controller or note number."},
        {ui->label_channel, "Set MIDI channel for MIDI messages."},
        {ui->label_fixed, "When the fixed value is set, DMX will output the fixed value without following the conversion formula."},
        {ui->label_fadeout, "After the fade-out function is turned on, \nwhen the DMX channel output is turned off, \nthe DMX value gradually decreases to 0."},
        {ui->label_toggle, "After turning on the toggle function, \nthe DMX output will be turned on when the MIDI value is received for the first time, \nand the DMX output will be turned off when the MIDI value is received for the second time."},
        {ui->label_enable, "Enable this MIDI to DMX conversion"},
    };
    for (QLabel *title : {ui->label_sn, ui->label_dmx, ui->label_status, ui->label_controller,
                          ui->label_channel, ui->label_fixed, ui->label_fadein, ui->label_fadeout,
                          ui->label_toggle, ui->label_enable, ui->label_remark})
        title->setStyleSheet(QStringLiteral("color: white;"));
    for (const Tip &tip : tips) {
        tip.label->setToolTip(QString::fromUtf8(tip.text));
        if (tip.label != ui->label_sn)
            tip.label->setToolTipDuration(30000);
    }
    focusFilter = new SharedFocusFilter(ui->tableView, ui->tableView_2, this);
}

QString Widget::getNoteName(int n) const { return NoteNames::name(n, NoteNames::C4); }
QString Widget::getNoteName_c3(int n) const { return NoteNames::name(n, NoteNames::C3); }
QString Widget::getNoteName_c5(int n) const { return NoteNames::name(n, NoteNames::C5); }
int Widget::getMidiNumber(const QString &name) const { return NoteNames::number(name, NoteNames::C4); }
int Widget::getMidiNumber_c3(const QString &name) const { return NoteNames::number(name, NoteNames::C3); }
int Widget::getMidiNumber_c5(const QString &name) const { return NoteNames::number(name, NoteNames::C5); }

int Widget::send_ini(int mode)
{
    if (ruleModel->rowCount() < RuleTable::RowCount) {
        Messages::information(QStringLiteral("Warning"),
                              QStringLiteral("The table has no data. Please fill in the data before saving."));
        return 0;
    }
    tableStream = TableStream::build(RuleTable::encodeRecords(ruleModel));
    return mode == 1 ? transmitStream(tableStream) : 2;
}

void Widget::processRow(int row, QByteArray record)
{
    const QStringList texts = RuleRecord::decode(record, row, cnum);
    if (texts.isEmpty())
        return;
    // Queued, so the rows of one stream go in after the decoding loop, in slot order.
    QMetaObject::invokeMethod(
        this, [this, row, texts] { RuleTable::insertReadRule(ruleModel, row, texts); },
        Qt::QueuedConnection);
}

void Widget::loadRecords(const QList<QByteArray> &records)
{
    ruleModel->removeRows(0, ruleModel->rowCount());
    const int rows = qMin<int>(records.size(), RuleTable::RowCount);
    for (int r = 0; r < rows; ++r)
        processRow(r, records.at(r));
    // Queued behind the row insertions, so the table change follows the whole table.
    QMetaObject::invokeMethod(
        this, [this] { QTimer::singleShot(0, this, &Widget::table_change); }, Qt::QueuedConnection);
}

void Widget::showMsgBox(QString text)
{
    Messages::plain(text);
}

QString Widget::manualUrl(const QString &path)
{
    return QStringLiteral("https://") + QStringLiteral(LUMETRA_DOWNLOAD_HOST) + path;
}

void Widget::new_table()
{
    if (!editHistory->isClean()) {
        if (!maybeKeepUnsavedChanges())
            return;
    } else if (ruleModel->rowCount() > 0
               && !Messages::confirm(QStringLiteral("Discard the current table and start a new one?"))) {
        return;
    }
    RuleTable::fillEmptyRules(ruleModel);
    RuleTable::resetRemarks(remarkModel);
    // A new table belongs to no file yet: Save must not overwrite the last one.
    currentFilePath.clear();
    updateWindowTitle();
    QTimer::singleShot(0, this, &Widget::table_change);
}

void Widget::exit_midi()
{
    if (Messages::confirm(QStringLiteral("Exit software?")))
        close();
}

void Widget::show_ab_dlg_Dialog()
{
    aboutDialog->show();
    aboutDialog->raise();
}

void Widget::open_chinese_fpd()
{
    QDesktopServices::openUrl(QUrl(manualUrl(QStringLiteral("/download/Product/ZKQ-1024/Lumetra软件使用说明书.pdf"))));
}

void Widget::open_english_fpd()
{
    QDesktopServices::openUrl(QUrl(manualUrl(QStringLiteral("/download/Product/ZKQ-1024/Lumetra_User_Guide.pdf"))));
}

void Widget::change_c345(QAction *action)
{
    const QString text = action->text();
    const int c = text == QLatin1String("C3") ? 1 : text == QLatin1String("C4") ? 2 : text == QLatin1String("C5") ? 3 : 0;
    if (c == 0)
        return;
    EditHistory::Step step(editHistory, QStringLiteral("Note names"));
    recordConventionChange(cnum, c);
    applyConvention(c);
    RuleTable::renameControllers(ruleModel, c);
    menuWindow->saveActionSelection();
}

void Widget::applyConvention(int c)
{
    cnum = c;
    ui->tableView->cnum = c;
    Q_EMIT send_combin(c);
    Q_EMIT cnum_change(c);
}

void Widget::set_auto_updates(bool on)
{
    emulatorAutoUpdate = on;
    AppSettings::setAutoUpdates(on);
}

void Widget::onDataChanged33(const QModelIndex &topLeft, const QModelIndex &, const QList<int> &)
{
    handleDataChanged2222(topLeft.row(), topLeft.column(), topLeft);
    if (!refreshPending) {
        refreshTimer->stop();
        refreshTimer->start(RefreshDelayMs);
        refreshPending = true;
    }
}

void Widget::handleDataChanged2222(int row, int col, const QModelIndex &index)
{
    if (row < 0 || col < 0)
        return;
    // The model is not thread-safe: take the text here and hand only the triple to the task.
    const QVariant value = index.data();
    const QString text = value.toString();
    if (!value.isValid() || text.isEmpty())
        return;
    (void)QtConcurrent::run([this, row, col, text] { Q_EMIT updateTableData(row, col, text); });
}

void Widget::handleDataChanged()
{
    refreshPending = false;
    refreshTimer->stop();
}

void Widget::sweepControllers()
{
    RuleTable::sweepControllers(ruleModel, cnum);

    // An open Controller editor follows its row's Status too.
    const auto editors = ui->tableView->viewport()->findChildren<QComboBox *>(QString(), Qt::FindDirectChildrenOnly);
    for (QComboBox *editor : editors) {
        const QModelIndex index = editor->property("index").toModelIndex();
        if (!index.isValid() || index.column() != RuleTable::Controller || editor->count() != 128)
            continue;
        const bool cc = RuleTable::cellText(ruleModel, index.row(), RuleTable::Status) == QLatin1String("CC");
        for (int k = 0; k < 128; ++k) {
            const QString item = cc ? QString::number(k) : NoteNames::controllerText(k, cnum);
            if (editor->itemText(k) != item)
                editor->setItemText(k, item);
        }
    }
}

void Widget::closeEvent(QCloseEvent *event)
{
    if (!maybeKeepUnsavedChanges()) {
        event->ignore();
        return;
    }
    event->accept();
}

void Widget::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, width(), 21), QColor(0xB5, 0xB5, 0xB5));
}
