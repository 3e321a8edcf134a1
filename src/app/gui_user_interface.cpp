#include "app/gui_user_interface.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

#include "text/texts.h"

namespace vantor::gui {

namespace {

bool onUserInterfaceThread() { return QThread::currentThread() == qApp->thread(); }

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button) {
    switch (button) {
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
    }
}

}  // namespace

GuiUserInterface::GuiUserInterface(QObject* parent) : QObject(parent) {
    qRegisterMetaType<vantor::OptionSwitch>("vantor::OptionSwitch");
}

MessageAnswer GuiUserInterface::message(const std::string& text, const std::string& caption, MessageIcon icon,
                                        MessageButtons buttons) {
    const QString shownText = QString::fromStdString(text);
    const QString shownCaption = QString::fromStdString(caption.empty() ? Text("AFX_IDS_APP_TITLE") : caption);
    if (onUserInterfaceThread()) return showMessage(shownText, shownCaption, icon, buttons);
    if (buttons == MessageButtons::Ok) {
        // Nobody waits for the answer: the thread goes on with its work.
        QMetaObject::invokeMethod(
            this, [=, this] { showMessage(shownText, shownCaption, icon, buttons); }, Qt::QueuedConnection);
        return MessageAnswer::Ok;
    }
    MessageAnswer answer = MessageAnswer::Cancel;
    QMetaObject::invokeMethod(
        this, [&] { answer = showMessage(shownText, shownCaption, icon, buttons); }, Qt::BlockingQueuedConnection);
    return answer;
}

MessageAnswer GuiUserInterface::showMessage(const QString& text, const QString& caption, MessageIcon icon,
                                            MessageButtons buttons) {
    QMessageBox box(boxIcon(icon), caption, text, boxButtons(buttons), QApplication::activeWindow());
    return answerOf(box.exec());
}

void GuiUserInterface::waitCursor(bool on) {
    const auto apply = [on] {
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    if (onUserInterfaceThread())
        apply();
    else
        QMetaObject::invokeMethod(this, apply, Qt::QueuedConnection);
}

void GuiUserInterface::progressLog(const std::string& line, int position) {
    emit progressLogged(QString::fromStdString(line), position);
}

void GuiUserInterface::taskDone(const std::string& text) { emit taskFinished(QString::fromStdString(text)); }

bool GuiUserInterface::option(OptionSwitch which) const { return options_[static_cast<std::size_t>(which)].load(); }

void GuiUserInterface::setOption(OptionSwitch which, bool on) {
    if (options_[static_cast<std::size_t>(which)].exchange(on) != on) emit optionChanged(which, on);
}

}  // namespace vantor::gui
