// The Qt dialogs, headless: real message boxes, driven with keys and close requests from
// inside their own event loop, and the Qt form of a file filter.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/qt/QtDialogs.h"

namespace platform {
namespace {

// What the operator tried on the box before pressing a button.
struct Attempts {
    bool openAfterEscape = false;
    bool openAfterClose = false;
    bool closeAccepted = false;
};

// Shows the box as the program does and, once its event loop runs, presses Escape, asks
// the window system to close it (as the title bar's close does) and then, if it is still
// open, clicks the given button. The box always ends, so nothing can hang.
Answer askAndTry(Buttons buttons, QMessageBox::StandardButton press, Attempts& attempts) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box is open";
            return;
        }
        QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Escape);
        attempts.openAfterEscape = box->isVisible();
        if (box->isVisible()) {
            attempts.closeAccepted = box->windowHandle()->close();
            attempts.openAfterClose = box->isVisible();
        }
        if (box->isVisible())
            box->button(press)->click();
    });
    return QtDialogs().ask({"Could not connect to the parallel port", programTitle, buttons});
}

struct QuestionCase {
    const char* name;
    Buttons buttons;
    QMessageBox::StandardButton press;
    Answer answer;
};

void PrintTo(const QuestionCase& question, std::ostream* out) {
    *out << question.name;
}

class PortQuestionTest : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(PortQuestionTest, OnlyAButtonAnswersNeitherEscapeNorTheTitleBarsClose) {
    Attempts attempts;
    EXPECT_EQ(askAndTry(GetParam().buttons, GetParam().press, attempts), GetParam().answer);
    EXPECT_TRUE(attempts.openAfterEscape);
    EXPECT_FALSE(attempts.closeAccepted);
    EXPECT_TRUE(attempts.openAfterClose);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, PortQuestionTest,
    ::testing::Values(
        QuestionCase{"Retry", Buttons::AbortRetryIgnore, QMessageBox::Retry, Answer::Retry},
        QuestionCase{"Ignore", Buttons::AbortRetryIgnore, QMessageBox::Ignore, Answer::Ignore},
        QuestionCase{"Abort", Buttons::AbortRetryIgnore, QMessageBox::Abort, Answer::Abort},
        QuestionCase{"Yes", Buttons::YesNo, QMessageBox::Yes, Answer::Yes},
        QuestionCase{"No", Buttons::YesNo, QMessageBox::No, Answer::No}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageBoxTest, EscapeStillAnswersABoxWithOnlyOk) {
    Attempts attempts;
    EXPECT_EQ(askAndTry(Buttons::Ok, QMessageBox::Ok, attempts), Answer::Ok);
    EXPECT_FALSE(attempts.openAfterEscape);
}

TEST(QtFileFilterTest, KeepsTheDescriptionsOfEachPair) {
    EXPECT_EQ(qtFileFilter("Text Files (*.txt)|*.txt"), "Text Files (*.txt)");
    EXPECT_EQ(qtFileFilter("Text Files (*.txt)|*.txt|All Files (*)|*"),
              "Text Files (*.txt);;All Files (*)");
}

} // namespace
} // namespace platform
