#!/usr/bin/env bash
# /processes and /threads against a fixture with two GUI threads that writes
# down its own threads and windows: the JSON passes the schema and agrees with
# the fixture's list; the text form; the exit statuses.
source "$(dirname "$0")/lib.sh"

TARVISK="$TARVISK_WIN_BUILD/Tarvisk.exe"
SCHEMA="$TARVISK_SOURCE/docs/tarvisk-processes.schema.json"
OUT="$ARTIFACTS/processes"
rm -rf "$OUT"
mkdir -p "$OUT"

cli() { "$WINE_RUN" "$TARVISK" "$@" </dev/null; }
validate() {
  python3 - "$SCHEMA" "$1" <<'PY'
import json, sys
import jsonschema
jsonschema.Draft202012Validator(json.load(open(sys.argv[1]))).validate(json.load(open(sys.argv[2], encoding="utf-8")))
PY
}

start_program "$TARVISK_WIN_BUILD/fixtures/ProcessesFixture.exe" threads "$(winpath "$OUT/own.txt")"
check "the fixture lists its own threads" wait_for 15 test -s "$OUT/own.txt"
sed -i 's/\r$//' "$OUT/own.txt"
pid=$(awk '/^pid/ {print $2}' "$OUT/own.txt")

cli /processes /format json >"$OUT/processes.json"
check "/processes succeeds" test $? = 0
check "/processes passes the schema" validate "$OUT/processes.json"
cli /threads "$pid" /format json >"$OUT/threads.json"
check "/threads succeeds" test $? = 0
check "/threads passes the schema" validate "$OUT/threads.json"
cli /processes /all /format json >"$OUT/all.json"
check "/processes /all passes the schema" validate "$OUT/all.json"

# Each thread the fixture made holds the windows it made (the system may add
# windows of its own to a thread), and /processes counts what /threads lists.
agree() {
  python3 - "$OUT/own.txt" "$OUT/processes.json" "$OUT/threads.json" "$OUT/all.json" <<'PY'
import json, sys
own = [l.split() for l in open(sys.argv[1])]
pid = int(own[0][1])
threads = {int(l[1]): [int(h) for h in l[2:]] for l in own if l[0] == "thread"}
procs = {p["processId"]: p for p in json.load(open(sys.argv[2]))["processes"]}
one = json.load(open(sys.argv[3]))
every = {p["processId"]: p for p in json.load(open(sys.argv[4]))["processes"]}
assert set(procs) <= set(every), "/all leaves none out"
p = procs[pid]
assert p["executable"] == "ProcessesFixture.exe", p
assert one["processId"] == pid and one["executable"] == p["executable"]
listed = {t["threadId"]: t["windows"] for t in one["threads"]}
counts = {t["threadId"]: t["windows"] for t in p["threads"]}
for tid, handles in threads.items():
    assert set(handles) <= set(listed[tid]), (tid, handles, listed[tid])
    assert counts[tid] == len(listed[tid]), (tid, counts[tid], listed[tid])
assert threads.keys() <= counts.keys()
assert p["windows"] == sum(counts.values())
assert all(t["hung"] == "no" for t in one["threads"] if t["windows"]), one
PY
}
check "the lists agree with the fixture's own" agree

text=$(cli /threads "$pid" | tr -d '\r')
first=$(sed -n 2p "$OUT/own.txt")
tid=$(echo "$first" | cut -d' ' -f2)
hex=$(printf '0x%08X' "$(echo "$first" | cut -d' ' -f3)")
check "the text form names a thread and its window" grep -q "^$tid: .*$hex" <<<"$text"
check "/processes text names the fixture" grep -q "^$pid ProcessesFixture.exe" <<<"$(cli /processes | tr -d '\r')"

cli /threads 99999999 >/dev/null 2>&1
check "no such process: status 2" test $? = 2
cli /threads >/dev/null 2>&1
check "no process id: status 1" test $? = 1
cli /processes /bogus >/dev/null 2>&1
check "an unknown option: status 1" test $? = 1
echo "PASS"
