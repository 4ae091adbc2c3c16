#include "app/chatlog.h"

#include <QClipboard>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

static QString copied(ChatLog &log)
{
    log.copy();
    return QGuiApplication::clipboard()->text();
}

class TestChatLog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What goes in reads back, and copies, exactly; each line shows as one.
    void readsBackWhatWasWritten_data()
    {
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<int>("lines");
        QTest::newRow("CR LF is one break") << QStringList{"\r\nabc"} << 2;
        QTest::newRow("CR and LF apart") << QStringList{"a\r", "\n", "b"} << 2;
        QTest::newRow("lone CR, lone LF") << QStringList{"a\rb\nc"} << 3;
        QTest::newRow("LF CR") << QStringList{"\n\r"} << 3;
        QTest::newRow("CR, text, LF") << QStringList{"\r", "x", "\n"} << 3;
        QTest::newRow("other separators") << QStringList{QStringLiteral("\u2029\u00a0") + QChar(0)} << 2;
        QTest::newRow("a long line in pieces") << QStringList(600, "a😀") << 1;
    }
    void readsBackWhatWasWritten()
    {
        QFETCH(QStringList, pieces);
        QFETCH(int, lines);
        ChatLog log(nullptr);
        for (const QString &piece : pieces)
            log.appendText(piece);
        QCOMPARE(log.text(), pieces.join(QString()));
        QCOMPARE(log.document()->blockCount(), lines);
        for (QTextBlock block = log.document()->begin(); block.isValid(); block = block.next()) {
            log.document()->documentLayout()->blockBoundingRect(block); // laid out now
            QCOMPARE(block.layout()->lineCount(), 1);
        }
        log.selectAll();
        QCOMPARE(copied(log), log.text());
    }

    // A break the user types reads as CR LF; a copy holds the selection as
    // the log reads it.
    void userBreakAndSelection()
    {
        ChatLog log(nullptr);
        log.appendText(QStringLiteral("abc\rd"));
        QTextCursor cursor(log.document());
        cursor.setPosition(1);
        log.setTextCursor(cursor);
        QTest::keyClick(&log, Qt::Key_Return);
        QCOMPARE(log.text(), QStringLiteral("a\r\nbc\rd"));
        cursor.setPosition(1);
        cursor.setPosition(5, QTextCursor::KeepAnchor);
        log.setTextCursor(cursor);
        QCOMPARE(copied(log), QStringLiteral("\r\nbc\r"));
    }
};

QTEST_MAIN(TestChatLog)
#include "test_chatlog.moc"
