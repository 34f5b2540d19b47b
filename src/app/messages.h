// The one place where message boxes and file dialogs are made; tests answer them instead.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace Messages {

enum class Icon { None, Information, Warning, Critical, Question };

struct Box
{
    Icon icon = Icon::None;
    QString title;
    QString text;
    QStringList buttons;      // captions, in order; the first one is the accepting button
    QWidget *parent = nullptr;
    int escapeButton = -1;    // the button Esc and the close control choose; -1: the toolkit's pick
};

struct FileRequest
{
    bool save = false;
    QString title;
    QString filter;
};

// Answerers stand in for the user: they get each box or dialog and return the index of
// the chosen button (or the chosen path). Pass an empty function to show real ones again.
using BoxAnswerer = std::function<int(const Box &)>;
using FileAnswerer = std::function<QString(const FileRequest &)>;
void setBoxAnswerer(BoxAnswerer answerer);
void setFileAnswerer(FileAnswerer answerer);

// Shows a modal box and returns the index of the button pressed (-1 when closed otherwise).
int show(const Box &box);
// The same with its own window icon (a resource path).
int show(const Box &box, const QString &windowIcon);

// " " titled OK/Cancel question without parent; true only for OK.
bool confirm(const QString &text, const QString &title = QStringLiteral(" "));

void information(const QString &title, const QString &text, QWidget *parent = nullptr);
void warning(const QString &title, const QString &text, QWidget *parent = nullptr);
void critical(const QString &title, const QString &text, QWidget *parent = nullptr);

// The refusal of an action that needs the box while the link is closed.
void notConnected(QWidget *parent);

// A warning box without buttons and without parent that does not block: the caller shows and
// hides it while work it reports on goes on.
std::unique_ptr<QMessageBox> notice(const QString &title, const QString &text);

// Untitled box with a single "OK" that takes no keyboard focus.
void plain(const QString &text);

enum class SaveChoice { Save, Discard, Cancel };

// " " titled Save/Discard/Cancel question without parent, before unsaved changes are lost;
// closing it counts as Cancel.
SaveChoice askSaveChanges(const QString &text);

// The toolkit's own (non-native) file dialogs, without parent or starting directory.
QString openFileName(const QString &title, const QString &filter);
QString saveFileName(const QString &title, const QString &filter);

} // namespace Messages
