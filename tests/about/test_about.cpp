#include "about/frmabout.h"
#include "app/windowfixture.h"

#include <QPointer>

namespace {

frmAbout *openAbout(WindowFixture &f)
{
    f.window.findChild<QAction *>(QStringLiteral("jyouhou"))->trigger();
    QList<frmAbout *> open;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *about = qobject_cast<frmAbout *>(top); about && about->isVisible())
            open << about;
    }
    return open.size() == 1 && QTest::qWaitForWindowActive(open.first()) ? open.first() : nullptr;
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
        QCOMPARE(about->size(), QSize(382, 237));
        QCOMPARE(about->minimumSize(), about->maximumSize());
        QVERIFY(!about->isModal() && !about->parentWidget());
        // The version the build was configured with: major.minor.revision.
        const QStringList version = QStringLiteral(CONFIGURED_VERSION).split(u'.');
        const struct { const char *name; QRect geometry; QString text; } controls[] = {
            {"picIcon", {16, 16, 36, 36}, ""},
            {"lblTitle", {70, 16, 259, 32}, "Pelmora"},
            {"lblVersion", {70, 52, 259, 15}, QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(version[0], version[1], version[3])},
            {"lblDescription", {70, 75, 259, 78}, "ｱﾌﾟﾘｹｰｼｮﾝの説明 フリーソフトです。対話型ウインドウズ終了タイマーです。"},
            {"lblDisclaimer", {17, 175, 258, 55}, "警告: ...このソフトによりどんな障害が起こっても責任は取りません。"},
            {"cmdOK", {284, 184, 87, 23}, "OK"},
        };
        for (const auto &control : controls) {
            const QWidget *widget = about->findChild<QWidget *>(QLatin1String(control.name));
            QCOMPARE(widget->geometry(), control.geometry);
            QCOMPARE(widget->property("text").toString(), control.text);
        }
        QCOMPARE(about->findChild<QLabel *>(QStringLiteral("picIcon"))->pixmap().size(), QSize(32, 32));
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
