#!/usr/bin/env bash
# Plants the faults listed in mutants.tsv (beside this script) one at a time
# in a scratch copy of the tree, and tells for each whether the Linux suite
# notices it.
#
# Usage: scripts/mutants.sh [--tree DIR] [--only REGEX] [--out FILE] [--logs DIR] [--check]
#   --tree DIR    the source tree to copy, mutate and test (default: the
#                 repository this script lives in); it is never modified
#   --only REGEX  only the faults whose name matches (Python re.search)
#   --out FILE    also write the per-fault lines to FILE, to diff two runs
#   --logs DIR    keep each fault's build and test output as DIR/<name>.log
#   --check       only check that every row applies to the tree, then stop
#
# One line per fault, then the totals:
#   caught    <name>  by <test>
#   SURVIVED  <name>
#   no-build  <name>
# Exit status: 0 after a run, 1 if a row does not apply or the suite fails
# with no fault planted, 2 on a usage error.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
faults=$here/mutants.tsv
tree=$(git -C "$here" rev-parse --show-toplevel)
only=''
out=''
logs=''
check_only=false

usage() { sed -n '2,/^set -euo/{/^#/s/^# \{0,1\}//p}' "$0"; }
while [ $# -gt 0 ]; do
    case $1 in
    --tree) tree=${2:?--tree needs a directory}; shift 2 ;;
    --only) only=${2:?--only needs a pattern}; shift 2 ;;
    --out) out=${2:?--out needs a file}; shift 2 ;;
    --logs) logs=${2:?--logs needs a directory}; shift 2 ;;
    --check) check_only=true; shift ;;
    -h | --help) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
    esac
done
tree=$(cd "$tree" && pwd)
[ -n "$out" ] && out=$(realpath -m "$out")
[ -n "$logs" ] && mkdir -p "$logs" && logs=$(cd "$logs" && pwd)

# Reads the data file, and plants one fault. Kept in Python: the rows hold
# UTF-8 text and escapes that the shell would mangle.
faulttool() {
    python3 - "$@" <<'EOF'
import re, sys

def unescape(field):
    def one(m):
        c = m.group(1)
        if c not in 'nt\\':
            raise ValueError('unknown escape \\' + c + ' (write \\\\ for a backslash)')
        return {'n': '\n', 't': '\t', '\\': '\\'}[c]
    if field.endswith('\\') and not field.endswith('\\\\'):
        raise ValueError('a lone backslash at the end')
    return re.sub(r'\\(.)', one, field)

def rows(path):
    names = set()
    for number, line in enumerate(open(path, encoding='utf-8'), 1):
        line = line.rstrip('\n')
        if not line.strip() or line.startswith('#'):
            continue
        where = '%s:%d' % (path, number)
        fields = line.split('\t')
        if len(fields) != 5:
            yield where, None, 'has %d fields, not 5' % len(fields)
            continue
        name, file, find, replace, _ = fields
        if not re.fullmatch(r'[A-Za-z0-9_.-]+', name):
            yield where, None, 'the name %r has characters other than letters, digits, . _ -' % name
            continue
        if name in names:
            yield where, None, 'the name %s is used twice' % name
            continue
        names.add(name)
        try:
            find, replace = unescape(find), unescape(replace)
        except ValueError as e:
            yield where, None, '%s: %s' % (name, e)
            continue
        if not file.startswith('src/') or '..' in file.split('/'):
            yield where, None, '%s: the file %s is not under src/' % (name, file)
        elif not find or find == replace:
            yield where, None, '%s: nothing to find, or nothing changed' % name
        else:
            yield where, (name, file, find, replace), None

command, faults, tree = sys.argv[1:4]
if command == 'check':   # check FAULTS TREE ONLY: prints "name<TAB>file" of the selected rows
    only = sys.argv[4]
    bad = 0
    for where, row, problem in rows(faults):
        if row and only and not re.search(only, row[0]):
            continue
        if row:
            name, file, find, _ = row
            try:
                found = open('%s/%s' % (tree, file), encoding='utf-8').read().count(find)
            except OSError as e:
                found, problem = None, '%s: cannot read %s: %s' % (name, file, e.strerror)
            if found is not None and found != 1:
                problem = '%s: the text to find occurs %d times in %s, not once' % (name, found, file)
        if problem:
            print('refused   %s: %s' % (where, problem), file=sys.stderr)
            bad += 1
        else:
            print('%s\t%s' % (row[0], row[1]))
    sys.exit(1 if bad else 0)
elif command == 'plant':  # plant FAULTS TREE NAME: changes the one file in TREE
    for _, row, _ in rows(faults):
        if row and row[0] == sys.argv[4]:
            name, file, find, replace = row
            path = '%s/%s' % (tree, file)
            text = open(path, encoding='utf-8').read()
            if text.count(find) != 1:
                sys.exit('%s: the text to find is no longer there exactly once' % name)
            open(path, 'w', encoding='utf-8').write(text.replace(find, replace))
            sys.exit(0)
    sys.exit('no fault named %s' % sys.argv[4])
EOF
}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-mutants.XXXXXX")
work=$scratch/tree
build=$scratch/build
log=$scratch/log

