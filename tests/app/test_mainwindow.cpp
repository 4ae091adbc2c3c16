#include "windowfixture.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QMenuBar>

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout()
    {
        WindowFixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Pelmora Ver1.0b"));
        QCOMPARE(f.window.centralWidget()->size(), QSize(446, 337));
        f.window.resize(900, 900); // enlarging moves and grows nothing
        const struct { const char *name; QRect geometry; const char *caption; } controls[] = {
            {"Frame1", {8, 32, 433, 225}, "コンピューター"}, {"uke", {16, 56, 417, 153}, ""},
            {"Command1", {184, 216, 65, 25}, "クリアー"},     {"Frame2", {8, 272, 433, 57}, "人間"},
            {"Sent_t", {16, 296, 337, 25}, ""},              {"sent", {376, 296, 49, 25}, "OK"},
            {"Line1", {8, 496, 425, 1}, ""},                 {"Exit_CB", {0, 536, 249, 25}, "ウインドウズの終了"},
            {"shoki", {320, 552, 25, 17}, "Command2"},
        };
        for (const auto &control : controls) {
            auto *widget = f.child(control.name);
            QCOMPARE(widget->geometry(), control.geometry);
            QVERIFY(widget->isVisible());
            if (auto *box = qobject_cast<QGroupBox *>(widget))
                QCOMPARE(box->title(), QString::fromUtf8(control.caption));
            if (auto *button = qobject_cast<QAbstractButton *>(widget))
                QCOMPARE(button->text(), QString::fromUtf8(control.caption));
        }
        QCOMPARE(f.child<QLabel>("Label1")->text(), QStringLiteral("現在時刻"));
        QCOMPARE(f.child("Label1")->pos(), QPoint(8, 8));
        QCOMPARE(f.child("jikanG")->pos(), QPoint(64, 8));
        QCOMPARE(f.alarmLabel()->pos(), QPoint(216, 16));
        QCOMPARE(f.log()->font().families().constFirst(), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(f.log()->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(!f.log()->isReadOnly());
    }

    void startValues()
    {
        WindowFixture f;
        QCOMPARE(f.state().mode, qint16(1));
        QCOMPARE(f.state().greetStep, qint16(1));
        QCOMPARE(f.state().speed, 80000);
        QCOMPARE(f.state().timerOn, qint16(0));
    }

    void menus()
    {
        WindowFixture f;
        QStringList captions;
        for (QAction *menuAction : f.window.menuBar()->actions()) {
            captions << menuAction->menu()->objectName() + u'=' + menuAction->text();
            for (QAction *item : menuAction->menu()->actions()) {
                captions << item->objectName() + u'=' + item->text();
                QVERIFY(item->shortcut().isEmpty() && !item->isCheckable() && !item->isSeparator());
            }
        }
        QCOMPARE(captions.join(u' '), QStringLiteral("files=ファイル(&F) shuryou=終了(&X) moji=文字の表示(&M) "
                                                      "Aspeed=速い(&A) Bspeed=普通(&B) Cspeed=遅い(&C) "
                                                      "helpH=ヘルプ(&H) jyouhou=アプリケーション情報(&J)"));
    }

    void tabChainSkipsTheHiddenTriggers()
    {
        WindowFixture f;
        QCOMPARE(QApplication::focusWidget(), f.input());
        QStringList visited;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, QStringList({"sent", "uke", "Command1", "Sent_t"}));
        QCOMPARE(f.child("Exit_CB")->focusPolicy(), Qt::NoFocus);
        QCOMPARE(f.child("shoki")->focusPolicy(), Qt::NoFocus);
    }

    void exitEndsTheProgram()
    {
        WindowFixture f;
        f.state().timerOn = 1;
        f.window.findChild<QAction *>(QStringLiteral("shuryou"))->trigger();
        QCOMPARE(f.system.programEnds, 1);
        QCOMPARE(f.system.powerOffRequests, 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
