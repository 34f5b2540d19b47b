#include "ptybox.h"

#include <QSocketNotifier>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int PacedInterval = 10; // ms
// Unpaced blocks follow each other as soon as the host has read the one before; the
// wait keeps the kernel from joining many blocks and cutting them at random places.
constexpr int UnpacedInterval = 1; // ms

} // namespace

PtyBox::PtyBox(QObject *parent)
    : QObject(parent)
{
    m_lineTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_lineTimer, &QTimer::timeout, this, &PtyBox::pump);
    m_protocol.setTableStoredHandler([this] { m_events.append({Event::TableStored, 0, 0}); });
    m_protocol.setSettingAppliedHandler([this](int id, int value) {
        m_events.append({Event::SettingApplied, id, value});
    });
}

PtyBox::~PtyBox()
{
    close();
}

bool PtyBox::start()
{
    if (m_master >= 0)
        return true;
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0)
        return false;
    char name[PATH_MAX];
    if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
        ::close(master);
        return false;
    }
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios raw {};
    if (slave < 0 || tcgetattr(slave, &raw) != 0) {
        if (slave >= 0)
            ::close(slave);
        ::close(master);
        return false;
    }
    // No echo, no line editing, no CR/LF or XON/XOFF handling: replies and firmware images
    // carry any byte value.
    cfmakeraw(&raw);
    cfsetspeed(&raw, B115200);
    if (tcsetattr(slave, TCSANOW, &raw) != 0) {
        ::close(slave);
        ::close(master);
        return false;
    }

    m_master = master;
    m_slave = slave;
    m_portName = QString::fromLocal8Bit(name);
    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyBox::readFromHost);
    return true;
}

QString PtyBox::portName() const
{
    return m_portName;
}

BoxProtocol &PtyBox::protocol()
{
    return m_protocol;
}

void PtyBox::setPaced(bool on)
{
    m_paced = on;
    m_lineClock.invalidate();
    m_lineTimer.stop();
    pump();
}

void PtyBox::setSilent(bool on)
{
    m_silent = on;
}

void PtyBox::unplug()
{
    close();
}

void PtyBox::close()
{
    m_lineTimer.stop();
    m_outgoing.clear();
    m_outgoingBytes = 0;
    m_lineClock.invalidate();
    if (m_readNotifier) {
        // This may run inside the notifier's own signal.
        m_readNotifier->setEnabled(false);
        m_readNotifier->deleteLater();
        m_readNotifier = nullptr;
    }
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = -1;
    m_master = -1;
}

void PtyBox::readFromHost()
{
    char buffer[4096];
    while (m_master >= 0) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            handle(QByteArray(buffer, n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && m_readNotifier)
            m_readNotifier->setEnabled(false); // the pty is broken: do not spin on it
        return;
    }
}

void PtyBox::handle(const QByteArray &bytes)
{
    Q_EMIT received(bytes);
    if (m_silent || m_master < 0)
        return;

    const qsizetype imageBefore = m_protocol.receivedImage().size();
    const bool upgrading = m_protocol.upgradeMode();
    queue(m_protocol.feed(bytes));

    // Emitted only now, so that slots may change the box without disturbing the parse.
    const QList<PendingEvent> events = std::exchange(m_events, {});
    for (const PendingEvent &e : events) {
        if (e.event == Event::TableStored)
            Q_EMIT tableStored();
        else
            Q_EMIT settingApplied(e.id, e.value);
    }
    const qsizetype imageAfter = m_protocol.receivedImage().size();
    if (upgrading && imageAfter != imageBefore)
        Q_EMIT imageChunk(int(imageAfter));
}

void PtyBox::queue(const QList<QByteArray> &blocks)
{
    for (const QByteArray &block : blocks) {
        if (m_outgoingBytes + block.size() > MaxPendingOutput)
            break;
        m_outgoingBytes += block.size();
        if (!m_paced) {
            m_outgoing << block;
            continue;
        }
        // Slices start at the block's start, so the table's end marker is never cut.
        for (qsizetype pos = 0; pos < block.size(); pos += PacedSliceSize)
            m_outgoing << block.mid(pos, PacedSliceSize);
    }
    pump();
}

// Writes what the line allows now and keeps the timer running while anything waits.
void PtyBox::pump()
{
    if (m_master < 0 || m_outgoing.isEmpty()) {
        m_lineTimer.stop();
        m_lineClock.invalidate();
        return;
    }
    if (!hostHasReadAll()) {
        // The line waits for the host instead of catching up later in one burst, which
        // the kernel would hand over cut at random places.
        m_lineClock.invalidate();
    } else {
        qint64 allowance = m_outgoing.first().size();
        if (m_paced) {
            // Due bytes are counted from the start of the transfer, so timer lateness
            // never adds up.
            if (!m_lineClock.isValid()) {
                m_lineClock.start();
                m_lineSent = 0;
            }
            allowance = m_lineClock.nsecsElapsed() * LineBytesPerSecond / 1000000000 - m_lineSent;
        }
        while (!m_outgoing.isEmpty() && m_outgoing.first().size() <= allowance) {
            QByteArray &piece = m_outgoing.first();
            const qint64 written = writeToHost(piece);
            if (written < 0) {
                // The line is gone: nothing waiting can be delivered any more.
                m_outgoing.clear();
                m_outgoingBytes = 0;
                break;
            }
            if (written == 0)
                break;
            allowance -= written;
            m_lineSent += written;
            m_outgoingBytes -= written;
            if (written < piece.size()) {
                piece.remove(0, written);
                break;
            }
            m_outgoing.removeFirst();
            if (!m_paced)
                break;
        }
    }
    if (m_outgoing.isEmpty()) {
        m_lineTimer.stop();
        m_lineClock.invalidate();
    } else if (!m_lineTimer.isActive()) {
        m_lineTimer.start(m_paced ? PacedInterval : UnpacedInterval);
    }
}

// Our own slave descriptor sees the input queue the host reads from.
bool PtyBox::hostHasReadAll() const
{
    int unread = 0;
    return ioctl(m_slave, FIONREAD, &unread) != 0 || unread == 0;
}

// Bytes the pty took; 0 when it is full for now, -1 on an error.
qint64 PtyBox::writeToHost(const QByteArray &bytes)
{
    for (;;) {
        const ssize_t n = ::write(m_master, bytes.constData(), size_t(bytes.size()));
        if (n >= 0)
            return n;
        if (errno == EINTR)
            continue;
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
    }
}
