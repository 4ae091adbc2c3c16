#include "windowfixture.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Frame1") << "Frame1" << QRect(8, 32, 433, 225) << "コンピューター";
        QTest::newRow("uke") << "uke" << QRect(16, 56, 417, 153) << "";
        QTest::newRow("Command1") << "Command1" << QRect(184, 216, 65, 25) << "クリアー";
        QTest::newRow("Frame2") << "Frame2" << QRect(8, 272, 433, 57) << "人間";
        QTest::newRow("Sent_t") << "Sent_t" << QRect(16, 296, 337, 25) << "";
        QTest::newRow("sent") << "sent" << QRect(376, 296, 49, 25) << "OK";
        QTest::newRow("Line1") << "Line1" << QRect(8, 496, 425, 1) << "";
        QTest::newRow("Exit_CB") << "Exit_CB" << QRect(0, 536, 249, 25) << "ウインドウズの終了";
        QTest::newRow("shoki") << "shoki" << QRect(320, 552, 25, 17) << "Command2";
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        WindowFixture f;
        // Enlarging the window moves and grows nothing.
        f.window.resize(900, 900);
        auto *widget = f.window.findChild<QWidget *>(name);
        QCOMPARE(widget->geometry(), geometry);
        if (auto *box = qobject_cast<QGroupBox *>(widget))
            QCOMPARE(box->title(), caption);
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            QCOMPARE(button->text(), caption);
        QVERIFY(widget->isVisible());
    }

    void window()
    {
        WindowFixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Pelmora Ver1.0b"));
        QCOMPARE(f.window.centralWidget()->size(), QSize(446, 337));
        QCOMPARE(f.child<QLabel>("Label1")->text(), QStringLiteral("現在時刻"));
        QCOMPARE(f.child<QLabel>("Label1")->pos(), QPoint(8, 8));
        QCOMPARE(f.child<QLabel>("jikanG")->pos(), QPoint(64, 8));
        QCOMPARE(f.alarmLabel()->pos(), QPoint(216, 16));
        QCOMPARE(f.log()->font().families().constFirst(), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(f.log()->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(!f.log()->isReadOnly());
        const MainState &s = f.state();
        QCOMPARE(s.mode, qint16(1));
        QCOMPARE(s.greetStep, qint16(1));
        QCOMPARE(s.speed, 80000);
        QCOMPARE(s.timerOn, qint16(0));
    }

    void menus()
    {
        WindowFixture f;
        QStringList captions;
        for (QAction *menuAction : f.window.menuBar()->actions()) {
            QMenu *menu = menuAction->menu();
            captions << menu->objectName() + QLatin1Char('=') + menu->title();
            for (QAction *item : menu->actions()) {
                captions << item->objectName() + QLatin1Char('=') + item->text();
                QVERIFY(item->shortcut().isEmpty());
                QVERIFY(!item->isCheckable());
                QVERIFY(!item->isSeparator());
            }
        }
        QCOMPARE(captions, QStringList({
                               QStringLiteral("files=ファイル(&F)"),
                               QStringLiteral("shuryou=終了(&X)"),
                               QStringLiteral("moji=文字の表示(&M)"),
                               QStringLiteral("Aspeed=速い(&A)"),
                               QStringLiteral("Bspeed=普通(&B)"),
                               QStringLiteral("Cspeed=遅い(&C)"),
                               QStringLiteral("helpH=ヘルプ(&H)"),
                               QStringLiteral("jyouhou=アプリケーション情報(&J)"),
                           }));
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
    }

    void closingStopsTheClock()
    {
        WindowFixture f;
        f.clock()->start();
        f.window.close();
        QVERIFY(!f.clock()->isActive());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
