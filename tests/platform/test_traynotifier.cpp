#include "about/programicon.h"
#include "platform/traynotifier.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>

class TestTrayNotifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The program's icon is in the tray while armed, the reason its tooltip,
    // and shows the warning as its message; a click on the icon or on the
    // message opens the window, and so does its menu's "開く" ("解除" cancels);
    // the button that opens the menu does neither.
    void tray()
    {
        QApplication::setWindowIcon(programIcon());
        TrayNotifier notifier;
        QSystemTrayIcon *tray = notifier.findChild<QSystemTrayIcon *>();
        QStringList asked;
        QObject context;
        notifier.setActions(context, {[&asked](const QString &token) { asked << "open" + token; },
                                      [&asked] { asked << "cancel"; }, [&asked] { asked << "unseen"; }});
        QVERIFY(tray && !tray->isVisible());
        const QString reason = QStringLiteral("21時30分にシャットダウンするタイマーがセットされています。");
        notifier.setArmed(true, reason);
        QVERIFY(tray->isVisible() && !tray->icon().isNull());
        QCOMPARE(tray->toolTip(), reason);
        notifier.show(QStringLiteral("1分後にシャットダウンします"), reason);
        Q_EMIT tray->messageClicked();
        Q_EMIT tray->activated(QSystemTrayIcon::Trigger);
        Q_EMIT tray->activated(QSystemTrayIcon::Context);
        QVERIFY(tray->contextMenu());
        for (QAction *item : tray->contextMenu()->actions()) {
            asked << item->text();
            item->trigger();
        }
        QCOMPARE(asked, QStringList({"open", "open", "開く", "open", "解除", "cancel"}));
        notifier.withdraw();
        QVERIFY(tray->isVisible());
        notifier.setArmed(false, QString());
        QVERIFY(!tray->isVisible());
    }
};

QTEST_MAIN(TestTrayNotifier)
#include "test_traynotifier.moc"
