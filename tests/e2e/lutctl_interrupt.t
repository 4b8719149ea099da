An interrupt while lutctl waits for the operator closes the box once; no
record is written for a test that did not end, and lutctl ends by the
signal.

  $ . "$E2E_LIB"

SIGTERM stands for them all here (a background job of a script ignores
SIGINT). Windows has no signals, and Wine cannot send the console events that stand
for them there.

  $ [ "${LUTBOX_SHELL:-}" = wine-cmd ] && exit 80
  [1]

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
