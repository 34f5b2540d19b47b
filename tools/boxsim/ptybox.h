// A simulated converter box on the master side of a pseudo-terminal; the host opens the slave.
#pragma once

#include "boxprotocol.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

class PtyBox : public QObject
{
    Q_OBJECT
public:
    // 115200 baud, 8N1: ten bits on the line per byte.
    // How the editor lists a simulated box beside real ones.
    static constexpr char ProductName[] = "Quorvani ZKQ-1024 (simulated)";
    static constexpr int LineBytesPerSecond = 11520;
    // Paced output leaves in slices of at most one USB full-speed packet.
    static constexpr int PacedSliceSize = 64;
    // Replies the host does not read are dropped beyond this many waiting bytes.
    static constexpr int MaxPendingOutput = 1024 * 1024;

    explicit PtyBox(QObject *parent = nullptr);
    ~PtyBox() override;

    // Opens the pty master and puts the slave in raw mode; false on failure. Starting a
    // box that runs already does nothing; after unplug() it opens a new pty.
    bool start();
    QString portName() const;
    BoxProtocol &protocol();

    // Paced: output at the line rate, in slices. Otherwise each reply block goes out at once,
    // as soon as the host has read the block before.
    void setPaced(bool on);
    // A silent box reads and drops everything and never answers.
    void setSilent(bool on);
    // Closes the pty: the host's open port sees the device vanish.
    void unplug();

Q_SIGNALS:
    void received(const QByteArray &bytes);
    void tableStored();
    void settingApplied(int id, int value);
    void imageChunk(int totalBytes);

private:
    enum class Event { TableStored, SettingApplied };
    struct PendingEvent
    {
        Event event;
        int id;
        int value;
    };

    void readFromHost();
    void handle(const QByteArray &bytes);
    void queue(const QList<QByteArray> &blocks);
    void pump();
    bool hostHasReadAll() const;
    qint64 writeToHost(const QByteArray &bytes);
    void close();

    BoxProtocol m_protocol;
    int m_master = -1;
    int m_slave = -1; // held open so the pty stays up between host opens
    QString m_portName;
    QSocketNotifier *m_readNotifier = nullptr;

    bool m_paced = false;
    bool m_silent = false;
    QList<QByteArray> m_outgoing; // pieces not yet written, in order
    qsizetype m_outgoingBytes = 0;
    QTimer m_lineTimer {this}; // a child, so the box can be moved to another thread whole
    QElapsedTimer m_lineClock;    // started with the first byte of a paced transfer
    qint64 m_lineSent = 0;        // bytes written since then
    QList<PendingEvent> m_events; // raised by the protocol, emitted after it returns
};
