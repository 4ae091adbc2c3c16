#include "about/frmabout.h"
#include "app/windowfixture.h"

#include <QPointer>
#include <QPushButton>

namespace {

frmAbout *openAbout(WindowFixture &f)
{
    f.window.findChild<QAction *>(QStringLiteral("jyouhou"))->trigger();
    frmAbout *about = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *candidate = qobject_cast<frmAbout *>(top); candidate && candidate->isVisible()) {
            if (about)
                qFatal("more than one About dialog is open");
            about = candidate;
        }
    }
    return about;
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
    void texts()
    {
        WindowFixture f;
        frmAbout *about = openAbout(f);
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral("Pelmoraのﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(text(about, "lblTitle"), QStringLiteral("Pelmora"));
        QCOMPARE(text(about, "lblDescription"),
                 QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの説明 フリーソフトです。対話型ウインドウズ終了タイマーです。"));
        QCOMPARE(text(about, "lblDisclaimer"),
                 QStringLiteral("警告: ...このソフトによりどんな障害が起こっても責任は取りません。"));

        // The version shown is the one the build was configured with,
        // major.minor.revision, the third number left out.
        const QStringList configured = QStringLiteral(CONFIGURED_VERSION).split(u'.');
        QCOMPARE(text(about, "lblVersion"),
                 QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + configured[0] + u'.' + configured[1] + u'.' + configured[3]);
    }

    void layout()
    {
        WindowFixture f;
        frmAbout *about = openAbout(f);
        QCOMPARE(about->size(), QSize(382, 237));
        QCOMPARE(about->minimumSize(), about->maximumSize());
        QVERIFY(!(about->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(about->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!about->isModal());
        QVERIFY(!about->parentWidget());
        const struct
        {
            const char *name;
            QRect geometry;
        } controls[] = {
            {"picIcon", {16, 16, 36, 36}},        {"lblTitle", {70, 16, 259, 32}},
            {"lblVersion", {70, 52, 259, 15}},    {"lblDescription", {70, 75, 259, 78}},
            {"lblDisclaimer", {17, 175, 258, 55}}, {"cmdOK", {284, 184, 87, 23}},
        };
        for (const auto &control : controls)
            QCOMPARE(about->findChild<QWidget *>(QLatin1String(control.name))->geometry(), control.geometry);
        auto *picture = about->findChild<QLabel *>(QStringLiteral("picIcon"));
        QCOMPARE(picture->contentsRect().size(), QSize(32, 32));
        QCOMPARE(picture->pixmap().size(), QSize(32, 32));
        QVERIFY(!f.window.windowIcon().isNull());
        QVERIFY(QTest::qWaitForWindowActive(about));
        QCOMPARE(QApplication::focusWidget(), about->findChild<QPushButton *>(QStringLiteral("cmdOK")));
    }

    void everyWayCloses_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("OK clicked") << "click";
        QTest::newRow("Enter") << "enter";
        QTest::newRow("Esc") << "escape";
        QTest::newRow("close box") << "close";
    }
    void everyWayCloses()
    {
        QFETCH(QString, way);
        WindowFixture f;
        QPointer<frmAbout> about = openAbout(f);
        QVERIFY(QTest::qWaitForWindowActive(about));
        const QString version = text(about, "lblVersion");
        if (way == u"click")
            QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
        else if (way == u"enter")
            QTest::keyClick(about, Qt::Key_Return);
        else if (way == u"escape")
            QTest::keyClick(about, Qt::Key_Escape);
        else
            about->close();
        QTRY_VERIFY(about.isNull());

        // Opening again builds the dialog anew, with the same texts.
        frmAbout *again = openAbout(f);
        QVERIFY(again);
        QCOMPARE(text(again, "lblVersion"), version);
        QCOMPARE(again->windowTitle(), QStringLiteral("Pelmoraのﾊﾞｰｼﾞｮﾝ情報"));
    }

    void oneDialogAndAWorkingWindow()
    {
        WindowFixture f;
        QPointer<frmAbout> first = openAbout(f);
        QCOMPARE(openAbout(f), first.data());

        f.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.input()->setFocus();
        f.submit(QStringLiteral("x"));
        QCOMPARE(f.log()->text(), QStringLiteral("\r\nxは理解できません。"));
        QVERIFY(first->isVisible());
    }

    // Closing the main window by its close box leaves the dialog, and the
    // program ends with the last of the two.
    void dialogOutlivesTheMainWindow()
    {
        WindowFixture f;
        QPointer<frmAbout> about = openAbout(f);
        const auto visibleWindows = [] {
            int count = 0;
            for (QWidget *top : QApplication::topLevelWidgets())
                count += top->isVisible() && top->testAttribute(Qt::WA_QuitOnClose);
            return count;
        };
        f.window.close();
        QVERIFY(about->isVisible());
        QCOMPARE(visibleWindows(), 1);
        about->close();
        QCOMPARE(visibleWindows(), 0);
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
