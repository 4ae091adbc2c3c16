#include "platform/themebeep.h"

#include <QRegularExpression>
#include <QTest>

// Records every call, from the beep's own thread as well as the test's, and
// plays, or fails with the reason it is given.
struct FakeSounds final : EventSounds
{
    explicit FakeSounds(const QString &failure) : failure(failure) {}
    void cancel(quint32 id) override { record(QStringLiteral("cancel %1").arg(id)); }
    std::optional<QString> play(quint32 id, const char *eventId) override
    {
        record(QStringLiteral("play %1 %2").arg(id).arg(QLatin1String(eventId)));
        return failure.isEmpty() ? std::nullopt : std::optional(failure);
    }
    QStringList record(const QString &call = QString())
    {
        const std::lock_guard lock(mutex);
        if (!call.isEmpty())
            calls.append(call);
        return calls;
    }

    const QString failure;
    std::mutex mutex;
    QStringList calls;
};

class TestThemeBeep : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each beep cuts the last one short. A sound that cannot play is not
    // tried again: the fallback stands in, and says why once.
    void twoBeeps_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("plays") << "";
        QTest::newRow("cannot play") << "Not available";
    }
    void twoBeeps()
    {
        QFETCH(const QString, failure);
        auto owned = std::make_unique<FakeSounds>(failure);
        FakeSounds &sounds = *owned;
        if (!failure.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable("The desktop's alert sound cannot play (" + failure
                                                          + "); the window system's beep stands in for it."));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        ThemeBeep beep(std::move(owned), [&sounds] { sounds.record(QStringLiteral("fallback")); });

        const QStringList one{"cancel 1", "play 1 bell-window-system"};
        const QStringList fallback{"fallback"};
        beep.beep(); // the first plays before it returns
        QCOMPARE(sounds.record(), failure.isEmpty() ? one : one + fallback);
        beep.beep();
        QTRY_COMPARE(sounds.record(), failure.isEmpty() ? one + one : one + fallback + fallback);
    }
};

QTEST_GUILESS_MAIN(TestThemeBeep)
#include "test_themebeep.moc"
