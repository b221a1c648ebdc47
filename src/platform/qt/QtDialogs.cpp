// Message boxes, input boxes and file dialogs through Qt, modal over the window that owns
// them, or else over whichever window is active.
#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>

namespace platform {
namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The set's buttons from the left, as the program names them.
QList<QMessageBox::StandardButton> buttonsInOrder(Buttons buttons) {
    switch (buttons) {
    case Buttons::AbortRetryIgnore:
        return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case Buttons::YesNo:
        return {QMessageBox::Yes, QMessageBox::No};
    case Buttons::OkCancel:
        return {QMessageBox::Ok, QMessageBox::Cancel};
    case Buttons::YesNoCancel:
        return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case Buttons::RetryCancel:
        return {QMessageBox::Retry, QMessageBox::Cancel};
    case Buttons::Ok:
        break;
    }
    return {QMessageBox::Ok};
}

QMessageBox::StandardButtons qtButtons(Buttons buttons) {
    QMessageBox::StandardButtons set;
    for (const QMessageBox::StandardButton button : buttonsInOrder(buttons))
        set |= button;
    return set;
}

QWidget* ownerOf(void* owner) {
    return owner ? static_cast<QWidget*>(owner) : QApplication::activeWindow();
}

// The program's texts break lines with CR LF; a Qt label wants a bare line feed.
QString shownText(const std::string& text) {
    return fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The port's questions have no Cancel. Qt would let Escape and the title bar's close
// stand for Abort or No, and either ends the program, so there only a button answers.
bool answeredOnlyByButtons(Buttons buttons) {
    return buttons == Buttons::AbortRetryIgnore || buttons == Buttons::YesNo;
}

class MessageBox : public QMessageBox {
public:
    MessageBox(Buttons buttons, Icon icon, const QString& title, const QString& text,
               QWidget* parent)
        : QMessageBox(icon, title, text, qtButtons(buttons), parent),
          buttonsOnly_(answeredOnlyByButtons(buttons)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (buttonsOnly_ && event->matches(QKeySequence::Cancel))
            return;
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (buttonsOnly_)
            event->ignore();
        else
            QMessageBox::closeEvent(event);
    }

private:
    bool buttonsOnly_;
};

// A box closed without a button (an OK box, or one with Cancel) gives the answer that
// risks nothing.
Answer answerOf(int pressed, Buttons buttons) {
    switch (pressed) {
    case QMessageBox::Abort:
        return Answer::Abort;
    case QMessageBox::Retry:
        return Answer::Retry;
    case QMessageBox::Ignore:
        return Answer::Ignore;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return safeAnswer(buttons);
    }
}

} // namespace

std::string qtFileFilter(const std::string& filter) {
    const QStringList parts = fromUtf8(filter).split(QLatin1Char('|'));
    QStringList descriptions;
    // Qt reads the patterns from the description's brackets, so the pattern half of
    // each pair adds nothing.
    for (qsizetype i = 0; i < parts.size(); i += 2)
        descriptions << parts[i];
    return descriptions.join(QStringLiteral(";;")).toStdString();
}

Answer QtDialogs::ask(const MessageRequest& request) {
    MessageBox box(request.buttons, qtIcon(request.icon), fromUtf8(request.title),
                   shownText(request.text), ownerOf(request.owner));
    const auto order = buttonsInOrder(request.buttons);
    if (request.defaultButton >= 0 && request.defaultButton < order.size())
        box.setDefaultButton(order[request.defaultButton]);
    return answerOf(box.exec(), request.buttons);
}

std::optional<std::string> QtDialogs::askText(const InputRequest& request) {
    bool accepted = false;
    const QString typed = QInputDialog::getText(ownerOf(request.owner), fromUtf8(request.title),
                                                shownText(request.prompt), QLineEdit::Normal,
                                                fromUtf8(request.defaultText), &accepted);
    if (!accepted)
        return std::nullopt;
    return typed.toStdString();
}

std::optional<std::string> QtDialogs::chooseFile(const FileRequest& request) {
    const QString start =
        fromUtf8(request.fileName.empty() ? request.initialFolder : request.fileName);
    const QString filter = fromUtf8(qtFileFilter(request.filter));
    QWidget* parent = QApplication::activeWindow();
    const QString chosen = request.kind == FileDialogKind::Open
                               ? QFileDialog::getOpenFileName(parent, {}, start, filter)
                               : QFileDialog::getSaveFileName(parent, {}, start, filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.toStdString();
}

} // namespace platform
