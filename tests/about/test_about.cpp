#include "about/frmabout.h"
#include "app/windowfixture.h"

#include <QPointer>
#include <QPushButton>

namespace {

frmAbout *openAbout(WindowFixture &f)
{
    f.window.findChild<QAction *>(QStringLiteral("jyouhou"))->trigger();
    QList<frmAbout *> open;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *about = qobject_cast<frmAbout *>(top); about && about->isVisible())
            open << about;
    }
    return open.size() == 1 ? open.first() : nullptr;
}

QString text(frmAbout *about, const char *label)
{
    return about->findChild<QLabel *>(QLatin1String(label))->text();
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textsAndLayout()
    {
        WindowFixture f;
        frmAbout *about = openAbout(f);
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral("Pelmoraのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(text(about, "lblTitle"), QStringLiteral("Pelmora"));
        QCOMPARE(text(about, "lblDescription"),
                 QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの説明 フリーソフトです。対話型ウインドウズ終了タイマーです。"));
        QCOMPARE(text(about, "lblDisclaimer"), QStringLiteral("警告: ...このソフトによりどんな障害が起こっても責任は取りません。"));
        // The version the build was configured with: major.minor.revision.
        const QStringList configured = QStringLiteral(CONFIGURED_VERSION).split(u'.');
        QCOMPARE(text(about, "lblVersion"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(configured[0], configured[1], configured[3]));

        QCOMPARE(about->size(), QSize(382, 237));
        QCOMPARE(about->minimumSize(), about->maximumSize());
        QVERIFY(!(about->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!about->isModal() && !about->parentWidget());
        const struct { const char *name; QRect geometry; } controls[] = {
            {"picIcon", {16, 16, 36, 36}},      {"lblTitle", {70, 16, 259, 32}},       {"lblVersion", {70, 52, 259, 15}},
            {"lblDescription", {70, 75, 259, 78}}, {"lblDisclaimer", {17, 175, 258, 55}}, {"cmdOK", {284, 184, 87, 23}},
        };
        for (const auto &control : controls)
            QCOMPARE(about->findChild<QWidget *>(QLatin1String(control.name))->geometry(), control.geometry);
        auto *picture = about->findChild<QLabel *>(QStringLiteral("picIcon"));
        QCOMPARE(picture->contentsRect().size(), QSize(32, 32));
        QCOMPARE(picture->pixmap().size(), QSize(32, 32));
        QVERIFY(!f.window.windowIcon().isNull());
        QVERIFY(QTest::qWaitForWindowActive(about));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOK"));
    }

    void everyWayCloses()
    {
        for (const char *way : {"click", "enter", "escape", "close"}) {
            WindowFixture f;
            QPointer<frmAbout> about = openAbout(f);
            QVERIFY(QTest::qWaitForWindowActive(about));
            const QString version = text(about, "lblVersion");
            if (way == QLatin1String("click"))
                QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
            else if (way == QLatin1String("enter"))
                QTest::keyClick(about, Qt::Key_Return);
            else if (way == QLatin1String("escape"))
                QTest::keyClick(about, Qt::Key_Escape);
            else
                about->close();
            QTRY_VERIFY2(about.isNull(), way);
            frmAbout *again = openAbout(f); // built anew, with the same texts
            QVERIFY(again);
            QCOMPARE(text(again, "lblVersion"), version);
        }
    }

    void oneDialogAndAWorkingWindow()
    {
        WindowFixture f;
        QPointer<frmAbout> first = openAbout(f);
        QCOMPARE(openAbout(f), first.data());
        f.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.submit(QStringLiteral("x"));
        QCOMPARE(f.log()->text(), QStringLiteral("\r\nxは理解できません。"));

        // Closing the main window leaves the dialog as the one window keeping
        // the program alive; closing it leaves none.
        const auto windowsKeepingTheProgram = [] {
            int count = 0;
            for (QWidget *top : QApplication::topLevelWidgets())
                count += top->isVisible() && top->testAttribute(Qt::WA_QuitOnClose);
            return count;
        };
        f.window.close();
        QCOMPARE(windowsKeepingTheProgram(), 1);
        first->close();
        QCOMPARE(windowsKeepingTheProgram(), 0);
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
