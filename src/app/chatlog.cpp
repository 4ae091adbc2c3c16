#include "app/chatlog.h"

#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

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

std::array<int, 4> scrollState(const QScrollBar &bar)
{
    return {bar.minimum(), bar.maximum(), bar.value(), bar.pageStep()};
}

} // namespace

ChatLog::ChatLog(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(NoWrap);
    // Every typed character would otherwise become an undo step of its own.
    document()->setUndoRedoEnabled(false);
}

QString ChatLog::text(int from, int to) const
{
    QString all;
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        // The break before a block stands at the position just before it.
        if (block.position() > from)
            all += lineBreak(block.userState());
        const int first = std::max(from - block.position(), 0);
        all += QStringView(block.text()).mid(first, std::max(to - block.position(), 0) - first);
    }
    return all;
}

QMimeData *ChatLog::createMimeDataFromSelection() const
{
    auto *data = new QMimeData; // the caller takes it
    data->setText(text(textCursor().selectionStart(), textCursor().selectionEnd()));
    return data;
}

void ChatLog::appendText(const QString &text)
{
    QTextCursor end(document());
    // One edit: the document is laid out once, when it ends, and the
    // cursor skips measuring its place on a line that may be very long.
    end.beginEditBlock();
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
        end.block().layout()->setCacheEnabled(false);
        end.insertBlock();
        end.block().setUserState(text.at(i).unicode());
    }
    // The line being typed into keeps its shaped glyphs, so that laying it
    // out, placing the caret and painting shape it once, not three times.
    // Lines left behind let theirs go: a long log could not keep them all.
    end.block().layout()->setCacheEnabled(true);
    end.endEditBlock();
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
