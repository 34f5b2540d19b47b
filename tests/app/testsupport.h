// Shared fixture for widget tests: a scratch working directory and a stand-in user who
// answers every message box and file dialog.
#pragma once

#include "messages.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QList>
#include <QTemporaryDir>

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class ScratchDir
{
public:
    ScratchDir() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~ScratchDir() { QDir::setCurrent(m_previous); }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Records each box and answers with `answer` (0 = the first button, as OK).
class FakeUser
{
public:
    FakeUser()
    {
        Messages::setBoxAnswerer([this](const Messages::Box &box) {
            boxes << box;
            return answers.isEmpty() ? answer : answers.takeFirst();
        });
        Messages::setFileAnswerer([this](const Messages::FileRequest &request) {
            fileRequests << request;
            return fileAnswer;
        });
    }
    ~FakeUser()
    {
        Messages::setBoxAnswerer({});
        Messages::setFileAnswerer({});
    }
    QStringList texts() const
    {
        QStringList list;
        for (const Messages::Box &box : boxes)
            list << box.text;
        return list;
    }

    QList<Messages::Box> boxes;
    QList<Messages::FileRequest> fileRequests;
    int answer = 0;
    QList<int> answers; // used in turn, before `answer`
    QString fileAnswer;
};