# The desktop session test runs between two dbus-daemons of its own, which
# end with it; a test killed on its timeout may leave them behind. Only daemons
# started with this run's own copy of the bus configuration are stopped.
stopOwnBuses() {
    local proc pid
    for proc in /proc/[0-9]*; do
        pid=${proc#/proc/}
        if tr '\0' '\n' 2>/dev/null <"$proc/cmdline" | grep -qxF -- "$work/tests/platform/privatebus.conf"; then
            kill "$pid" 2>/dev/null || true
        fi
    done
}
cleanup() {
    stopOwnBuses
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The run reads its own copy of the faults: the data file may be edited
# while it goes on.
cp "$faults" "$scratch/mutants.tsv"
faults=$scratch/mutants.tsv

# Every row is checked before anything is built: a row that no longer
# applies would make the run say nothing about the suite.
selected=$(faulttool check "$faults" "$tree" "$only") || {
    echo "mutants.tsv does not apply to $tree; nothing was run" >&2
    exit 1
}
if [ -z "$selected" ]; then
    echo "no fault matches '$only'" >&2
    exit 1
fi
total=$(printf '%s\n' "$selected" | wc -l)
if $check_only; then
    echo "all $total rows apply to $tree"
    exit 0
fi

# The files git tracks and the untracked ones it does not ignore: no build
# directory of the tree comes along.
mkdir -p "$work"
git -C "$tree" ls-files -co --exclude-standard -z |
    while IFS= read -r -d '' file; do
        if [ -e "$tree/$file" ]; then printf '%s\0' "$file"; fi
    done |
    tar -C "$tree" --null -T - -cf - | tar -C "$work" -xf -

echo "building $tree in $scratch"
# Warnings do not fail the build: a fault that only warns must still run.
if ! { cmake -S "$work" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPELMORA_WERROR=OFF &&
    ninja -C "$build"; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "the tree does not build with no fault planted" >&2
    exit 1
fi

# --stop-on-failure: the first failing test is enough to call a fault
# caught, and the rest of the suite is not worth the time. A caught fault
# is therefore attributed to the first failing test in suite order only.
# The Wayland run of the window's scripts repeats test_window's checks at
# four times its cost, and is left out.
runSuite() {
    (cd "$build" && ctest --output-on-failure -E 'soundserver|package|wayland' --timeout 120 --stop-on-failure)
}
failedTests() {
    sed -n '/The following tests FAILED:/,$ s/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' "$1" | paste -sd ' ' -
}

start=$(date +%s)
if ! runSuite >"$log" 2>&1; then
    cat "$log" >&2
    echo "the suite fails with no fault planted; nothing to learn from the faults" >&2
    exit 1
fi
echo "suite passes unchanged in $(($(date +%s) - start)) s; $total faults to plant"

[ -n "$out" ] && : >"$out"
report() {
    printf '%s\n' "$1"
    [ -z "$out" ] || printf '%s\n' "$1" >>"$out"
}

caught=0 survived=0 nobuild=0 slowest=0 slowestName=''
runStart=$(date +%s)
saved=$scratch/saved
while IFS=$'\t' read -r -u 3 name file; do
    faultStart=$(date +%s)
    cp "$work/$file" "$saved"
    faulttool plant "$faults" "$work" "$name"
    if ! ninja -C "$build" >"$log" 2>&1; then
        report "no-build  $name"
        nobuild=$((nobuild + 1))
    elif runSuite >>"$log" 2>&1; then
        report "SURVIVED  $name"
        survived=$((survived + 1))
    else
        report "caught    $name  by $(failedTests "$log")"
        caught=$((caught + 1))
    fi
    # A plain copy, newer than the objects: the next build compiles the
    # restored file again instead of keeping the mutant's object.
    cp "$saved" "$work/$file"
    [ -z "$logs" ] || cp "$log" "$logs/$name.log"
    stopOwnBuses
    took=$(($(date +%s) - faultStart))
    if [ "$took" -gt "$slowest" ]; then slowest=$took slowestName=$name; fi
done 3<<<"$selected"

elapsed=$(($(date +%s) - runStart))
echo "caught $caught, survived $survived, did not build $nobuild (of $total)"
echo "$elapsed s in all, $((elapsed / total)) s a fault on average, slowest $slowest s ($slowestName)"
