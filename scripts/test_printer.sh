# Sourced by scripts/test: a CUPS scheduler of our own, with its whole configuration in a temporary folder and
# listening only on a socket there, whose one queue "PDF" (cups-pdf, A4) is its default printer. CUPS_SERVER points
# the tests (and lpadmin) at it, so no system setting is touched and a system scheduler may run beside it.
# stop_test_printer ends only the cupsd started here and removes its folder.
TEST_CUPSD_PID=""
TEST_CUPS_DIR=""

start_test_printer() {
    TEST_CUPS_DIR=$(mktemp -d "${TMPDIR:-/tmp}/plicario-cups.XXXXXX")
    d=$TEST_CUPS_DIR
    chmod 0755 "$d" # the filters run as the scheduler's own user
    mkdir -p "$d/spool/tmp" "$d/cache" "$d/state" "$d/log" "$d/ssl"
    cat >"$d/cupsd.conf" <<CONF
Listen $d/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
    cat >"$d/cups-files.conf" <<CONF
ServerRoot $d
RequestRoot $d/spool
TempDir $d/spool/tmp
CacheDir $d/cache
StateDir $d/state
ServerKeychain $d/ssl
AccessLog $d/log/access_log
ErrorLog $d/log/error_log
PageLog $d/log/page_log
CONF
    /usr/sbin/cupsd -f -c "$d/cupsd.conf" -s "$d/cups-files.conf" &
    TEST_CUPSD_PID=$!
    CUPS_SERVER="$d/cups.sock"
    export CUPS_SERVER
    tries=0
    until lpstat -r 2>/dev/null | grep -q "scheduler is running"; do
        tries=$((tries + 1))
        [ "$tries" -le 50 ] || { echo "cupsd did not start" >&2; cat "$d/log/error_log" >&2 2>/dev/null; return 1; }
        sleep 0.2
    done
    lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -o PageSize=A4 -o TitlePref=1 2>/dev/null
    lpadmin -d PDF
}

stop_test_printer() {
    if [ -n "$TEST_CUPSD_PID" ]; then
        kill "$TEST_CUPSD_PID" 2>/dev/null || true
        wait "$TEST_CUPSD_PID" 2>/dev/null || true
        TEST_CUPSD_PID=""
    fi
    if [ -n "$TEST_CUPS_DIR" ]; then
        rm -rf "$TEST_CUPS_DIR"
        TEST_CUPS_DIR=""
    fi
    unset CUPS_SERVER
}
