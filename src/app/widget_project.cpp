// Widget: opening and saving project files.
#include "widget.h"

#include "aliaseditdialog.h"
#include "edithistory.h"
#include "messages.h"
#include "projectfile.h"
#include "ruletable.h"
#include "tablestream.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardItemModel>

namespace {

const QString FileDialogTitle = QStringLiteral("Open File");
const QString FileFilter = QStringLiteral("Text files (*.txt);;All files (*)");

QMap<int, QString> remarkCells(const QStandardItemModel *remarks)
{
    QMap<int, QString> cells;
    for (int r = 0; r < qMin(remarks->rowCount(), RuleTable::RowCount); ++r) {
        if (const QStandardItem *item = remarks->item(r, 0))
            cells.insert(r, item->text());
    }
    return cells;
}

// Writes on after a short write, so that a failure leaves its reason in errorString().
bool writeAll(QIODevice &device, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = device.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

bool Widget::save_file()
{
    if (currentFilePath.isEmpty())
        return save_As_file();
    return saveProject(currentFilePath);
}

bool Widget::save_As_file()
{
    if (send_ini(2) == 0)
        return false;
    currentFilePath = Messages::saveFileName(FileDialogTitle, FileFilter);
    if (!currentFilePath.isEmpty() && !currentFilePath.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) {
        currentFilePath += QLatin1String(".txt");
        // The dialog asked about the name without ".txt": ask before replacing this one.
        if (QFileInfo::exists(currentFilePath)
            && !Messages::confirm(QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                      .arg(QFileInfo(currentFilePath).fileName())))
            currentFilePath.clear();
    }
    updateWindowTitle();
    if (currentFilePath.isEmpty())
        return false;
    return writeProject(currentFilePath);
}

bool Widget::saveProject(const QString &path)
{
    if (send_ini(2) == 0)
        return false;
    return writeProject(path);
}

bool Widget::writeProject(const QString &path)
{
    const QByteArray bytes = ProjectFile::build(remarkCells(remarkModel), tableStream, aliasDialog->getUpdatedAliases());
    tableStream.clear();

    // One atomic replacement: a failure part-way leaves the former file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !writeAll(file, bytes) || !file.commit()) {
        qDebug() << "Saving the project failed:" << path << file.errorString();
        Messages::critical(QStringLiteral("Error"), QStringLiteral("Cannot save the file: ") + file.errorString());
        return false;
    }
    editHistory->setClean();
    updateWindowTitle();
    Messages::information(QStringLiteral("Success"), QStringLiteral("File has been saved successfully."));
    return true;
}

void Widget::open_midi_file()
{
    if (!maybeKeepUnsavedChanges())
        return;
    currentFilePath = Messages::openFileName(FileDialogTitle, FileFilter);
    updateWindowTitle();
    if (currentFilePath.isEmpty())
        return;
    openProject(currentFilePath);
}

bool Widget::openProject(const QString &path)
{
    currentFilePath = path;
    // A file that is not a whole project changes nothing; saving must not overwrite it.
    const auto refuse = [this](const QString &text) {
        currentFilePath.clear();
        updateWindowTitle();
        Messages::critical(QStringLiteral("Error"), text);
        return false;
    };
    const QString badStream = QStringLiteral("Failed to open the file. Please try again.");

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral("Cannot open file for reading."));
    const QByteArray bytes = file.read(ProjectFile::MaxFileSize + 1);
    file.close();
    if (bytes.size() > ProjectFile::MaxFileSize)
        return refuse(badStream);
    const ProjectFile::Contents contents = ProjectFile::parse(bytes);
    if (contents.error == ProjectFile::Error::NoStream)
        return refuse(QStringLiteral("'download request' not found in the file."));
    if (contents.error != ProjectFile::Error::None)
        return refuse(badStream);

    bool usable = false;
    const QStringList remarks = RuleTable::parseRemarks(contents.remarkText, &usable);
    if (usable)
        RuleTable::applyRemarks(remarkModel, remarks);

    loadRecords(TableStream::split(contents.stream));

    // The file's channel names apply until the next read or start; the aliases file
    // changes only when the user confirms the alias dialog.
    if (contents.hasAliases) {
        aliasDialog->aliases = contents.aliases;
        aliasDialog->loadAliasesToTable(contents.aliases);
    }
    relabelDmxSoon();

    editHistory->setClean();
    updateWindowTitle();
    return true;
}

void Widget::setupProject()
{
    connect(editHistory, &EditHistory::cleanChanged, this, &Widget::updateWindowTitle);
}

bool Widget::maybeKeepUnsavedChanges()
{
    if (editHistory->isClean())
        return true;
    switch (Messages::askSaveChanges(QStringLiteral("The table has unsaved changes.\nDo you want to save them?"))) {
    case Messages::SaveChoice::Save:
        return save_file();
    case Messages::SaveChoice::Discard:
        return true;
    case Messages::SaveChoice::Cancel:
        break;
    }
    return false;
}

// "Lumetra" or "show.txt - Lumetra", with "*" after the first name while changes are unsaved.
void Widget::updateWindowTitle()
{
    const QString app = QStringLiteral("Lumetra");
    const QString unsaved = editHistory->isClean() ? QString() : QStringLiteral("*");
    setWindowTitle(currentFilePath.isEmpty() ? app + unsaved
                                             : QFileInfo(currentFilePath).fileName() + unsaved + QStringLiteral(" - ") + app);
}
