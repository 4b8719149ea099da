What only the POSIX builds can show of lutctl: an interrupt, FIFOs and
devices as record files, the file-size limit, a lock held by another
process, a disk that takes no more bytes, and the time zone's offset in a
record.

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

A record goes into a regular file only: a FIFO (with a reader or without)
or a device is refused at once, before the box is opened, and nothing
waits.

  $ mkfifo fifo.csv
  $ timeout 10 $LUTCTL selftest --record fifo.csv; status
  lutctl: the record cannot be written to fifo.csv
  status 1
  $ exec 8<> fifo.csv
  $ timeout 10 $LUTCTL selftest --record fifo.csv; status
  lutctl: the record cannot be written to fifo.csv
  status 1
  $ exec 8<&-
  $ for device in /dev/null /dev/full; do lutctl selftest --record $device; status; done
  lutctl: the record cannot be written to /dev/null
  status 1
  lutctl: the record cannot be written to /dev/full
  status 1
  $ journal

A write past the file-size limit fails like any other: the fragment that
fitted is cut off again, the run fails with a message, and the next
record lands whole on its own line.

  $ printf '%999s\n' '' | tr ' ' '#' > limit.csv
  $ (ulimit -f 1; lutctl selftest --record limit.csv | tail -n 2; exit ${PIPESTATUS[0]}); status
  lutctl: the record cannot be written to limit.csv
  Verdict: pass
  status 1
  $ wc -c < limit.csv
  1000
  $ lutctl selftest --record limit.csv > /dev/null; status
  status 0
  $ wc -l < limit.csv
  2
  $ tail -n 1 limit.csv | tr -cd , | wc -c
  10
  $ rm journal

Two stations that find the record file empty at the same time: the one
that holds the file's lock writes the header, the other waits for it and
writes its record alone. The holder here is a script that writes once
lutctl has closed the box, that is while lutctl wants to write.

  $ H=time,station,serial,product,mcu_version,w25q_id,usb,ethernet,leds_red,leds_green,verdict
  $ : > two.csv
  $ (exec 9>> two.csv; flock 9; touch held
  >  until grep -q DeInit journal 2> /dev/null; do sleep 0.05; done; sleep 0.3
  >  printf '%s\nline-7\n' "$H" >&9) &
  $ until [ -e held ]; do sleep 0.05; done
  $ lutctl selftest --record two.csv --station line-8 > /dev/null; status
  status 0
  $ wait
  $ grep -c '^time,' two.csv
  1
  $ sed -n 2p two.csv; sed -n 3p two.csv | cut -d, -f2
  line-7
  line-8
  $ rm journal

Output that cannot be written (a full disk) fails the run with a message.

  $ $LUTCTL --json info 2>&1 > /dev/full; status
  lutctl: standard output cannot be written
  status 1
  $ $LUTCTL --help > /dev/full; status
  lutctl: standard output cannot be written
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
