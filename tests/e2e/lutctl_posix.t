What only the POSIX builds can show of lutctl: an interrupt, a disk that
takes no more bytes, and the time zone's offset in a record.

  $ . "$E2E_LIB"

Windows has no signals, Wine cannot send the console events that stand for
them there, and it has neither /dev/full nor POSIX time zone strings.

  $ [ "${LUTBOX_SHELL:-}" = wine-cmd ] && exit 80
  [1]

An interrupt while lutctl waits for the operator closes the box once; no
record is written for a test that did not end, and lutctl ends by the
signal. SIGTERM stands for them all here (a background job of a script
ignores SIGINT).

  $ mkfifo keys
  $ $LUTCTL selftest --leds ask --record line.csv < keys > out 2>&1 &
  $ exec 3> keys
  $ until grep -q 'red?' out 2> /dev/null; do sleep 0.1; done
  $ kill -TERM $!
  $ wait $!
  [143]
  $ exec 3>&-
  $ tail -n 1 out
  Are all indicator LEDs red? [y/n] 
  $ journal | tail -n 2
  KX_DEV_Set_IndicatorLEDStatus 1 => 0
  KX_DEV_DeInit => 0
  $ wc -c < line.csv
  0

A record that opens but cannot reach the disk: the verdict is shown, and
the run fails with a message.

  $ lutctl selftest --record /dev/full | tail -n 2; lutctl selftest --record /dev/full > /dev/null; status
  lutctl: the record cannot be written to /dev/full
  Verdict: pass
  status 1
  $ rm journal

The local time carries its offset from UTC, in hours and minutes.

  $ TZ=IST-5:30 lutctl selftest --json | grep -o '"time": "[^"]*"' | grep -Ec '\+05:30"$'
  1
  $ TZ=NST3:30 lutctl selftest --json | grep -o '"time": "[^"]*"' | grep -Ec -- '-03:30"$'
  1

Ctrl-C ends lutctl watch, during its wait for a change, and closes the box
once (SIGTERM stands for it, as above).

  $ journal > /dev/null
  $ python3 "$(dirname "$E2E_LIB")/lutgen.py" write cube:17=film.cube
  $ $LUTCTL watch film.cube > out 2>&1 &
  $ for i in $(seq 300); do grep -q loaded out && break; sleep 0.1; done
  $ kill -TERM $!
  $ wait $!
  [143]
  $ sed 's/^[-0-9T:+]* //' out
  film.cube: loaded, 17 points
  $ journal | grep -v lut:
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_DeInit => 0
