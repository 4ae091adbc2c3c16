#include "platform/themebeep.h"

#include <QHash>
#include <QRegularExpression>
#include <QTest>

using Theme = QHash<QString, SoundOutcome>; // what the sound theme and server do, by event id

// Records every call; called from the beep's own thread as well as the test's.
class FakeSounds final : public EventSounds
{
public:
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
            recorded.append(call);
        return recorded;
    }

private:
    const Theme theme;
    std::mutex mutex;
    QStringList recorded;
};

class TestThemeBeep : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twoBeeps_data()
    {
        QTest::addColumn<Theme>("theme");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("why"); // said once, when the fallback stands in
        const SoundOutcome playing{SoundOutcome::Playing, QString()};
        const QString window = QStringLiteral("bell-window-system");
        const QStringList first{"cancel 1", "play 1 bell-window-system"};
        const QStringList both = first + QStringList{"play 1 bell"};
        QTest::newRow("theme has the event") << Theme{{window, playing}} << first << "";
        QTest::newRow("only the bell") << Theme{{"bell", playing}} << both << "";
        QTest::newRow("no bell at all") << Theme() << both << "no \"bell\" in the sound theme: File or data not found";
        QTest::newRow("no sound server") << Theme{{window, {SoundOutcome::Failed, "Not available"}}} << first
                                         << "Not available";
    }
    void twoBeeps()
    {
        QFETCH(const Theme, theme);
        QFETCH(const QStringList, calls);
        QFETCH(const QString, why);
        auto owned = std::make_unique<FakeSounds>(theme);
        FakeSounds &sounds = *owned;
        int fallbacks = 0;
        const bool plays = why.isEmpty();
        if (!plays)
            QTest::ignoreMessage(QtWarningMsg, qPrintable("The desktop's alert sound cannot play (" + why
                                                          + "); the window system's beep stands in for it."));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        ThemeBeep beep(std::move(owned), [&fallbacks] { ++fallbacks; });

        beep.beep(); // the first plays before it returns
        QCOMPARE(sounds.record(), calls);
        QCOMPARE(fallbacks, plays ? 0 : 1);
        beep.beep(); // a sound that failed is not tried again
        QTRY_COMPARE(sounds.record(), plays ? calls + calls : calls);
        QCOMPARE(fallbacks, plays ? 0 : 2);
    }
};

QTEST_GUILESS_MAIN(TestThemeBeep)
#include "test_themebeep.moc"
