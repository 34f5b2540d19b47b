// The ZKQ-1024 converter box as pure protocol logic, without I/O: host bytes in, reply blocks out.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class BoxProtocol
{
public:
    static constexpr int FactoryBreakTime = 200;
    static constexpr int FactoryMarkAfterBreak = 50;
    static constexpr int FactoryCoefficientCode = 0;
    static constexpr int DefaultTableBlockSize = 1024;
    static constexpr int MaxImageSize = 4 * 1024 * 1024;

    // Settings record ids.
    enum Setting { BreakTime = 1, MarkAfterBreak = 2, Coefficient = 3, FactoryReset = 4 };

    BoxProtocol();

    // Host bytes in any split; returns the blocks to send back, in order.
    QList<QByteArray> feed(const QByteArray &bytes);

    // 3072 records of 8 bytes, as stored. setRecords pads a short table with free slots
    // and ignores bytes beyond the last slot.
    QByteArray records() const;
    void setRecords(const QByteArray &records);

    int breakTime() const;
    int markAfterBreak() const;
    int coefficientCode() const;

    // Entering or leaving upgrade mode drops half-received input; the image is kept until
    // the next erase.
    bool upgradeMode() const;
    void setUpgradeMode(bool on);
    QByteArray receivedImage() const;

    // The table reply is cut into blocks of this size (at least 1).
    int tableBlockSize() const;
    void setTableBlockSize(int size);

    QString model() const;
    QString version() const;

    // Host bytes held back for parsing: a partial command or a table stream being received.
    qsizetype pendingBytes() const;

    // Called from feed() once a host table is stored / a settings record took effect.
    void setTableStoredHandler(std::function<void()> handler);
    void setSettingAppliedHandler(std::function<void(int id, int value)> handler);

private:
    bool parseCommand(QList<QByteArray> &replies);
    bool collectTable(QList<QByteArray> &replies);
    bool parseSettingData();
    void parseUpgrade(QList<QByteArray> &replies);
    void storeTable(const QByteArray &stream, QList<QByteArray> &replies);
    void applySetting(const QByteArray &record);
    void collectImage(const QByteArray &bytes);
    void resetToFactory();
    QByteArray settingsReport() const;
    QList<QByteArray> tableBlocks() const;

    QByteArray m_records;
    int m_breakTime = FactoryBreakTime;
    int m_markAfterBreak = FactoryMarkAfterBreak;
    int m_coefficientCode = FactoryCoefficientCode;
    int m_tableBlockSize = DefaultTableBlockSize;

    QByteArray m_input;           // unparsed host bytes
    bool m_collectingTable = false;
    QByteArray m_table;           // host table stream being collected

    bool m_upgradeMode = false;
    bool m_collectingImage = false;
    QByteArray m_image;

    std::function<void()> m_tableStored;
    std::function<void(int, int)> m_settingApplied;
};
