#include "app/chatlog.h"
#include "app/mainstate.h"
#include "app/mainsurface.h"
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
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::newRow("CR LF is one break") << QStringList{"\r\nabc"} << "\r\nabc" << 2;
        QTest::newRow("CR and LF apart") << QStringList{"a\r", "\n", "b"} << "a\r\nb" << 2;
        QTest::newRow("lone CR") << QStringList{"a\rb"} << "a\rb" << 2;
        QTest::newRow("lone LF") << QStringList{"a\nb"} << "a\nb" << 2;
        QTest::newRow("LF CR") << QStringList{"\n\r"} << "\n\r" << 3;
        QTest::newRow("CR, text, LF") << QStringList{"\r", "x", "\n"} << "\rx\n" << 3;
        QTest::newRow("paragraph separator")
            << QStringList{QString(QChar::ParagraphSeparator)} << QString(QChar::ParagraphSeparator) << 2;
        QTest::newRow("no-break space") << QStringList{QString(QChar::Nbsp)} << QString(QChar::Nbsp) << 1;
        QTest::newRow("NUL") << QStringList{QString(QChar(0))} << QString(QChar(0)) << 1;
        QTest::newRow("emoji") << QStringList{"😀", "x"} << "😀x" << 1;
        // A long line is shown in pieces, and still reads back as one line.
        const QString longLine(600, u'a');
        QTest::newRow("long line") << QStringList{longLine} << longLine << 3;
        QTest::newRow("long line typed") << QStringList(600, "a") << longLine << 3;
        const QString emojiAtTheEdge = QString(255, u'a') + QStringLiteral("😀b");
        QTest::newRow("emoji at a piece's edge") << QStringList{emojiAtTheEdge} << emojiAtTheEdge << 2;
    }
    void readsBackWhatWasWritten()
    {
        QFETCH(QStringList, pieces);
        QFETCH(QString, text);
        QFETCH(int, lines);
        ChatLog log(nullptr);
        for (const QString &piece : pieces)
            log.appendText(piece);
        QCOMPARE(log.text(), text);
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

    void typeOut_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("beeps");
        QTest::newRow("empty log") << "" << "abc" << "\r\nabc" << 3;
        QTest::newRow("after a line") << "line" << "xy" << "line\r\nxy" << 2;
        QTest::newRow("empty reply touches nothing") << "line" << "" << "line" << 0;
        QTest::newRow("line break beeps twice") << "" << "a\r\nb" << "\r\na\r\nb" << 4;
        QTest::newRow("surrogate pair is one character") << "" << "😀!" << "\r\n😀!" << 2;
    }
    void typeOut()
    {
        QFETCH(QString, before);
        QFETCH(QString, reply);
        QFETCH(QString, after);
        QFETCH(int, beeps);
        ChatLog log(nullptr);
        QLineEdit input;
        QLabel label;
        MainSurface surface(log, input, label);
        FakeSystem system;
        log.appendText(before);
        MainState state;
        state.speed = 80000;
        state.replyText = reply;

        TypeOut(state, surface, system);
        QCOMPARE(log.text(), after);
        QCOMPARE(system.beeps, beeps);
        QCOMPARE(int(system.pauses.size()), beeps);
        QCOMPARE(state.replyText, reply);
        if (beeps > 1)
            QVERIFY(log.textCursor().atEnd());
    }

    void firstCharacterLeavesTheCaret()
    {
        ChatLog log(nullptr);
        QLineEdit input;
        QLabel label;
        MainSurface surface(log, input, label);
        FakeSystem system;
        log.appendText(QStringLiteral("hello"));
        QTextCursor start = log.textCursor();
        start.movePosition(QTextCursor::Start);
        log.setTextCursor(start);
        MainState state;
        state.replyText = QStringLiteral("x");

        TypeOut(state, surface, system);
        QCOMPARE(log.textCursor().position(), 0);
    }
};

QTEST_MAIN(TestChatLog)
#include "test_chatlog.moc"
