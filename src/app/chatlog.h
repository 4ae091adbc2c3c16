#pragma once

#include <QPlainTextEdit>

#include <array>

// The conversation log. A plain text editor keeps each line as a block; the
// break that led into a block is remembered in the block's user state, so
// that the text reads back exactly as written (CR LF, or a lone CR or LF)
// and appending stays cheap however long the log grows. A very long line is
// shown in pieces of its own blocks joined by no break at all, because the
// editor lays out a whole block again for every character added to it.
class ChatLog : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ChatLog(QWidget *parent);

    // The whole text, every line break as it was written; a break the user
    // typed reads as CR LF.
    QString text() const;
    void appendText(const QString &text);
    void moveCaretToEnd();
    // Draws the text area, and each scroll bar whose range or position
    // changed, before returning. The rest of the log looks as it did.
    void repaintNow();

private:
    void appendLine(QTextCursor &end, QStringView line);

    using ScrollState = std::array<int, 4>;
    ScrollState paintedVertical{};
    ScrollState paintedHorizontal{};
};
