#include "boxprotocol.h"

#include "rulerecord.h"
#include "tablestream.h"

#include <QtEndian>

#include <algorithm>

namespace {

constexpr int TableBytes = TableStream::RecordCount * RuleRecord::Size;

const QByteArray Hello("hello");
const QByteArray SettingRequest("setting request");
const QByteArray UploadRequest("upload request");
const QByteArray DownloadRequest(TableStream::StartText);
const QByteArray SettingData("settingdata");
const QByteArray SettingEnd("setting end");

// Commands are found by their text anywhere in the input; what lies between them is noise.
const QByteArray *const Commands[] = {&Hello, &SettingRequest, &UploadRequest, &DownloadRequest, &SettingData};

constexpr int SettingRecordSize = 6;
constexpr int SettingsReportSize = 25;
constexpr int BreakTimeOffset = 19;
constexpr int MarkAfterBreakOffset = 21;
constexpr int CoefficientOffset = 23;

// Upgrade mode: AA CC 02 00 <command> CR LF.
const QByteArray UpgradeCommandHead("\xAA\xCC\x02\x00", 4);
constexpr int UpgradeCommandSize = 7;
enum UpgradeCommand : char { AskModel = 0x01, Erase = 0x02, AskVersion = 0x03 };

const QString Model = QStringLiteral("ZKQ-1024");
const QString Version = QStringLiteral("V1.0.3");

// Upgrade-mode replies: AA CC, the text's length, the text, CR LF.
QByteArray upgradeReply(const QByteArray &text)
{
    return QByteArray("\xAA\xCC", 2) + char(text.size()) + text + "\r\n";
}

int longestCommand()
{
    int longest = 0;
    for (const QByteArray *command : Commands)
        longest = std::max(longest, int(command->size()));
    return longest;
}

} // namespace

BoxProtocol::BoxProtocol()
    : m_records(TableBytes, '\0')
{
}

QList<QByteArray> BoxProtocol::feed(const QByteArray &bytes)
{
    QList<QByteArray> replies;
    if (m_upgradeMode) {
        if (m_collectingImage) {
            collectImage(bytes);
        } else {
            m_input += bytes;
            parseUpgrade(replies);
        }
        return replies;
    }
    m_input += bytes;
    while (m_collectingTable ? collectTable(replies) : parseCommand(replies)) {
    }
    return replies;
}

// Handles the first command in the input; false when more input is needed.
bool BoxProtocol::parseCommand(QList<QByteArray> &replies)
{
    qsizetype first = -1;
    const QByteArray *command = nullptr;
    for (const QByteArray *candidate : Commands) {
        const qsizetype at = m_input.indexOf(*candidate);
        if (at >= 0 && (first < 0 || at < first)) {
            first = at;
            command = candidate;
        }
    }
    if (!command) {
        // Keep only what may still grow into a command.
        const qsizetype keep = longestCommand() - 1;
        if (m_input.size() > keep)
            m_input.remove(0, m_input.size() - keep);
        return false;
    }
    m_input.remove(0, first);

    if (command == &DownloadRequest) {
        m_collectingTable = true;
        m_table.clear();
        return true;
    }
    if (command == &SettingData)
        return parseSettingData();

    m_input.remove(0, command->size());
    if (command == &Hello) {
        replies << QByteArrayLiteral("ok");
    } else if (command == &SettingRequest) {
        replies << settingsReport() << SettingEnd;
    } else {
        replies << tableBlocks();
    }
    return true;
}

// "settingdata", 6-byte record, "setting end". The settings exchange gets no reply: a
// "setting end" would make the host read the whole table again after every setting.
bool BoxProtocol::parseSettingData()
{
    const qsizetype endAt = SettingData.size() + SettingRecordSize;
    const QByteArray tail = m_input.mid(endAt, SettingEnd.size());
    if (!SettingEnd.startsWith(tail)) {
        m_input.remove(0, SettingData.size());
        return true;
    }
    if (tail.size() < SettingEnd.size())
        return false;
    applySetting(m_input.mid(SettingData.size(), SettingRecordSize));
    m_input.remove(0, endAt + SettingEnd.size());
    return true;
}

// Takes input into the host's table stream until its end marker; false when more is needed.
bool BoxProtocol::collectTable(QList<QByteArray> &replies)
{
    // Only the new bytes (and a marker's length before them) need searching.
    const qsizetype known = m_table.size();
    m_table += m_input;
    m_input.clear();

    // A new stream means the host gave up on the one before.
    qsizetype restart = 0;
    for (qsizetype at = std::max<qsizetype>(1, known - DownloadRequest.size() + 1);
         (at = m_table.indexOf(DownloadRequest, at)) > 0; ++at)
        restart = at;
    if (restart > 0)
        m_table.remove(0, restart);

    const QByteArray endText(TableStream::EndText);
    const qsizetype searchFrom = restart > 0 ? 0 : known - endText.size() + 1;
    const qsizetype end = m_table.indexOf(endText, std::max<qsizetype>(TableStream::HeaderSize, searchFrom));
    if (end >= 0) {
        const QByteArray stream = m_table.left(end + endText.size());
        m_input = m_table.mid(end + endText.size());
        m_table.clear();
        m_collectingTable = false;
        storeTable(stream, replies);
        return true;
    }
    if (m_table.size() > TableStream::Size) {
        // Longer than any stream: it lost its end. What follows may be commands again.
        m_input = m_table.mid(TableStream::Size);
        m_table.clear();
        m_collectingTable = false;
        return !m_input.isEmpty();
    }
    return false;
}

