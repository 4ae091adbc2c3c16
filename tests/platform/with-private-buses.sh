#!/bin/sh
# Runs the command given between two private message buses, in place of the
# machine's system bus and, inside it, its session bus: nothing reaches the
# real ones, and a call sent on the wrong one finds nobody.
conf=$(dirname "$0")/privatebus.conf
exec dbus-run-session --config-file="$conf" -- sh -c \
    'DBUS_SYSTEM_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS exec dbus-run-session --config-file="$0" -- "$@"' "$conf" "$@"
