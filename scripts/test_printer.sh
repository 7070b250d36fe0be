# Sourced by scripts/test: a CUPS scheduler of our own (there is no systemd here) with a PDF queue as the
# system's default printer, for the end-to-end print test. stop_test_printer ends only the cupsd started here.
TEST_CUPSD_PID=""

start_test_printer() {
    if ! lpstat -r 2>/dev/null | grep -q "scheduler is running"; then
        /usr/sbin/cupsd -f &
        TEST_CUPSD_PID=$!
        tries=0
        until lpstat -r 2>/dev/null | grep -q "scheduler is running"; do
            tries=$((tries + 1))
            [ "$tries" -le 50 ] || { echo "cupsd did not start" >&2; return 1; }
            sleep 0.2
        done
    fi
    lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -o PageSize=A4 -o TitlePref=1 2>/dev/null
    lpadmin -d PDF
}

stop_test_printer() {
    if [ -n "$TEST_CUPSD_PID" ]; then
        kill "$TEST_CUPSD_PID" 2>/dev/null || true
        wait "$TEST_CUPSD_PID" 2>/dev/null || true
        TEST_CUPSD_PID=""
    fi
}
