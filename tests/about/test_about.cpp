#include "about/frmabout.h"
#include "app/windowfixture.h"

#include <QPointer>

// The one visible About dialog after the menu item, active; null if none or several.
static frmAbout *openAbout(WindowFixture &f)
{
    f.trigger("jyouhou");
    QWidgetList open = QApplication::topLevelWidgets();
    open.removeIf([](QWidget *top) { return !qobject_cast<frmAbout *>(top) || !top->isVisible(); });
    return open.size() == 1 && QTest::qWaitForWindowActive(open.first()) ? static_cast<frmAbout *>(open.first())
                                                                          : nullptr;
}

class TestAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void texts()
    {
        WindowFixture f;
        frmAbout *about = openAbout(f);
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral("Pelmoraのﾊﾞｰｼﾞｮﾝ情報"));
        QVERIFY(about->minimumSize() == about->maximumSize() && !about->isModal() && !about->parentWidget());
        // The version the build was configured with: major.minor.revision.
        const QStringList version = QStringLiteral(CONFIGURED_VERSION).split(u'.');
        const struct { const char *name; QString text; } controls[] = {
            {"lblTitle", "Pelmora"},
            {"lblVersion", QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(version[0], version[1], version[3])},
            {"lblDescription", "ｱﾌﾟﾘｹｰｼｮﾝの説明 フリーソフトです。対話型ウインドウズ終了タイマーです。"},
            {"lblDisclaimer", "警告: ...このソフトによりどんな障害が起こっても責任は取りません。"},
            {"cmdOK", "OK"},
        };
        for (const auto &control : controls)
            QCOMPARE(about->findChild<QWidget *>(QLatin1String(control.name))->property("text").toString(), control.text);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOK"));
    }

    // Chosen again, the open dialog comes forward; closed, it is gone, and
    // the next opening builds it anew. The main window works beside it.
    void oneDialogBesideAWorkingWindow()
    {
        WindowFixture f;
        QPointer<frmAbout> first = openAbout(f);
        QCOMPARE(openAbout(f), first.data());
        QTest::keyClick(first, Qt::Key_Escape);
        QTRY_VERIFY(first.isNull());
        QVERIFY(openAbout(f));
        f.submit(QStringLiteral("x"));
        QCOMPARE(f.log()->text(), QStringLiteral("\r\nxは理解できません。"));
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
