// The console's multi-line boxes keep CR LF line breaks: what a script or a file reads
// back is what was put in, and what the operator types comes back with CR LF.
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

#include "script/MultiLineTextBox.h"

namespace script::test {
namespace {

TEST(MultiLineTextBox, TextSetOrAppendedComesBackExactly) {
    MultiLineTextBox box;
    const QString texts[] = {QStringLiteral("a\r\nb\r\n\r\n"), QStringLiteral("lone\nfeed"),
                             QStringLiteral("lone\rreturn"),   QStringLiteral("\r\n"),
                             QStringLiteral("no break"),       QString()};
    for (const QString& text : texts) {
        box.setText(text);
        EXPECT_EQ(box.text(), text);
        EXPECT_EQ(box.document()->blockCount(), text.count(QLatin1Char('\n')) +
                                                    text.count(QStringLiteral("\r")) -
                                                    text.count(QStringLiteral("\r\n")) + 1);
    }
    box.setText(QStringLiteral("'Self'   SC\r\n"));
    box.appendText(QStringLiteral("'x'      Main\r\n"));
    box.appendText(QStringLiteral("tail"));
    EXPECT_EQ(box.text(), QStringLiteral("'Self'   SC\r\n'x'      Main\r\ntail"));
    EXPECT_EQ(box.toPlainText(), QStringLiteral("'Self'   SC\n'x'      Main\ntail"));
}

TEST(MultiLineTextBox, WhatTheOperatorTypesHasCrLfBetweenLines) {
    MultiLineTextBox box;
    box.setText(QStringLiteral("x = 1"));
    box.moveCursor(QTextCursor::End);
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, QStringLiteral("y = 2"));
    QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&box, QStringLiteral("z\u00A0= 3"));
    EXPECT_EQ(box.text(), QStringLiteral("x = 1\r\ny = 2\r\nz\u00A0= 3"));
    box.appendText(QStringLiteral("\r\n\r\n"));
    EXPECT_EQ(box.text(), QStringLiteral("x = 1\r\ny = 2\r\nz\u00A0= 3\r\n\r\n"));
}

TEST(MultiLineTextBox, SelectionCountsALineBreakAsTwoCharacters) {
    MultiLineTextBox box;
    box.setText(QStringLiteral("ab\r\ncd\r\nef"));
    box.setSelStart(4); // before c
    EXPECT_EQ(box.selStart(), 4);
    EXPECT_EQ(box.selLength(), 0);
    box.setSelLength(4); // "cd" and the line break
    EXPECT_EQ(box.textCursor().selectedText(), QStringLiteral("cd\u2029"));
    EXPECT_EQ(box.selLength(), 4);
    box.setSelStart(1000); // past the end stops there
    EXPECT_EQ(box.selStart(), 10);
    box.setSelStart(0);
    box.setSelLength(1000);
    EXPECT_EQ(box.selLength(), 10);
    EXPECT_THROW(box.setSelStart(-1), std::out_of_range);
    EXPECT_THROW(box.setSelLength(-1), std::out_of_range);
}

TEST(MultiLineTextBox, FocusSelectsTheWholeTextWhereAsked) {
    QWidget window;
    auto* selecting = new MultiLineTextBox(&window);
    auto* plain = new MultiLineTextBox(&window);
    selecting->setSelectsAllOnFocus(true);
    selecting->setText(QStringLiteral("Text_codeWindow\r\nsecond"));
    plain->setText(QStringLiteral("kept"));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    plain->setFocus();
    selecting->setFocus();
    EXPECT_EQ(selecting->selStart(), 0);
    EXPECT_EQ(selecting->selLength(), 23);
    plain->setFocus();
    EXPECT_EQ(plain->selLength(), 0);
}

} // namespace
} // namespace script::test
