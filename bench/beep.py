#!/usr/bin/env python3
"""Measures the real beep on a private PulseAudio null sink started here, never
the machine's own sound session: what one beep costs its caller, and the timer
introduction typed at the normal speed with it.

Usage: bench/beep.py BUILD_DIR OUTPUT_MD   (appends its section to OUTPUT_MD)
"""
import contextlib
import os
import subprocess
import sys
import tempfile
import time

build, output = sys.argv[1], sys.argv[2]
inprocess = os.path.join(build, "bench", "bench_inprocess")


@contextlib.contextmanager
def private_sound_server():
    """The environment of a client of the private server, while it runs."""
    with tempfile.TemporaryDirectory() as scratch:
        socket = os.path.join(scratch, "native")
        no_bus = "unix:path=" + os.path.join(scratch, "no-bus")
        config = os.path.join(scratch, "client.conf")
        with open(config, "w") as conf:
            conf.write("autospawn = no\n")
        client = dict(os.environ, QT_QPA_PLATFORM="offscreen", PULSE_SERVER="unix:" + socket,
                      PULSE_CLIENTCONFIG=config, PULSE_COOKIE=os.path.join(scratch, "cookie"),
                      CANBERRA_DRIVER="pulse", DBUS_SESSION_BUS_ADDRESS=no_bus, DBUS_SYSTEM_BUS_ADDRESS=no_bus)
        client.pop("DISPLAY", None)
        server_env = dict(client, HOME=scratch, XDG_RUNTIME_DIR=scratch, XDG_CONFIG_HOME=scratch,
                          PULSE_RUNTIME_PATH=scratch, PULSE_STATE_PATH=scratch)
        server = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                   "-L", "module-null-sink sink_name=bench",
                                   "-L", f"module-native-protocol-unix auth-anonymous=1 socket={socket}"],
                                  env=server_env, stderr=subprocess.DEVNULL)
        try:
            for _ in range(300):
                if os.path.exists(socket):
                    break
                time.sleep(0.1)
            else:
                raise RuntimeError("the private sound server did not start")
            yield client
        finally:
            server.terminate()
            server.wait()


with private_sound_server() as env:
    result = subprocess.run([inprocess, "beep"], capture_output=True, text=True, env=env, timeout=300, check=True)
if "cannot play" in result.stderr:  # the beep fell back: these would not be the real beep's figures
    sys.exit(f"bench_inprocess beep: {result.stderr.strip()}")
figures = {line.split()[0]: float(line.split()[1]) for line in result.stdout.splitlines()}
wall, expected, cpu = (figures[f"intro_{k}_s_normal"] for k in ("wall", "expected", "cpu"))
lines = ["", "The real beep, on a private PulseAudio null sink (the sound is started on the beep's own thread; "
         "the caller only hands it over):", "",
         "| first beep, connecting (ms) | later beep, median (µs) | later beep, max (µs) |", "|---|---|---|",
         f"| {figures['beep_first_ms']:.2f} | {figures['beep_us_median']:.1f} | {figures['beep_us_max']:.1f} |", "",
         f"The {int(figures['intro_chars'])}-character timer introduction at the normal speed with the real beep:", "",
         "| wall (s) | characters × pause (s) | wall ratio (goal ≤ 1.05) | CPU (s) | CPU / wall (goal ≤ 5 %) |",
         "|---|---|---|---|---|",
         f"| {wall:.3f} | {expected:.3f} | {wall / expected:.3f} | {cpu:.3f} | {100 * cpu / wall:.1f} % |", ""]
text = "\n".join(lines)
print(text)
with open(output, "a") as out:
    out.write(text)
