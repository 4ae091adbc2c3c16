#include "about/programicon.h"
#include "platform/traynotifier.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QTest>

class TestTrayNotifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The program's icon is in the tray while armed, the reason its tooltip,
    // and shows the warning as its message; a click on the icon or on the
    // message opens the window, its menu's button does not.
    void tray()
    {
        QApplication::setWindowIcon(programIcon());
        TrayNotifier notifier;
        QSystemTrayIcon *tray = notifier.findChild<QSystemTrayIcon *>();
        int opens = 0;
        QObject context;
        notifier.setOpener(context, [&opens] { ++opens; });
        QVERIFY(tray && !tray->isVisible());
        const QString reason = QStringLiteral("21時30分にシャットダウンするタイマーがセットされています。");
        notifier.setArmed(true, reason);
        QVERIFY(tray->isVisible() && !tray->icon().isNull());
        QCOMPARE(tray->toolTip(), reason);
        notifier.show(QStringLiteral("1分後にシャットダウンします"), reason);
        Q_EMIT tray->messageClicked();
        Q_EMIT tray->activated(QSystemTrayIcon::Trigger);
        Q_EMIT tray->activated(QSystemTrayIcon::Context);
        QCOMPARE(opens, 2);
        notifier.withdraw();
        QVERIFY(tray->isVisible());
        notifier.setArmed(false, QString());
        QVERIFY(!tray->isVisible());
    }
};

QTEST_MAIN(TestTrayNotifier)
#include "test_traynotifier.moc"
