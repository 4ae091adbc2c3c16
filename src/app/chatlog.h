#pragma once

#include <QPlainTextEdit>

// The conversation log. A plain text editor keeps each line as a block; the
// break that led into a block is remembered in the block's user state, so
// that the text reads back exactly as written (CR LF, or a lone CR or LF)
// and appending stays cheap however long the log grows.
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
};
