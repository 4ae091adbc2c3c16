#!/usr/bin/env python3
"""Runs Pelmora and the bare Qt baseline side by side and writes the table.

Usage: bench/run.py BUILD_DIR OUTPUT_MD
Environment: BENCH_ROUNDS (default 3), BENCH_IDLE_SECONDS (default 60).

Everything it starts runs in a process group of its own, which is ended with
the measurement, and at the latest when the benchmark ends, fails or is
interrupted: no X server or program outlives it.
"""
import os
import platform
import shutil
import signal
import statistics
import subprocess
import sys
import time

build, output = sys.argv[1], sys.argv[2]
rounds = int(os.environ.get("BENCH_ROUNDS", "3"))
idle_seconds = int(os.environ.get("BENCH_IDLE_SECONDS", "60"))
programs = {
    "pelmora": os.path.join(build, "bench", "bench_pelmora"),
    "baseline": os.path.join(build, "bench", "bench_baseline"),
}
inprocess = os.path.join(build, "bench", "bench_inprocess")


started = []  # every process the benchmark has started, each leading a process group


def start(command, **options):
    """Starts the command as the leader of a process group of its own."""
    process = subprocess.Popen(command, start_new_session=True, **options)
    started.append(process)
    return process


def stop(process):
    """Ends the process and whatever it started in turn."""
    if process not in started:
        return
    try:
        os.killpg(process.pid, signal.SIGTERM)
    except ProcessLookupError:
        pass  # the whole group has ended already
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
    started.remove(process)


def output_of(command, env, timeout):
    process = start(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, env=env)
    try:
        return process.communicate(timeout=timeout)[0]
    finally:
        stop(process)


def x_server():
    """One Xvfb for the whole run; returns its display once it takes connections."""
    read_end, write_end = os.pipe()
    start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24"], pass_fds=(write_end,),
          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as announced:
        number = announced.readline().strip()
    if not number:
        raise RuntimeError("Xvfb did not start")
    return ":" + number


display = None


def environment(platform_name, **extra):
    env = dict(os.environ, QT_QPA_PLATFORM=platform_name)
    if platform_name == "xcb":
        env["DISPLAY"] = display
    env.update({key: str(value) for key, value in extra.items()})
    return env


def startup_ms(name, platform_name):
    begin = time.monotonic_ns()
    out = output_of([programs[name]], environment(platform_name, BENCH_EXIT=1), 120)
    painted = int(next(l for l in out.splitlines() if l.startswith("painted")).split()[1])
    return (painted - begin) / 1e6


def rss_with_log_kb(name, platform_name):
    out = output_of([programs[name]], environment(platform_name, BENCH_EXIT=1, BENCH_LOG_BYTES=10_000_000), 600)
    return int(next(l for l in out.splitlines() if l.startswith("rss_kb")).split()[1])


def cpu_seconds(pid):
    """Time on the CPU in nanoseconds from schedstat: /proc/PID/stat counts in 10 ms ticks,
    coarser than a minute of idle ticks adds up to."""
    with open(f"/proc/{pid}/schedstat") as schedstat:
        return int(schedstat.read().split()[0]) / 1e9


def memory_kb(pid):
    values = {}
    with open(f"/proc/{pid}/smaps_rollup") as rollup:
        for line in rollup:
            parts = line.split()
            if parts[0] in ("Rss:", "Pss:"):
                values[parts[0][:-1]] = int(parts[1])
    return values


def idle(platform_name):
    """Both programs at once: CPU per tick and memory over the idle window."""
    running = {name: start([path], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           env=environment(platform_name))
               for name, path in programs.items()}
    try:
        time.sleep(5)  # past start-up and the greeting
        before = {name: cpu_seconds(process.pid) for name, process in running.items()}
        time.sleep(idle_seconds)
        figures = {}
        for name, process in running.items():
            used = cpu_seconds(process.pid) - before[name]
            figures[name] = {"cpu_ms_per_tick": used * 1000 / idle_seconds, **memory_kb(process.pid)}
        return figures
    finally:
        for process in running.values():
            stop(process)


def inprocess_figures(mode):
    out = output_of([inprocess, mode], environment("offscreen"), 1200)
    return {line.split()[0]: line.split()[1] for line in out.splitlines()}


def ratio(a, b):
    return a / b if b else float("nan")


def measure_windows():
    """Start-up, idle and memory on each platform; the rows of the table."""
    rows = []
    for platform_name in platforms:
        for name in programs:  # warm up caches, untimed
            startup_ms(name, platform_name)
        startups = {name: [] for name in programs}
        idles = {name: {"cpu_ms_per_tick": [], "Pss": [], "Rss": []} for name in programs}
        rss_logs = {name: [] for name in programs}
        for _ in range(rounds):
            for name in programs:  # interleaved
                startups[name].append(startup_ms(name, platform_name))
            for name, figures in idle(platform_name).items():
                for key in idles[name]:
                    idles[name][key].append(figures[key])
            for name in programs:
                rss_logs[name].append(rss_with_log_kb(name, platform_name))
        median = statistics.median
        p, b = "pelmora", "baseline"
        rows += [
            (platform_name, "start-up to first paint (ms)", median(startups[p]), median(startups[b]), "≤ 1.2"),
            (platform_name, f"idle CPU per tick (ms, {idle_seconds} s)", median(idles[p]["cpu_ms_per_tick"]),
             median(idles[b]["cpu_ms_per_tick"]), "≤ 1.2"),
            (platform_name, "idle PSS (KiB)", median(idles[p]["Pss"]), median(idles[b]["Pss"]), "≤ 1.2"),
            (platform_name, "idle RSS (KiB)", median(idles[p]["Rss"]), median(idles[b]["Rss"]), ""),
            (platform_name, "RSS with a 10 MB log (KiB)", median(rss_logs[p]), median(rss_logs[b]), "≤ 1.2"),
        ]
    return rows


