// The main window: owns the rule table, the link to the box and every dialog.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QSerialPort>
#include <QStringList>
#include <QWidget>

#include <functional>

class QActionGroup;
class QAction;
class QStandardItemModel;
class QTimer;
class MainWindow;
class About_Dialog;
class CombinedDelegate;
class EditHistory;
class SharedFocusFilter;
class AliasEditDialog;
class SerialPort;
class Bk_Tim_Dialog;
class Abt_Dialog;
class cof_Dialog;

QT_BEGIN_NAMESPACE
namespace Ui { class Widget; }
QT_END_NAMESPACE

class Widget : public QWidget
{
    Q_OBJECT
    friend class MainWindow;

public:
    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    QStandardItemModel *ruleModel = nullptr;
    QStandardItemModel *remarkModel = nullptr;
    MainWindow *menuWindow = nullptr;
    About_Dialog *aboutDialog = nullptr;
    CombinedDelegate *delegate = nullptr;
    QActionGroup *noteNameGroup = nullptr;
    QTimer *refreshTimer = nullptr;
    QTimer *controllerSweepTimer = nullptr;

    QString currentFilePath;
    QByteArray tableStream;
    int cnum = 2;
    bool refreshPending = false;
    bool emulatorAutoUpdate = true;

    QString getNoteName(int n) const;
    QString getNoteName_c3(int n) const;
    QString getNoteName_c5(int n) const;
    int getMidiNumber(const QString &name) const;
    int getMidiNumber_c3(const QString &name) const;
    int getMidiNumber_c5(const QString &name) const;

    // Builds the table stream into tableStream; 0 refused, 1 written to the box, 2 built only.
    int send_ini(int mode);
    void processRow(int row, QByteArray record);
    // Replaces the rule rows with decoded records (the first 3072) and announces the new
    // table once they are in: what a read from the box and an opened project share.
    void loadRecords(const QList<QByteArray> &records);
    void showMsgBox(QString text);

    // Where the manuals live; the host is chosen at build time.
    static QString manualUrl(const QString &path);

    // Undo and redo of table edits (widget_editing.cpp)
    EditHistory *editHistory = nullptr;
    void setupEditing();
    void recordConventionChange(int from, int to);
    void restoreConvention(int c);

Q_SIGNALS:
    void updateTableData(int row, int col, const QString &changedString);
    void table_change();
    void send_combin(int num);
    void cnum_change(int cnum);

public Q_SLOTS:
    void new_table();
    void exit_midi();
    void show_ab_dlg_Dialog();
    void open_chinese_fpd();
    void open_english_fpd();
    void change_c345(QAction *action);
    void set_auto_updates(bool on);

    void onDataChanged33(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles);
    void handleDataChanged();
    void handleDataChanged2222(int row, int col, const QModelIndex &index);

// Device link: connecting, reading and writing the table, the box's settings.
public:
    SerialPort *serialPort = nullptr;
    Bk_Tim_Dialog *breakTimeDialog = nullptr;
    Abt_Dialog *mabDialog = nullptr;
    cof_Dialog *coefficientDialog = nullptr;
    double coefficientFactor = 1.0;    // the factor the emulator converts with
    bool isLinkConnected() const;
    // Writes the stream in 256-byte pieces, 20 ms apart; 1 when all went out, 0 on a failed write.
    int transmitStream(const QByteArray &stream);
Q_SIGNALS:
    void connect_bt();
    void connect_abt();
    void connect_cof();
public Q_SLOTS:
    void on_connectButton_clicked();
    void Definite_connection(bool sure);
    void updateDeviceState();
    void handleSerialError(QSerialPort::SerialPortError error);
    void rec_data(QList<QByteArray> groupedData);
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_clearButton_clicked();
    void show_Bk_Tim_Dialog();
    void show_Abt_Tim_Dialog();
    void show_Cof_Tim_Dialog();
    void factory_Dialog();
    void is_connect(int type);
    void rec_mp(double factor);
private:
    void setupDevice();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void applyConvention(int c);
    void sweepControllers();
    void setupTitles();
    void setupTables();

    Ui::Widget *ui;
    SharedFocusFilter *focusFilter = nullptr;

    // DMX channel aliases: the dialog, the aliases files, DMX cells and open DMX editors.
public:
    AliasEditDialog *aliasDialog = nullptr;
    QTimer *aliasTimer = nullptr;
    QTimer *dmxRelabelTimer = nullptr;
    bool dmxRelabelPending = false;
    // Runs the alias dialog modally and returns its result code; tests drive the dialog
    // themselves by replacing it.
    std::function<int(AliasEditDialog &)> runAliasDialog;
    void readAliasesFromFile(const QString &path);
    void onEditAliasClicked();
    void getSecondColumnData();
    // Rewrites the DMX column now and once more 5 ms later, after rows still queued.
    void relabelDmxSoon();
    // A read from the box drops every alias until the next edit or start.
    void forgetAliases();
    bool eventFilter(QObject *watched, QEvent *event) override;
public Q_SLOTS:
    void changmarkname();
    void updateAliases();
private:
    void setupAliases();
    void relabelDmxStep();

    // Project files and unsaved changes (widget_project.cpp)
public:
    // Save File and Open File on a given path, without the file dialog.
    bool saveProject(const QString &path);
    bool openProject(const QString &path);
    // Before unsaved changes would be thrown away, lets the user save them, discard them or
    // cancel; false when the user cancels or the save fails: the caller must then stop.
    bool maybeKeepUnsavedChanges();
public Q_SLOTS:
    void open_midi_file();
    bool save_file();
    bool save_As_file();
private:
    void setupProject();
    bool writeProject(const QString &path);
    void updateWindowTitle();
};
