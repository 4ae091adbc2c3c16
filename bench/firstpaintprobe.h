#pragma once

#include <QObject>
#include <QString>

#include <functional>

// Start-up and memory probe shared by Pelmora and the baseline: prints the
// monotonic clock once the first paint has completed ("painted NS"); then,
// when BENCH_LOG_BYTES is set, fills the log with that much text, a line at
// a time, and prints
// the resident memory ("rss_kb N"); when BENCH_EXIT is set, ends the program.
class FirstPaintProbe : public QObject
{
public:
    using FillLog = std::function<void(const QString &text)>;
    explicit FirstPaintProbe(FillLog fillLog);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void report();

    FillLog fillLog;
    bool painted = false;
};
