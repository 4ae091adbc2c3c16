#include "windowfixture.h"

#include <QMenuBar>

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every caption the user reads, the menus' with their names and
    // accelerators, over a client area of the window's own size.
    void captions()
    {
        WindowFixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Pelmora Ver1.0b"));
        QCOMPARE(f.window.centralWidget()->size(), QSize(446, 337));
        QStringList captions;
        for (const char *name : {"Frame1", "Command1", "Frame2", "sent", "Exit_CB", "shoki", "Label1"})
            captions << f.child(name)->property("text").toString() + f.child(name)->property("title").toString();
        for (QAction *menu : f.window.menuBar()->actions()) {
            captions << menu->menu()->objectName() + u'=' + menu->text();
            for (QAction *item : menu->menu()->actions())
                captions << item->objectName() + u'=' + item->text();
        }
        QCOMPARE(captions.join(u' '), QStringLiteral("コンピューター クリアー 人間 OK ウインドウズの終了 Command2 現在時刻 "
                                                      "files=ファイル(&F) shuryou=終了(&X) moji=文字の表示(&M) "
                                                      "Aspeed=速い(&A) Bspeed=普通(&B) Cspeed=遅い(&C) "
                                                      "helpH=ヘルプ(&H) jyouhou=アプリケーション情報(&J)"));
    }

    // Tab goes round the controls that can take the focus, in their order;
    // only Enter sends, the keypad's as well, and a click on OK gives the
    // focus back to the input line.
    void keys()
    {
        WindowFixture f;
        QStringList visited;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, QStringList({"sent", "uke", "Command1", "Sent_t"}));
        QTest::keyClick(f.input(), Qt::Key_A);
        QCOMPARE(f.log()->text(), QString());
        QTest::keyClick(f.input(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(f.log()->text(), QStringLiteral("\r\naは理解できません。"));
        QTest::mouseClick(f.child("sent"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), f.input());
    }

    // Ending the program lets the machine sleep again.
    void exitEndsTheProgram()
    {
        WindowFixture f;
        f.arm(21, 30);
        f.trigger("shuryou");
        QCOMPARE(f.system.events, QStringList({"disarmed", "end"}));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