def end_on_signal(number, frame):
    raise SystemExit(128 + number)  # leaves through the finally below


for number in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
    signal.signal(number, end_on_signal)
subprocess.run(["fc-cache"], check=False)  # a stale font cache would dominate start-up
platforms = ["offscreen"] + (["xcb"] if shutil.which("Xvfb") else [])
try:
    if "xcb" in platforms:
        display = x_server()
    rows = measure_windows()
    typing = inprocess_figures("typing-cost")
    wall = inprocess_figures("typing-wall")
    alarm = inprocess_figures("alarm-latency")
    long_line = inprocess_figures("long-line")
finally:
    for process in list(started):
        stop(process)

qt_version = subprocess.run(["pkg-config", "--modversion", "Qt6Core"], capture_output=True,
                            text=True).stdout.strip()
cpu_model = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo")
                  if line.startswith("model name")), platform.processor())
lines = [
    "# Performance",
    "",
    "Written by `./bench.sh`. Pelmora against a bare Qt 6 Widgets program with the same window,",
    "widgets, menus and one-second clock label (`bench/baseline/`), run side by side, interleaved,",
    f"{rounds} rounds, medians. Release build.",
    "",
    f"Machine: {os.cpu_count()} cores (`nproc`), {cpu_model}, Qt {qt_version},",
    f"{platform.system()} {platform.release()}, measured {time.strftime('%Y-%m-%d')}.",
    "",
    "| platform | figure | Pelmora | baseline | ratio | goal |",
    "|---|---|---|---|---|---|",
]
for platform_name, figure, mine, theirs, goal in rows:
    lines.append(f"| {platform_name} | {figure} | {mine:.3f} | {theirs:.3f} | {ratio(mine, theirs):.2f} | {goal} |")

lines += ["", "Typing one character (pause 0: text, caret, synchronous repaint), offscreen, µs:", "",
          "| text | log | Pelmora | whole text re-set | re-set / Pelmora |", "|---|---|---|---|---|"]
for script in ("ascii", "japanese"):
    for size in ("empty", "10KB", "1MB", "10MB"):
        mine = float(typing[f"typing_us_{script}_{size}"])
        literal = float(typing[f"literal_us_{script}_{size}"])
        lines.append(f"| {script} | {size} | {mine:.1f} | {literal:.1f} | {literal / mine:.0f}× |")
    flat = float(typing[f"typing_us_{script}_10MB"]) / float(typing[f"typing_us_{script}_10KB"])
    lines.append(f"| {script} | 10 MB / 10 KB | {flat:.2f} (goal ≤ 1.5) | | |")

lines += ["", "Typing at the end of one long line (pause 0), offscreen: "
          f"{float(long_line['long_line_us_10000']):.0f} µs a character at 10,000 characters, "
          f"{float(long_line['long_line_us_32767']):.0f} µs at 32,767. A line is laid out whole for every "
          "character added to it, so this cost grows with the line's length, not with the log's."]
lines += ["", f"The {wall['intro_chars']}-character timer introduction typed with the real pause, offscreen:", "",
          "| speed | wall (s) | characters × pause (s) | wall ratio (goal ≤ 1.05) | CPU (s) | CPU / wall (goal ≤ 5 %) |",
          "|---|---|---|---|---|---|"]
for speed in ("normal", "slow"):
    w, e, c = (float(wall[f"intro_{k}_s_{speed}"]) for k in ("wall", "expected", "cpu"))
    lines.append(f"| {speed} | {w:.3f} | {e:.3f} | {w / e:.3f} | {c:.3f} | {100 * c / w:.1f} % |")

chars, fast = int(wall["paste_chars"]), float(wall["paste_echo_s_fast"])
lines += ["", f"A pasted line of 100,000 characters, cut to the input box's {chars - 9} characters and echoed "
          f"with \"は理解できません。\" ({chars} characters): {fast:.1f} s at the fast speed; at the other "
          f"speeds the pauses add to it, "
          f"{(fast + chars * 0.0144) / 60:.1f} min at the normal and {(fast + chars * 0.0324) / 60:.1f} min at the slow one."]
lines += ["", f"Alarm latency: with the clock stepping through the alarm minute, the request leaves on tick "
          f"{alarm['alarm_request_tick']} of the minute (goal: the first).", ""]
text = "\n".join(lines)
print(text)
os.makedirs(os.path.dirname(output), exist_ok=True)
with open(output, "w") as out:
    out.write(text)
