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
    // A fixed, modeless dialog of its own that names the program and the
    // version the build was configured with (major.minor.revision). Chosen
    // again, the open dialog comes forward; closed, it is gone and the next
    // opening builds it anew. The main window works beside it.
    void oneDialogBesideAWorkingWindow()
    {
        WindowFixture f;
        QPointer<frmAbout> first = openAbout(f);
        QVERIFY(first && first->minimumSize() == first->maximumSize() && !first->isModal() && !first->parentWidget());
        QCOMPARE(first->windowTitle(), QStringLiteral("Pelmoraのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(first->findChild<QLabel *>("lblTitle")->text(), QStringLiteral("Pelmora"));
        const QStringList version = QStringLiteral(CONFIGURED_VERSION).split(u'.');
        QCOMPARE(first->findChild<QLabel *>("lblVersion")->text(),
                 QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(version[0], version[1], version[3]));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOK"));

        f.window.activateWindow(); // the dialog behind it
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
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