// Stores a stream only when it holds all 3072 records and its checksum is right; a damaged
// stream is dropped without "download success", so the host never believes it was stored.
void BoxProtocol::storeTable(const QByteArray &stream, QList<QByteArray> &replies)
{
    const QList<QByteArray> records = TableStream::split(stream);
    if (records.size() != TableStream::RecordCount || records.last().size() != RuleRecord::Size)
        return;
    const QByteArray body = stream.mid(TableStream::HeaderSize, TableBytes);
    const quint16 sum = qFromLittleEndian<quint16>(stream.constData() + TableStream::ChecksumOffset);
    if (sum != TableStream::checksum(body))
        return;
    m_records = body;
    replies << QByteArrayLiteral("download success");
    if (m_tableStored)
        m_tableStored();
}

void BoxProtocol::applySetting(const QByteArray &record)
{
    const auto byte = [&record](int i) { return int(quint8(record.at(i))); };
    if (byte(0) != 0)
        return;
    const int id = byte(1);
    const int checksum = byte(2) << 8 | byte(3);
    const int value = byte(4) << 8 | byte(5);
    if (checksum != byte(4) + byte(5))
        return;

    switch (id) {
    case BreakTime:
        if (value < 100 || value > 1000)
            return;
        m_breakTime = value;
        break;
    case MarkAfterBreak:
        if (value < 50 || value > 510)
            return;
        m_markAfterBreak = value;
        break;
    case Coefficient:
        if (value > 5)
            return;
        m_coefficientCode = value;
        break;
    case FactoryReset:
        if (value != 1)
            return;
        resetToFactory();
        break;
    default:
        return;
    }
    if (m_settingApplied)
        m_settingApplied(id, value);
}

void BoxProtocol::resetToFactory()
{
    m_records.fill('\0');
    m_breakTime = FactoryBreakTime;
    m_markAfterBreak = FactoryMarkAfterBreak;
    m_coefficientCode = FactoryCoefficientCode;
}

void BoxProtocol::parseUpgrade(QList<QByteArray> &replies)
{
    for (;;) {
        const qsizetype at = m_input.indexOf(UpgradeCommandHead);
        if (at < 0) {
            const qsizetype keep = UpgradeCommandHead.size() - 1;
            if (m_input.size() > keep)
                m_input.remove(0, m_input.size() - keep);
            return;
        }
        m_input.remove(0, at);
        if (m_input.size() < UpgradeCommandSize)
            return;
        const char command = m_input.at(4);
        if (m_input.mid(5, 2) != "\r\n" || command < AskModel || command > AskVersion) {
            m_input.remove(0, 1);
            continue;
        }
        m_input.remove(0, UpgradeCommandSize);
        if (command == AskModel) {
            replies << upgradeReply(Model.toLatin1());
        } else if (command == AskVersion) {
            replies << upgradeReply(Version.toLatin1());
        } else {
            // After an erase everything the host sends is the new image.
            replies << upgradeReply(QByteArrayLiteral("ERASE END"));
            m_image.clear();
            m_collectingImage = true;
            collectImage(m_input);
            m_input.clear();
            return;
        }
    }
}

void BoxProtocol::collectImage(const QByteArray &bytes)
{
    m_image += bytes.left(MaxImageSize - m_image.size());
}

QByteArray BoxProtocol::settingsReport() const
{
    QByteArray report = SettingRequest;
    report.resize(SettingsReportSize, '\0');
    qToBigEndian<quint16>(m_breakTime, report.data() + BreakTimeOffset);
    qToBigEndian<quint16>(m_markAfterBreak, report.data() + MarkAfterBreakOffset);
    qToBigEndian<quint16>(m_coefficientCode, report.data() + CoefficientOffset);
    return report;
}

QList<QByteArray> BoxProtocol::tableBlocks() const
{
    QList<QByteArray> records;
    records.reserve(TableStream::RecordCount);
    for (int pos = 0; pos < TableBytes; pos += RuleRecord::Size)
        records << m_records.mid(pos, RuleRecord::Size);
    const QByteArray stream = TableStream::build(records);

    QList<QByteArray> blocks;
    for (qsizetype pos = 0; pos < stream.size(); pos += m_tableBlockSize)
        blocks << stream.mid(pos, m_tableBlockSize);
    return blocks;
}

QByteArray BoxProtocol::records() const
{
    return m_records;
}

void BoxProtocol::setRecords(const QByteArray &records)
{
    m_records = records.left(TableBytes);
    m_records.resize(TableBytes, '\0');
}

int BoxProtocol::breakTime() const
{
    return m_breakTime;
}

int BoxProtocol::markAfterBreak() const
{
    return m_markAfterBreak;
}

int BoxProtocol::coefficientCode() const
{
    return m_coefficientCode;
}

bool BoxProtocol::upgradeMode() const
{
    return m_upgradeMode;
}

void BoxProtocol::setUpgradeMode(bool on)
{
    m_upgradeMode = on;
    m_input.clear();
    m_collectingTable = false;
    m_table.clear();
    m_collectingImage = false;
}

QByteArray BoxProtocol::receivedImage() const
{
    return m_image;
}

int BoxProtocol::tableBlockSize() const
{
    return m_tableBlockSize;
}

void BoxProtocol::setTableBlockSize(int size)
{
    m_tableBlockSize = std::max(1, size);
}

QString BoxProtocol::model() const
{
    return Model;
}

QString BoxProtocol::version() const
{
    return Version;
}

qsizetype BoxProtocol::pendingBytes() const
{
    return m_input.size() + m_table.size();
}

void BoxProtocol::setTableStoredHandler(std::function<void()> handler)
{
    m_tableStored = std::move(handler);
}

void BoxProtocol::setSettingAppliedHandler(std::function<void(int, int)> handler)
{
    m_settingApplied = std::move(handler);
}
