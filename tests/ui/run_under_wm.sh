#!/bin/sh
# Runs a window test program under Xvfb with the openbox window manager, which draws real
# frames; exits 77 (skipped) when xvfb-run or openbox is not installed.
if ! command -v xvfb-run >/dev/null 2>&1 || ! command -v openbox >/dev/null 2>&1; then
    echo "xvfb-run or openbox is not installed: skipped"
    exit 77
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    # A window mapped while the manager starts may never be managed: wait until it is running.
    if command -v xprop >/dev/null 2>&1; then
        for i in $(seq 50); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
            sleep 0.1
        done
    else
        sleep 2
    fi
    QT_QPA_PLATFORM=xcb "$@"
    status=$?
    kill $wm 2>/dev/null
    exit $status
' run_under_wm "$@"
