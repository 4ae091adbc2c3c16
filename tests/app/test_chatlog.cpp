#include "app/chatlog.h"
#include "app/mainsurface.h"
#include "conversation/mainstate.h"
#include "conversation/typeout.h"
#include "platform/fakesystem.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>

class TestChatLog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        QTest::newRow("long line in pieces") << QStringList(600, "a") << 3;
        QTest::newRow("emoji at a piece's edge") << QStringList{QString(255, u'a') + QStringLiteral("😀b")} << 2;
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
    }

    void userBreaksALongLine()
    {
        ChatLog log(nullptr);
        log.appendText(QString(300, u'a'));
        QTextCursor caret = log.textCursor();
        caret.setPosition(100);
        log.setTextCursor(caret);
        QTest::keyClick(&log, Qt::Key_Return);
        QCOMPARE(log.text(), QString(100, u'a') + QStringLiteral("\r\n") + QString(200, u'a'));
    }

    // Typing leaves the caret alone on the first character and at the end
    // after the later ones; an empty reply touches nothing.
    void typeOutMovesTheCaret()
    {
        ChatLog log(nullptr);
        QLineEdit input;
        QLabel label;
        MainSurface surface(log, input, label);
        FakeSystem system;
        log.appendText(QStringLiteral("hello"));
        log.moveCaretToEnd();
        log.setTextCursor(QTextCursor(log.document()));

        typeText(QString(), 80000, surface, system);
        typeText(QStringLiteral("x"), 80000, surface, system);
        QCOMPARE(log.textCursor().position(), 0);
        QCOMPARE(system.beeps, 1);
        typeText(QStringLiteral("yz"), 80000, surface, system);
        QVERIFY(log.textCursor().atEnd());
        QCOMPARE(log.text(), QStringLiteral("hello\r\nx\r\nyz"));
    }
};

QTEST_MAIN(TestChatLog)
#include "test_chatlog.moc"
