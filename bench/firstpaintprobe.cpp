#include "firstpaintprobe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

FirstPaintProbe::FirstPaintProbe(FillLog fillLog)
    : fillLog(std::move(fillLog))
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (!painted && event->type() == QEvent::Paint) {
        painted = true;
        // Posted from inside the first paint, this runs once it has finished.
        QTimer::singleShot(0, this, &FirstPaintProbe::report);
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaintProbe::report()
{
    std::printf("painted %lld\n", monotonicNs());
    const qsizetype bytes = qEnvironmentVariableIntValue("BENCH_LOG_BYTES");
    if (bytes > 0) {
        // Line by line, as a log grows in use.
        const QString line = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz\r\n");
        for (qsizetype filled = 0; filled + line.size() <= bytes; filled += line.size())
            fillLog(line);
        std::printf("rss_kb %ld\n", residentKb());
    }
    std::fflush(stdout);
    if (qEnvironmentVariableIsSet("BENCH_EXIT"))
        QCoreApplication::exit(0);
}
