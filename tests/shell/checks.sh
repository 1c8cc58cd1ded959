# Shared by the shell tests (source it): one PASS or FAIL line per check, a
# count of the failures, and whether the program under test ($pid) still runs.
failures=0
pid=

pass() { echo "PASS: $*"; }
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# alive: the program has not ended (a zombie waiting to be reaped has ended).
alive() {
    local state
    [ -n "$pid" ] && state=$(ps -o stat= -p "$pid" 2>/dev/null) && [[ $state != Z* ]]
}
