// A multi-line text box whose text is what the program's scripts and files know: lines
// joined by CR LF. Qt's text edit holds paragraphs and hands its plain text back with a
// bare LF between them, so this box keeps the text that was set or appended exactly as
// given and returns it unchanged until the operator edits the box; after an edit its
// lines are joined by CR LF, as Enter in the box writes them. SelStart and SelLength
// count a line break as two characters, as the text does.
#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace script {

class MultiLineTextBox : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(int selStart READ selStart WRITE setSelStart)
    Q_PROPERTY(int selLength READ selLength WRITE setSelLength)
    Q_CLASSINFO("Script.Text", "text")
    Q_CLASSINFO("Script.SelStart", "selStart")
    Q_CLASSINFO("Script.SelLength", "selLength")

public:
    explicit MultiLineTextBox(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    // Adds to the end without rebuilding what the box holds, so a long log stays cheap.
    void appendText(const QString& tail);

    // Both throw std::out_of_range for a negative count; a count past the end stops there.
    int selStart() const;
    void setSelStart(int start);
    int selLength() const;
    void setSelLength(int length);

    // Focus entering the box selects its whole text.
    void setSelectsAllOnFocus(bool selects) { selectsAllOnFocus_ = selects; }

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    // Between positions in Qt's document (a paragraph break is one character) and in
    // the text (a line break is two).
    int textOffset(int documentPosition) const;
    int documentPosition(int textOffset) const;
    void selectDocumentRange(int anchor, int position);

    // The text as set or appended; it stands while the document is unmodified.
    mutable QString text_;
    bool selectsAllOnFocus_ = false;
};

} // namespace script
