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
        // The labels size themselves to their text: only their place is given.
        const struct { const char *name; QRect geometry; const char *caption; } controls[] = {
            {"Frame1", {8, 32, 433, 225}, "コンピューター"}, {"uke", {16, 56, 417, 153}, ""},
            {"Command1", {184, 216, 65, 25}, "クリアー"},     {"Frame2", {8, 272, 433, 57}, "人間"},
            {"Sent_t", {16, 296, 337, 25}, ""},              {"sent", {376, 296, 49, 25}, "OK"},
            {"Line1", {8, 496, 425, 1}, ""},                 {"Exit_CB", {0, 536, 249, 25}, "ウインドウズの終了"},
            {"shoki", {320, 552, 25, 17}, "Command2"},       {"Label1", {8, 8, 0, 0}, "現在時刻"},
            {"jikanG", {64, 8, 0, 0}, ""},                   {"la3", {216, 16, 0, 0}, ""},
        };
        for (const auto &control : controls) {
            auto *widget = f.child(control.name);
            QCOMPARE(control.geometry.isEmpty() ? QRect(widget->pos(), QSize(0, 0)) : widget->geometry(), control.geometry);
            const QString caption = widget->property("text").toString() + widget->property("title").toString();
            QCOMPARE(caption, QString::fromUtf8(control.caption));
        }
        QCOMPARE(f.log()->font().families().constFirst(), QStringLiteral("ＭＳ Ｐゴシック"));
    }

    void menus()
    {
        WindowFixture f;
        QStringList captions;
        for (QAction *menu : f.window.menuBar()->actions()) {
            captions << menu->menu()->objectName() + u'=' + menu->text();
            for (QAction *item : menu->menu()->actions())
                captions << item->objectName() + u'=' + item->text();
        }
        QCOMPARE(captions.join(u' '), QStringLiteral("files=ファイル(&F) shuryou=終了(&X) moji=文字の表示(&M) "
                                                      "Aspeed=速い(&A) Bspeed=普通(&B) Cspeed=遅い(&C) "
                                                      "helpH=ヘルプ(&H) jyouhou=アプリケーション情報(&J)"));
    }

    // Tab skips the hidden triggers, and only Enter sends.
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
    }

    void exitEndsTheProgram()
    {
        WindowFixture f;
        f.arm(21, 30);
        f.window.findChild<QAction *>(QStringLiteral("shuryou"))->trigger();
        QCOMPARE(f.system.events, QStringList{"end"});
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
