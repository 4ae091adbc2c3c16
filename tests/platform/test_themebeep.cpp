#include "platform/themebeep.h"

#include <QHash>
#include <QRegularExpression>
#include <QTest>

// Records every call and answers each play as the test's sound theme and
// server would. Called from the beep's own thread as well as the test's.
class FakeSounds final : public EventSounds
{
public:
    void cancel(quint32 id) override
    {
        const std::lock_guard lock(mutex);
        recorded.append(QStringLiteral("cancel %1").arg(id));
    }
    SoundOutcome play(quint32 id, const char *eventId) override
    {
        const std::lock_guard lock(mutex);
        recorded.append(QStringLiteral("play %1 %2").arg(id).arg(QLatin1String(eventId)));
        return outcomes.value(QLatin1String(eventId), {SoundOutcome::NotInTheme, QStringLiteral("File or data not found")});
    }
    QStringList calls()
    {
        const std::lock_guard lock(mutex);
        return recorded;
    }

    QHash<QString, SoundOutcome> outcomes; // by event id; set before the first beep

private:
    std::mutex mutex;
    QStringList recorded;
};

using Theme = QHash<QString, SoundOutcome>; // what the sound theme and server do, by event id

class TestThemeBeep : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twoBeeps_data()
    {
        QTest::addColumn<Theme>("theme");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("why");
        const SoundOutcome playing{SoundOutcome::Playing, QString()};
        const QString window = QStringLiteral("bell-window-system");
        const QStringList both{"cancel 1", "play 1 bell-window-system", "play 1 bell"};
        QTest::newRow("theme has the event") << Theme{{window, playing}}
                                             << QStringList{"cancel 1", "play 1 bell-window-system"} << QString();
        QTest::newRow("only the bell") << Theme{{QStringLiteral("bell"), playing}} << both
                                       << QString();
        QTest::newRow("no bell at all") << Theme() << both
                                        << "no \"bell\" in the sound theme: File or data not found";
        QTest::newRow("no sound server")
            << Theme{{window, {SoundOutcome::Failed, QStringLiteral("Not available")}}}
            << QStringList{"cancel 1", "play 1 bell-window-system"} << "Not available";
    }
    void twoBeeps()
    {
        QFETCH(const Theme, theme);
        QFETCH(const QStringList, calls);
        QFETCH(const QString, why);
        auto owned = std::make_unique<FakeSounds>();
        FakeSounds &sounds = *owned;
        sounds.outcomes = theme;
        int fallbacks = 0;
        if (!why.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable("The desktop's alert sound cannot play (" + why
                                                          + "); the window system's beep stands in for it."));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        ThemeBeep beep(std::move(owned), [&fallbacks] { ++fallbacks; });

        beep.beep(); // the first plays before it returns
        QCOMPARE(sounds.calls(), calls);
        QCOMPARE(fallbacks, why.isEmpty() ? 0 : 1);

        beep.beep();
        if (why.isEmpty()) {
            QTRY_COMPARE(sounds.calls(), calls + calls);
            QCOMPARE(fallbacks, 0);
        } else { // not tried again, and said once
            QCOMPARE(fallbacks, 2);
            QCOMPARE(sounds.calls(), calls);
        }
    }
};

QTEST_GUILESS_MAIN(TestThemeBeep)
#include "test_themebeep.moc"
