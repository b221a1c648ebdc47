// The multi-line box's text kept with its CR LF line breaks, and its selection in the
// text's terms.
#include "script/MultiLineTextBox.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <stdexcept>

namespace script {
namespace {

const QString lineBreak = QStringLiteral("\r\n");

int checkedCount(int count) {
    if (count < 0)
        throw std::out_of_range("a negative character count");
    return count;
}

} // namespace

MultiLineTextBox::MultiLineTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    // The design's text boxes sit close to their frame; Qt's default margin of four
    // pixels would hide the one-line boxes' text.
    document()->setDocumentMargin(1);
}

QString MultiLineTextBox::text() const {
    if (document()->isModified()) {
        // Qt's raw text breaks paragraphs with U+2029 and lines (Shift+Enter) with U+2028;
        // unlike its plain text, it keeps every other character as typed.
        text_ = document()->toRawText();
        text_.replace(QChar::ParagraphSeparator, lineBreak);
        text_.replace(QChar::LineSeparator, lineBreak);
        document()->setModified(false);
    }
    return text_;
}

void MultiLineTextBox::setText(const QString& text) {
    setPlainText(text);
    text_ = text;
    document()->setModified(false);
}

void MultiLineTextBox::appendText(const QString& tail) {
    text(); // takes in the operator's edits first
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(tail);
    text_ += tail;
    document()->setModified(false);
}

int MultiLineTextBox::textOffset(int position) const {
    return position + document()->findBlock(position).blockNumber();
}

int MultiLineTextBox::documentPosition(int offset) const {
    // The last paragraph that starts at or before the offset, found by halving: paragraph
    // n starts at its document position plus n line-break extras.
    int low = 0;
    int high = document()->blockCount() - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (document()->findBlockByNumber(middle).position() + middle <= offset)
            low = middle;
        else
            high = middle - 1;
    }
    const QTextBlock block = document()->findBlockByNumber(low);
    const int intoBlock = std::min(offset - (block.position() + low), block.length() - 1);
    return block.position() + intoBlock;
}

void MultiLineTextBox::selectDocumentRange(int anchor, int position) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

int MultiLineTextBox::selStart() const {
    return textOffset(textCursor().selectionStart());
}

void MultiLineTextBox::setSelStart(int start) {
    const int position = documentPosition(checkedCount(start));
    selectDocumentRange(position, position);
}

int MultiLineTextBox::selLength() const {
    const QTextCursor cursor = textCursor();
    return textOffset(cursor.selectionEnd()) - textOffset(cursor.selectionStart());
}

void MultiLineTextBox::setSelLength(int length) {
    const int start = selStart();
    const int count = checkedCount(length);
    const int end = count > INT_MAX - start ? INT_MAX : start + count;
    selectDocumentRange(documentPosition(start), documentPosition(end));
}

void MultiLineTextBox::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    if (selectsAllOnFocus_)
        selectAll();
}

} // namespace script
