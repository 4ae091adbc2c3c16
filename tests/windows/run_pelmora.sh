#!/usr/bin/env bash
# Runs the real pelmora.exe under Wine on the caller's private X server:
# the window opens with its title, the greeting is typed, "timer", a time
# one minute ahead and "yes" arm the alarm, and at that minute the program's
# shutdown request ends the Wine session, so that pelmora.exe exits by
# itself. Wine ends only the processes of its own prefix; the machine is
# never touched. Usage (inside scripts/with-wine-display.sh): run_pelmora.sh EXE
set -euo pipefail
exe=$1

fail() {
    echo "pelmora.exe under Wine: $1" >&2
    exit 1
}

# The log's whole text, through the clipboard: Tab twice from the input
# line reaches the log, Ctrl+A Ctrl+C copy it, Tab twice comes back.
# The window is focused first: keys sent while it has lost the focus would
# copy nothing.
log_text() {
    xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers Tab Tab ctrl+a ctrl+c Tab Tab
    sleep 0.5
    xclip -o -selection clipboard 2>/dev/null | tr -d '\r'
}

# Waits until the log holds the text, for at most the given seconds.
wait_for_log() {
    local deadline=$((SECONDS + $2))
    while ((SECONDS < deadline)); do
        [[ "$(log_text)" == *"$1"* ]] && return 0
        sleep 1
    done
    echo "--- the log:" >&2
    log_text >&2
    fail "the log never showed: $1"
}

send_line() {
    xdotool windowfocus --sync "$window"
    xdotool type --delay 50 "$1"
    xdotool key Return
}

"$WINELOADER" "$exe" &
pelmora=$!
disown "$pelmora" # its end by a signal is expected, not news
trap 'kill "$pelmora" 2>/dev/null || true' EXIT

window=$(timeout 60 xdotool search --sync --name '^Pelmora Ver1\.0b$' | head -n 1) ||
    fail "no window titled \"Pelmora Ver1.0b\" within 60 s"
xdotool windowfocus --sync "$window"
wait_for_log "命令を入力してください。" 60
[[ "$(log_text)" == *"ＷＩＮＤＯＷＳ終了タイマー(コマンド timer)です。"* ]] || fail "no greeting"

# An alarm at the next minute, or the one after when this one is nearly over.
now=$(date +%s)
alarm=$((now + 60 - now % 60))
((alarm - now >= 20)) || alarm=$((alarm + 60))
alarm_text=$(date -d "@$alarm" +%-H:%M)

send_line timer
wait_for_log "０１や０２などは認識できません" 30
send_line "$alarm_text"
# An hour of 0 is refused as the program's entry rule wants, so within the
# midnight hour no alarm can be set for the next minutes.
if [[ $alarm_text == 0:* ]]; then
    wait_for_log "正しく入力してください。(00:00)" 30
    echo "pelmora.exe under Wine: $alarm_text refused; no alarm can be tried before 1:00"
    exit 0
fi
wait_for_log "でよろしいですか。" 30
send_line yes
wait_for_log "タイマーがセットされました。" 30

# The alarm minute: the shutdown request ends the program within it.
deadline=$((alarm + 60))
while kill -0 "$pelmora" 2>/dev/null && (($(date +%s) < deadline)); do
    sleep 1
done
kill -0 "$pelmora" 2>/dev/null && fail "still running after the alarm minute $alarm_text"
ended=$(date +%s)
((ended >= alarm)) || fail "ended before the alarm minute $alarm_text"
echo "pelmora.exe under Wine: armed for $alarm_text, ended $((ended - alarm)) s into that minute"
