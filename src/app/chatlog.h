#pragma once

#include <QPlainTextEdit>

#include <array>
#include <limits>

// The conversation log. A plain text editor keeps each line as a block; the
// break that led into a block is remembered in the block's user state, so
// that the text reads back exactly as written (CR LF, or a lone CR or LF)
// and appending stays cheap however long the log grows. Lines are never
// wrapped: each shows as one line, scrolled sideways. Adding to a line costs
// more the longer it is, as the editor lays a changed line out whole.
class ChatLog : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ChatLog(QWidget *parent);

    // The text between two positions of the document, every line break as
    // it was written; a break the user typed reads as CR LF.
    QString text(int from = 0, int to = std::numeric_limits<int>::max()) const;
    void appendText(const QString &text);
    void moveCaretToEnd();
    // Draws the text area, and each scroll bar whose range or position
    // changed, before returning. The rest of the log looks as it did.
    void repaintNow();

protected:
    // A copy or a drag holds the selection as text() reads it.
    QMimeData *createMimeDataFromSelection() const override;

private:
    using ScrollState = std::array<int, 4>;
    ScrollState paintedVertical{};
    ScrollState paintedHorizontal{};
};
