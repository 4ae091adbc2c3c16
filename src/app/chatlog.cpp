#include "app/chatlog.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// A block's user state names the break before it: the default (-1, also
// what the editor gives a line the user breaks) is CR LF; any other value
// is the code of the single character that broke the line.
constexpr int crLf = -1;

bool breaksLine(QChar c)
{
    // The characters the text document turns into a new block.
    return c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c == QChar(0xfdd0)
           || c == QChar(0xfdd1);
}

QString lineBreak(int state)
{
    return state == crLf ? QStringLiteral("\r\n") : QString(QChar(state));
}

} // namespace

ChatLog::ChatLog(QWidget *parent)
    : QPlainTextEdit(parent)
{
    // Every typed character would otherwise become an undo step of its own.
    document()->setUndoRedoEnabled(false);
}

QString ChatLog::text() const
{
    QString all;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin())
            all += lineBreak(block.userState());
        all += block.text();
    }
    return all;
}

void ChatLog::appendText(const QString &text)
{
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !breaksLine(text.at(i)))
            continue;
        end.insertText(text.mid(runStart, i - runStart));
        runStart = i + 1;
        if (i == text.size())
            break;
        QTextBlock last = end.block();
        if (text.at(i) == u'\n' && last.userState() == u'\r' && last.length() == 1) {
            // A CR just ended the text: with this LF it makes one break.
            last.setUserState(crLf);
            continue;
        }
        end.insertBlock();
        end.block().setUserState(text.at(i).unicode());
    }
}

void ChatLog::moveCaretToEnd()
{
    QTextCursor caret = textCursor();
    caret.movePosition(QTextCursor::End);
    setTextCursor(caret);
    ensureCursorVisible();
}
