#include "messages.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

Messages::BoxAnswerer &boxAnswerer()
{
    static Messages::BoxAnswerer answerer;
    return answerer;
}

Messages::FileAnswerer &fileAnswerer()
{
    static Messages::FileAnswerer answerer;
    return answerer;
}

QMessageBox::Icon toIcon(Messages::Icon icon)
{
    switch (icon) {
    case Messages::Icon::Information: return QMessageBox::Information;
    case Messages::Icon::Warning: return QMessageBox::Warning;
    case Messages::Icon::Critical: return QMessageBox::Critical;
    case Messages::Icon::Question: return QMessageBox::Question;
    case Messages::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString askFile(const Messages::FileRequest &request)
{
    if (fileAnswerer())
        return fileAnswerer()(request);
    const auto options = QFileDialog::DontUseNativeDialog;
    return request.save
        ? QFileDialog::getSaveFileName(nullptr, request.title, QString(), request.filter, nullptr, options)
        : QFileDialog::getOpenFileName(nullptr, request.title, QString(), request.filter, nullptr, options);
}

} // namespace

namespace Messages {

void setBoxAnswerer(BoxAnswerer answerer)
{
    boxAnswerer() = std::move(answerer);
}

void setFileAnswerer(FileAnswerer answerer)
{
    fileAnswerer() = std::move(answerer);
}

int show(const Box &box)
{
    return show(box, QString());
}

int show(const Box &box, const QString &windowIcon)
{
    if (boxAnswerer())
        return boxAnswerer()(box);

    QMessageBox dialog(toIcon(box.icon), box.title, box.text, QMessageBox::NoButton, box.parent);
    dialog.setFocusPolicy(Qt::NoFocus);
    if (!windowIcon.isEmpty())
        dialog.setWindowIcon(QIcon(windowIcon));
    QList<QAbstractButton *> buttons;
    for (int i = 0; i < box.buttons.size(); ++i) {
        const auto role = i == 0 ? QMessageBox::AcceptRole : QMessageBox::RejectRole;
        buttons << dialog.addButton(box.buttons.at(i), role);
    }
    if (box.escapeButton >= 0 && box.escapeButton < buttons.size())
        dialog.setEscapeButton(buttons.at(box.escapeButton));
    dialog.exec();
    return buttons.indexOf(dialog.clickedButton());
}

bool confirm(const QString &text, const QString &title)
{
    return show({Icon::Question, title, text, {QStringLiteral("OK"), QStringLiteral("Cancel")}, nullptr}) == 0;
}

void information(const QString &title, const QString &text, QWidget *parent)
{
    show({Icon::Information, title, text, {QStringLiteral("OK")}, parent});
}

void warning(const QString &title, const QString &text, QWidget *parent)
{
    show({Icon::Warning, title, text, {QStringLiteral("OK")}, parent});
}

void critical(const QString &title, const QString &text, QWidget *parent)
{
    show({Icon::Critical, title, text, {QStringLiteral("OK")}, parent});
}

void notConnected(QWidget *parent)
{
    warning(QStringLiteral("warning"),
            QStringLiteral("The device is not connected. Please connect the device first"), parent);
}

std::unique_ptr<QMessageBox> notice(const QString &title, const QString &text)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, title, text, QMessageBox::NoButton);
    box->setStandardButtons(QMessageBox::NoButton);
    box->setWindowModality(Qt::NonModal);
    return box;
}

void plain(const QString &text)
{
    show({Icon::None, QString(), text, {QStringLiteral("OK")}, nullptr});
}

SaveChoice askSaveChanges(const QString &text)
{
    Box box{Icon::Question, QStringLiteral(" "), text,
            {QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")}, nullptr};
    box.escapeButton = 2;
    switch (show(box)) {
    case 0: return SaveChoice::Save;
    case 1: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;
    }
}

QString openFileName(const QString &title, const QString &filter)
{
    return askFile({false, title, filter});
}

QString saveFileName(const QString &title, const QString &filter)
{
    return askFile({true, title, filter});
}

} // namespace Messages
