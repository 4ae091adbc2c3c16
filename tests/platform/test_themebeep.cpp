#include "platform/themebeep.h"

#include <QHash>
#include <QRegularExpression>
#include <QTest>

using Theme = QHash<QString, SoundOutcome>; // what the sound theme and server do, by event id

// Records every call, made from the beep's own thread as well as the test's.
struct FakeSounds final : EventSounds
{
    explicit FakeSounds(const Theme &theme) : theme(theme) {}
    void cancel(quint32 id) override { record(QStringLiteral("cancel %1").arg(id)); }
    SoundOutcome play(quint32 id, const char *eventId) override
    {
        record(QStringLiteral("play %1 %2").arg(id).arg(QLatin1String(eventId)));
        return theme.value(QLatin1String(eventId), {SoundOutcome::NotInTheme, QStringLiteral("File or data not found")});
    }
    QStringList record(const QString &call = QString())
    {
        const std::lock_guard lock(mutex);
        if (!call.isEmpty())
            calls.append(call);
        return calls;
    }

    const Theme theme;
    std::mutex mutex;
    QStringList calls;
};

class TestThemeBeep : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twoBeeps_data()
    {
        QTest::addColumn<Theme>("theme");
        QTest::addColumn<QStringList>("calls"); // on the first beep
        QTest::addColumn<QString>("why");       // said once, when the fallback stands in
        const SoundOutcome playing{SoundOutcome::Playing, QString()};
        const QStringList window{"cancel 1", "play 1 bell-window-system"};
        const QStringList bell = window + QStringList{"play 1 bell"};
        QTest::newRow("theme has the event") << Theme{{"bell-window-system", playing}} << window << "";
        QTest::newRow("only the bell") << Theme{{"bell", playing}} << bell << "";
        QTest::newRow("no bell at all") << Theme() << bell + QStringList{"fallback"}
                                        << "no \"bell\" in the sound theme: File or data not found";
        QTest::newRow("no sound server") << Theme{{"bell-window-system", {SoundOutcome::Failed, "Not available"}}}
                                         << window + QStringList{"fallback"} << "Not available";
    }
    void twoBeeps()
    {
        QFETCH(const Theme, theme);
        QFETCH(const QStringList, calls);
        QFETCH(const QString, why);
        auto owned = std::make_unique<FakeSounds>(theme);
        FakeSounds &sounds = *owned;
        if (!why.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable("The desktop's alert sound cannot play (" + why
                                                          + "); the window system's beep stands in for it."));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        ThemeBeep beep(std::move(owned), [&sounds] { sounds.record(QStringLiteral("fallback")); });

        beep.beep(); // the first plays before it returns
        QCOMPARE(sounds.record(), calls);
        beep.beep(); // a sound that failed is not tried again
        QTRY_COMPARE(sounds.record(), why.isEmpty() ? calls + calls : calls + QStringList{"fallback"});
    }
};

QTEST_GUILESS_MAIN(TestThemeBeep)
#include "test_themebeep.moc"
