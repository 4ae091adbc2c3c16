#include "platform/themebeep.h"

#include <QRegularExpression>
#include <QTest>

// Records every call, from the beep's own thread as well as the test's. The
// first plays work as many times as the test says (-1: all), then each
// fails with the reason it is given.
struct FakeSounds final : EventSounds
{
    FakeSounds(const QString &failure, int working) : failure(failure), working(working) {}
    void cancel(quint32 id) override { record(QStringLiteral("cancel %1").arg(id)); }
    std::optional<QString> play(quint32 id, const char *eventId) override
    {
        record(QStringLiteral("play %1 %2").arg(id).arg(QLatin1String(eventId)));
        return working >= 0 && played++ >= working ? std::optional(failure) : std::nullopt;
    }
    QStringList record(const QString &call = QString())
    {
        const std::lock_guard lock(mutex);
        if (!call.isEmpty())
            calls.append(call);
        return calls;
    }

    const QString failure;
    const int working;
    int played = 0; // by one thread at a time
    std::mutex mutex;
    QStringList calls;
};

class TestThemeBeep : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each beep cuts the last one short. A sound that cannot play, from the
    // start or once the sound server has gone, is not tried again: the
    // fallback stands in for every later beep, and says why once.
    void beeps_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<int>("working");
        QTest::newRow("plays") << "" << -1;
        QTest::newRow("cannot play") << "Not available" << 0;
        QTest::newRow("sound server gone") << "Connection terminated" << 1;
    }
    void beeps()
    {
        QFETCH(const QString, failure);
        QFETCH(const int, working);
        auto owned = std::make_unique<FakeSounds>(failure, working);
        FakeSounds &sounds = *owned;
        if (!failure.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable("The desktop's alert sound cannot play (" + failure
                                                          + "); the window system's beep stands in for it."));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        ThemeBeep beep(std::move(owned), [&sounds] { sounds.record(QStringLiteral("fallback")); });

        const QStringList one{"cancel 1", "play 1 bell-window-system"};
        const QStringList fallback{"fallback"};
        beep.beep(); // the first plays before it returns
        QCOMPARE(sounds.record(), working == 0 ? one + fallback : one);
        if (working == 1) { // a later beep finds the server gone
            QTRY_VERIFY((beep.beep(), sounds.record().endsWith(fallback.constFirst())));
            QCOMPARE(sounds.record().filter(QStringLiteral("play")).size(), 2);
            return;
        }
        beep.beep();
        QTRY_COMPARE(sounds.record(), working ? one + one : one + fallback + fallback);
        if (working < 0) { // the beep's thread, idle by now, is woken for the next
            beep.beep();
            QTRY_COMPARE(sounds.record(), one + one + one);
        }
    }
};

QTEST_GUILESS_MAIN(TestThemeBeep)
#include "test_themebeep.moc"
