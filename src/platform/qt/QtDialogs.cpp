// Message boxes and file dialogs through Qt, modal over whichever window is active.
#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QStringList>

namespace platform {
namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

QMessageBox::StandardButtons qtButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
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

// A box closed without a button (only an OK box can be) gives the answer that risks nothing.
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
    // The program's texts break lines with CR LF; a Qt label wants a bare line feed.
    const QString text =
        fromUtf8(request.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    MessageBox box(request.buttons,
                   request.icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                   fromUtf8(request.title), text, QApplication::activeWindow());
    return answerOf(box.exec(), request.buttons);
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
