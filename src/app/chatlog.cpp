#include "app/chatlog.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

// A block's user state names the break before it: the default (-1, also
// what the editor gives a line the user breaks) is CR LF; a continuation
// of a long line has none; any other value is the code of the single
// character that broke the line.
constexpr int crLf = -1;
constexpr int continuation = -2;

// Long enough for any line the computer says; short enough that adding a
// character to a pasted screenful of text costs about what it costs on a
// short line.
constexpr qsizetype longestBlock = 256;

bool breaksLine(QChar c)
{
    // The characters the text document turns into a new block.
    return c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c == QChar(0xfdd0)
           || c == QChar(0xfdd1);
}

QString lineBreak(int state)
{
    if (state == continuation)
        return QString();
    return state == crLf ? QStringLiteral("\r\n") : QString(QChar(state));
}

std::array<int, 4> scrollState(const QScrollBar &bar)
{
    return {bar.minimum(), bar.maximum(), bar.value(), bar.pageStep()};
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
        appendLine(end, QStringView(text).mid(runStart, i - runStart));
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

void ChatLog::appendLine(QTextCursor &end, QStringView line)
{
    while (!line.isEmpty()) {
        qsizetype take = std::min(longestBlock - (end.block().length() - 1), line.size());
        if (take > 0 && take < line.size() && line.at(take - 1).isHighSurrogate())
            --take; // never split a character between two blocks
        if (take <= 0) {
            end.insertBlock();
            end.block().setUserState(continuation);
            continue;
        }
        end.insertText(line.left(take).toString());
        line = line.mid(take);
    }
}

void ChatLog::repaintNow()
{
    viewport()->repaint();
    const auto repaintIfMoved = [](QScrollBar &bar, ScrollState &painted) {
        if (const ScrollState now = scrollState(bar); now != painted) {
            bar.repaint();
            painted = now;
        }
    };
    repaintIfMoved(*verticalScrollBar(), paintedVertical);
    repaintIfMoved(*horizontalScrollBar(), paintedHorizontal);
}

void ChatLog::moveCaretToEnd()
{
    QTextCursor caret = textCursor();
    caret.movePosition(QTextCursor::End);
    setTextCursor(caret);
    ensureCursorVisible();
}
