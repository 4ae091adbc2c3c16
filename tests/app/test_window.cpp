#include "about/frmabout.h"
#include "app/dialogue.h"
#include "clock/alarmwarning.h"
#include "platform/twips.h"

#include <QPointer>
#include <QTextBlock>
#include <QTextLayout>
#include <QRandomGenerator>

#include <map>

namespace {

const QString armed = QStringLiteral("timer|21:30|yes"), greeted = QStringLiteral("@12:00:00|");
const QString exitItem = QStringLiteral("*ファイル(&F)/終了(&X)");
const QString aboutItem = QStringLiteral("*ヘルプ(&H)/アプリケーション情報(&J)");

QString intro(const QString &now)
{
    return QStringLiteral("\r\n\r\nウィンドウズ終了までのタイマーをセットします。\r\n現在の時刻は") + now
           + QStringLiteral("です。\r\nOO:OOの（必、半角文字）ように入力してください。\r\n"
                            "数字が一桁の場合は、そのまま入力してください。（例1:23)\r\n０１や０２などは認識できません");
}

// Puts each paint of the log's text area among the beeps and pauses.
struct PaintRecorder : QObject
{
    PaintRecorder(ChatLog *log, QStringList &typing) : log(log), typing(typing) { log->viewport()->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            typing << (log->textCursor().atEnd() ? "paint, caret at end" : "paint");
        return false;
    }
    ChatLog *log;
    QStringList &typing;
};

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each script from the start: the last step's addition to the log, and
    // what the system was told beside the arming, which every step checks.
    void script_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("events");
        const QString offer = QStringLiteral("\r\nタイマーがセットされています。\r\nタイマーを解除しますか。\r\nyes or no");
        const QString askYesNo = QStringLiteral("\r\n正しく入力してください。(yes,no)");
        const QString ended = QStringLiteral("\r\ntimerイベントを終了します。"), prompt = QStringLiteral("\r\n命令を入力してください。");
        const QString set = QStringLiteral("\r\nタイマーがセットされました。"), stillSet = QStringLiteral("\r\nタイマーがセットされています。");
        const QString offerAndPrompt =
            QStringLiteral("\r\n現在利用できる処理は\r\nＷＩＮＤＯＷＳ終了タイマー(コマンド timer)です。") + prompt;
        const QString morning = QStringLiteral("\r\nおはようございます"), powerOff = QStringLiteral("power off");
        const QString badTime = QStringLiteral("\r\n正しく入力してください。(00:00)"), nine = greeted + "timer|9:00|yes|";
        const QString missed = QStringLiteral("\r\n設定時刻を過ぎました。\r\ntimerイベントを終了します。");
        const QString warning = greeted + armed + "|@21:29:00", warned = QStringLiteral(
            "warned: 1分後にシャットダウンします 21時30分にシャットダウンするタイマーがセットされています。"
            "「解除」を押すか、Pelmoraに何か入力すると、タイマーを解除できます。");
        const auto confirm = [](const QString &time) {
            return "\r\n\r\n" + time + QStringLiteral("でよろしいですか。\r\n ｙｅｓ ｏｒ ｎｏ (コマンド yes , no)");
        };
        const auto startedAt = [&](const QString &now) {
            return QStringLiteral("\r\nこんばんわ") + offerAndPrompt + intro(now) + confirm(" 21: 30") + set;
        };
        const auto unknown = [](const QString &line) { return "\r\n" + line + QStringLiteral("は理解できません。"); };
        struct Row { QString script, reply; QStringList events = {}; };
        std::vector<Row> rows{
            {"おはよう", QStringLiteral("\r\nおはようございます。")}, {"timer|おはよう|21:30", confirm(" 21: 30")},
            {"timer|21:30|おはよう|yes", set}, {armed + "|おはよう|x", offer}, {armed + "|x|おはよう|no", stillSet},
            {"", prompt}, {"timer|", prompt}, {"timer||24:00", badTime}, {armed + "|", prompt}, {armed + "||x", offer},
            {"timer", intro("")}, {"@21:05:03|timer", intro("21")}, {"@21:05:03|@21:05:04|timer", intro("21:05:04")},
            {"timer|21:30|YES", askYesNo}, {"timer|21:30|no", ended}, {"timer|21:30|no|timer", intro("")},
            {armed, set}, {armed + "|timer", offer}, {armed + "|x|yes", ended, {"disarmed"}},
            {armed + "|x|no", stillSet}, {armed + "|x|no|x", offer}, {armed + "|x|YES", askYesNo},
            {"timer|9:60|21:30|yes|x|no|x", offer}, {"timer|9:05|yes", set}, {"timer|24:00|9:00|yes", set},
            {"@7:15:00|@7:15:00", ""}, {"[クリアー]|@7:15:00", morning + offerAndPrompt},
            {"@", QStringLiteral("\r\nこんにちわ") + offerAndPrompt}, // the window's own clock
            {nine + "@9:00:00", "", {powerOff}}, {nine + "@09:00:59", "", {powerOff}}, {nine + "@21:00:00", ""},
            {nine + "@9:01:00", ""}, {greeted + "timer|9:00|no|@9:00:00", ""},
            {"timer|9:00|yes|@9:45:00", morning + offerAndPrompt, {powerOff}}, // the greeting's tick
            {greeted + armed + "|@21:30:00|@21:30:01|!Access denied",
             QStringLiteral("\r\nシャットダウンできませんでした。\r\nAccess denied"), {powerOff}},
            {greeted + armed + "|@21:30:00|!no|@21:30:02", "", {powerOff}}, // not again that minute
            {greeted + armed + "|@21:30:00|!no|@21:31:00|@+21:30:00|!ok", "", {powerOff, powerOff}}, // the next day
            {greeted + armed + "|@21:30:00|!no|@21:31:00|@21:30:00", "", {powerOff, powerOff}}, // the clock set back
            {greeted + armed + "|@21:30:00|^|!refused", "", {powerOff, "disarmed"}},
            {"^", ""}, {armed + "|^", "", {"disarmed"}}, {exitItem, "", {"end"}},
            {armed + '|' + exitItem, "", {"disarmed", "end"}}, {armed + "|[クリアー]|x", offer}, {"[OK]", prompt},
            {aboutItem + "|x", unknown("x")}, // the window works beside About
            {warning, "", {warned}}, {warning + "|@21:29:59|x", offer, {warned}}, {warning + "|>開く", "", {warned}},
            {warning + "|@21:30:00", "", {warned, "withdrawn", powerOff}},
            {warning + "|@21:30:00|!no|@21:31:00|@21:29:00", "", {warned, "withdrawn", powerOff, warned}},
            {warning + "|x|yes", ended, {warned, "withdrawn", "disarmed"}},
            {warning + '|' + exitItem, "", {warned, "withdrawn", "disarmed", "end"}},
            {warning + "|^", "", {warned, "withdrawn", "disarmed"}}, {warning + "|^|>解除", "", {warned, "withdrawn", "disarmed"}},
            {warning + "|@15:00:00", "", {warned, "withdrawn"}}, // the clock set elsewhere
            {"@21:29:00|" + armed + "|@21:29:01", "", {warned}}, {greeted + "timer|21:30|no|@21:29:00", ""},
            // No tick in the alarm's minute (asleep, the clock set over it): said, disarmed, never
            // fired later. Woken inside it, it fires.
            {warning + "|@21:31:00", missed, {warned, "withdrawn", "disarmed"}},
            {warning + "|@21:31:00|@+21:30:00|x", unknown("x"), {warned, "withdrawn", "disarmed"}},
            {greeted + armed + "|@+8:00:00", missed, {"disarmed"}}, {greeted + armed + "|@+12:00:00", missed, {"disarmed"}},
            {greeted + "timer|1:00|yes|@23:59:59|@+1:01:00", missed, {"disarmed"}},
            {greeted + "timer|1:00|yes|@23:59:59|@+1:00:59", "", {powerOff}},
            {greeted + armed + "|@21:30:59", "", {powerOff}}, {greeted + armed + "|@21:29:59|@21:31:00|" + armed + "|@21:32:00", "", {warned, "withdrawn", "disarmed"}},
            {"@22:00:00|" + armed + "|@22:00:05", ""}, {"@1:59:59|timer|2:30|yes|@3:00:00", missed, {"disarmed"}}, // a summer-time gap
 {greeted + armed + "|@22:00:00", missed, {"disarmed"}},
            {warning + "|@21:30:00|@21:31:00|@+21:29:00|@21:31:00", missed, {warned, "withdrawn", powerOff, warned, "withdrawn", "disarmed"}},
            // Cancelled from the warning as by the cancel offer's "yes", back to waiting for a command.
            {warning + "|>解除|timer", intro("21:29:00"), {warned, "withdrawn", "disarmed"}},
            {warning + "|x|>解除", ended, {warned, "withdrawn", "disarmed"}}, {">解除", ""}, {armed + "|x|yes|>解除", "", {"disarmed"}},
            // A disarmed alarm's request is dropped, open or answered: its late answer is not typed,
            // and an alarm armed again asks afresh in the same minute.
            {warning + "|@21:30:00|>解除|!late", "", {warned, "withdrawn", powerOff, "disarmed"}},
            {greeted + armed + "|@21:30:00|x|yes|" + armed + "|@21:30:30|!no|x|yes|" + armed + "|@21:30:50|!denied",
             QStringLiteral("\r\nシャットダウンできませんでした。\r\ndenied"),
             {powerOff, "disarmed", powerOff, "disarmed", powerOff}},
            // Started with --at: once greeted, answered as "timer", the time and "yes" typed; an entry begun
            // before gives way. Started in the alarm's minute, it fires as a typed alarm would.
            {"=21:30|@20:00:00", startedAt("20:00:00")}, {"=21:30|@20:00:00|x|yes", ended, {"disarmed"}},
            {"=9:05|@21:29:00|@+9:05:00|!ok", "", {powerOff}}, {"=21:30|@21:29:00|>解除", ended, {warned, "withdrawn", "disarmed"}},
            {"timer|9:00|=21:30|@20:00:00|@21:30:00", "", {powerOff}}, {"=21:30|@21:30:10", startedAt("21:30:10"), {powerOff}},
        };
        for (const QString line : {"Timer", "timer ", " ", "ｔｉｍｅｒ", "おはよう。", "😀"})
            rows.push_back({line, unknown(line)});
        // The alarm time as the confirmation repeats it; none: refused.
        const struct { const char *line, *time; } times[] = {
            {"21:30", " 21: 30"}, {"9:5", " 9: 5"}, {"9:", " 9: 0"}, {"12:05", " 12: 5"}, {"10:00", " 10: 0"},
            {"23:59", " 23: 59"}, {"1230", " 12: 0"}, {"12345", " 12: 45"}, {"12.30", " 12: 30"},
            {"9:30:15", " 9: 30"}, {"9:305", " 9: 30"}, {"12:345", " 12: 34"}, {"9:x5", " 9: 0"},
            {"9:+5", " 9: 5"}, {"9:+-", " 9: 0"}, {"9:.9", " 9: 1"}, {"9:.5", " 9: 0"}, {"9:\t5", " 9: 5"},
            {"9: 5", " 9: 5"}, {"9:３０", " 9: 0"}, {"24:00", ""}, {"12:60", ""}, {"09:30", ""}, {"00:15", ""},
            {"0:30", ""}, {"9:-5", ""}, {" 9:30", ""}, {"5", ""}, {"1a:30", ""}, {"timer", ""}, {"２１:３０", ""},
            {"9：30", ""}, {"😀1:30", ""}, {"9😀30", ""}, {"2 :30", ""},
        };
        for (const auto &row : times)
            rows.push_back({"timer|" + QString::fromUtf8(row.line), *row.time ? confirm(row.time) : badTime});
        const QString night = QStringLiteral("\r\nこんばんわ"), day = QStringLiteral("\r\nこんにちわ");
        const QString late = night + QStringLiteral("\r\n遅くまでご苦労様です");
        const std::pair<const char *, QString> hours[] = {
            {"0:15:00", late}, {"4:59:59", late}, {"5:00:00", morning}, {"9:59:59", morning}, {"07:15:00", morning},
            {"10:00:00", day}, {"17:59:59", day}, {"18:00:00", night}, {"23:59:59", night}, {"AM 7:15:00", ""},
        };
        for (const auto &[time, greeting] : hours)
            rows.push_back({'@' + QString::fromLatin1(time), greeting + offerAndPrompt});
        for (const Row &row : rows)
            QTest::newRow(row.script.toUtf8()) << row.script << row.reply << row.events;
    }
    void script()
    {
        QFETCH(QString, script);
        QFETCH(QString, reply);
        QFETCH(QStringList, events);
        Dialogue d;
        QVERIFY(d.run(script));
        QCOMPARE(d.reply, reply);
        QCOMPARE(d.system.events.filter(QRegularExpression(QStringLiteral("^(?!armed:)"))), events);
    }

    // The minute before the alarm's, across the hour and the day; never disarmed.
    void warningMinute()
    {
        const struct { qint16 timerOn, hour, minute; const char *now; bool due; } rows[] = {
            {1, 0, 0, "23:59:00", true}, {1, 0, 0, "0:00:00", false}, {1, 0, 0, "23:58:59", false},
            {1, 23, 59, "23:58:59", true}, {1, 9, 5, "9:04:00", true}, {1, 9, 5, "9:05:00", false},
            {1, 10, 0, "9:59:30", true}, {1, 10, 0, "10:59:00", false}, {0, 21, 30, "21:29:00", false},
        };
        for (const auto &row : rows) {
            MainState state;
            std::tie(state.timerOn, state.setHour, state.setMin, state.nowTime) =
                std::tuple(row.timerOn, row.hour, row.minute, QString::fromLatin1(row.now));
            QVERIFY2(inWarningMinute(state) == row.due, row.now);
        }
    }

    // Lines that are no script: breaks of every kind, a NUL, lone surrogates,
    // a script's separator, a long line. The log reads them back and copies
    // them as they were typed, a character at a time, each line shown as one.
    void odd_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("lines"); // of the log, its CR LF breaks one each
        QTest::newRow("NUL and CR LF") << QString(QChar(0)) + "\r\n" << 3;
        QTest::newRow("lone CR, lone LF") << QStringLiteral("a\rb\nc") << 4;
        QTest::newRow("LF CR, CR text LF") << QStringLiteral("\n\r\rx\n") << 6;
        QTest::newRow("other separators") << QStringLiteral("\u2029\u00a0") << 3;
        QTest::newRow("lone surrogates") << QChar(0xd800) + QStringLiteral("x") + QChar(0xdfff) << 2;
        QTest::newRow("separator") << QStringLiteral("a|b") << 2;
        QTest::newRow("long") << QStringLiteral("a😀").repeated(150) << 2;
    }
    void odd()
    {
        QFETCH(QString, line);
        QFETCH(int, lines);
        Dialogue d;
        QVERIFY(d.type(line));
        QCOMPARE(d.reply, "\r\n" + line + QStringLiteral("は理解できません。"));
        QTextDocument &text = *d.log()->document();
        QCOMPARE(text.blockCount(), lines);
        for (QTextBlock block = text.begin(); block.isValid(); block = block.next())
            QVERIFY(text.documentLayout()->blockBoundingRect(block).isValid() && block.layout()->lineCount() == 1);
        d.log()->selectAll();
        QCOMPARE(d.copied(), d.reply);
    }

    // Random scripts: only what every step must hold, which the runner checks.
    void fuzz()
    {
        static const char *const words[] = {"timer", "yes", "no", "おはよう", "", "21:30", "9:05", "12:60", "Timer"};
        static const char32_t ranges[][2] = {{0, 0x20}, {0xff01, 0xff5f}, {0x3041, 0x30ff}, {0x1f600, 0x1f650},
                                             {0x20000, 0x20100}, {0x20, 0x7f}, {0x20, 0x7f}, {0x20, 0x7f}};
        bool given = false; // else fixed, so that every run checks the same lines
        const int asked = qEnvironmentVariableIntValue("PELMORA_FUZZ_SEED", &given);
        const quint32 seed = given ? quint32(asked) : 20261207u;
        QRandomGenerator random(seed);
        Dialogue d;
        QVERIFY(d.run("*文字の表示(&M)/速い(&A)|@12:00:00"));
        const MainState &state = d.window.state();
        for (int round = 0; round < 300; ++round) {
            QStringList steps;
            if (random.bounded(3) == 0) { // often the alarm's minute or the one before, so that it warns and fires
                const int minute = state.timerOn == 1 && random.bounded(3) == 0
                                       ? (state.setHour * 60 + state.setMin - random.bounded(2) + 1440) % 1440
                                       : random.bounded(1440);
                steps << QStringLiteral("@%1:%2:07").arg(minute / 60).arg(minute % 60, 2, 10, QLatin1Char('0'));
            }
            if (random.bounded(20) == 0)
                steps << QStringLiteral("[クリアー]");
            if (random.bounded(20) == 0)
                steps << QStringLiteral(">解除");
            QVERIFY2(d.run(steps.join(u'|')), qPrintable("replay with PELMORA_FUZZ_SEED=" + QString::number(seed)));
            if (d.system.openPowerOff && random.bounded(2) == 0)
                QVERIFY(d.run(QStringLiteral("!refused")));
            std::u32string line(random.bounded(1, random.bounded(100) == 0 ? 5000 : 40), U' ');
            for (char32_t &c : line) {
                const auto &range = ranges[random.bounded(int(std::size(ranges)))];
                c = char32_t(random.bounded(range[0], range[1]));
            }
            QVERIFY(d.type(random.bounded(10) < 4 ? QString::fromUtf8(words[random.bounded(int(std::size(words)))])
                                                  : QString::fromStdU32String(line)));
        }
    }

    // Every caption of the client area, over its designed size. Enlarged (maximized, tiled),
    // the window shows no trigger, and clicks where they stand reach neither.
    void captions()
    {
        Dialogue d;
        QCOMPARE(d.window.windowTitle(), QStringLiteral("Pelmora Ver1.0b"));
        QWidget *client = d.window.centralWidget();
        QCOMPARE(client->size(), QSize(446, 337));
        QStringList captions;
        for (QObject *control : client->children())
            captions << control->property("text").toString() + control->property("title").toString();
        QCOMPARE(captions.join(u' ').simplified(), QStringLiteral("現在時刻 コンピューター 人間 クリアー OK ウインドウズの終了 Command2"));
        d.window.resize(twips(9000), twips(9000));
        QTRY_VERIFY(client->height() > twips(8535));
        for (const QPoint where : {QPoint(1000, 8200), QPoint(4980, 8400)}) {
            const QPoint at = client->mapTo(&d.window, QPoint(twips(where.x()), twips(where.y())));
            QTest::mouseClick(d.window.windowHandle(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(d.window.windowHandle(), Qt::LeftButton, {}, at);
        }
        QCOMPARE(d.system.events, QStringList());
        QCOMPARE(d.log()->text(), QString()); // no greeting either
    }

    // Tab goes round the controls that can take the focus; only Enter sends, the keypad's as well.
    void keys()
    {
        Dialogue d;
        QStringList visited;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, QStringList({"sent", "uke", "Command1", "Sent_t"}));
        QTest::keyClick(d.input(), Qt::Key_A);
        QCOMPARE(d.log()->text(), QString());
        QTest::keyClick(d.input(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(d.log()->text(), QStringLiteral("\r\naは理解できません。"));
        // A break typed into the log reads as CR LF; a copy holds the selection as the log reads it.
        QTextCursor cursor(d.log()->document());
        cursor.setPosition(2);
        d.log()->setTextCursor(cursor);
        QTest::keyClick(d.log(), Qt::Key_Return);
        QCOMPARE(d.log()->text(), QStringLiteral("\r\na\r\nは理解できません。"));
        cursor.setPosition(0);
        cursor.setPosition(4, QTextCursor::KeepAnchor);
        d.log()->setTextCursor(cursor);
        QCOMPARE(d.copied(), QStringLiteral("\r\na\r\nは"));
    }

    // Each character beeps, is drawn (the first with the caret left where it
    // was, the rest with it at the end), then pauses: none when fast, longer
    // when slow, the normal pause from the start.
    void typing()
    {
        std::map<QString, std::vector<std::chrono::microseconds>> pauses;
        for (const QString item : {"", "速い(&A)", "普通(&B)", "遅い(&C)"}) {
            Dialogue d;
            QVERIFY(item.isEmpty() || d.run("*文字の表示(&M)/" + item));
            PaintRecorder recorder(d.log(), d.system.typing);
            d.log()->setPlainText(QStringLiteral("earlier"));
            d.log()->setTextCursor(QTextCursor(d.log()->document()));
            QVERIFY(d.type(QStringLiteral("a😀"))); // "a😀は理解できません。", the emoji one character
            QStringList expected;
            for (int i = 0; i < 11; ++i)
                expected << (i ? "paint, caret at end" : "beep") << (i ? "beep" : "paint") << "pause";
            if (item == u"速い(&A)")
                expected.removeAll("pause");
            QCOMPARE(d.system.typing, expected);
            pauses[item] = d.system.pauses;
        }
        QVERIFY(pauses["速い(&A)"].empty() && pauses[""] == pauses["普通(&B)"]);
        QVERIFY(pauses["遅い(&C)"] > pauses["普通(&B)"] && pauses[""].front().count() > 0);
    }

    void impossibleStateEndsTheProgram()
    {
        Dialogue d;
        d.window.state().mode = 7; // no dialogue reaches it; the program ends there, as typed
        d.input()->setText(QStringLiteral("timer"));
        QTest::keyClick(d.input(), Qt::Key_Return);
        QCOMPARE(d.system.events, QStringList({"Pelmora:不正な操作が行われました。終了します。", "end"}));
        QCOMPARE(d.log()->text(), QString());
    }

    // A fixed, modeless dialog of its own that names the program and the
    // version the build was configured with (major.minor.revision). Chosen
    // again, the open dialog comes forward; closed, the next opening builds it anew.
    void about()
    {
        Dialogue d;
        const auto open = [&d]() -> frmAbout * {
            d.run(aboutItem);
            QWidgetList shown = QApplication::topLevelWidgets();
            shown.removeIf([](QWidget *top) { return !qobject_cast<frmAbout *>(top) || !top->isVisible(); });
            return shown.size() == 1 && QTest::qWaitForWindowActive(shown.first()) ? static_cast<frmAbout *>(shown.first())
                                                                                   : nullptr;
        };
        QPointer<frmAbout> first = open();
        QVERIFY(first && first->minimumSize() == first->maximumSize() && !first->isModal() && !first->parentWidget());
        QCOMPARE(first->windowTitle(), QStringLiteral("Pelmoraのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(first->findChild<QLabel *>("lblTitle")->text(), QStringLiteral("Pelmora"));
        const QStringList version = QStringLiteral(CONFIGURED_VERSION).split(u'.');
        QCOMPARE(first->findChild<QLabel *>("lblVersion")->text(),
                 QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(version[0], version[1], version[3]));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOK"));
        d.window.activateWindow(); // the dialog behind it
        QVERIFY(QTest::qWaitForWindowActive(&d.window));
        QCOMPARE(open(), first.data());
        QTest::mouseClick(first->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(first.isNull());
        QVERIFY(open());
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
