On Windows a console event (Ctrl-C, Ctrl-Break, a closed window, a logoff,
a shutdown) reaches the tool's handler on a thread of its own: the box is
closed once, and the process ends (STATUS_CONTROL_C_EXIT, of which the
shell sees the low 8 bits, 58). Under Wine a Ctrl-C typed at a terminal is
such an event.

  $ . "$E2E_LIB"
  $ inpty() { python3 "$(dirname "$E2E_LIB")/in_pty.py" "$@"; }

The POSIX builds take the same keys as signals (signals.t).

  $ [ "${LUTBOX_SHELL:-}" = wine-cmd ] || exit 80

Ctrl-C while the console waits for its first word: the handler's close and
the shutdown's are one. (A word typed at Wine's console before it reads can
be lost, so none is typed.)

  $ inpty '->' '\x03' -- $LUTBOX_RUN $LUTBOX
  status 58
  icanon echo
  $ journal
  KX_DEV_DeInit => 0

Ctrl-C while lutctl waits for the operator's key at the LED question: the
key is read with Ctrl-C still an event, so the question does not hold the
box open.

  $ inpty 'red?' '\x03' -- $LUTBOX_RUN $LUTCTL selftest --leds ask
  status 58
  icanon echo
  $ journal | tail -n 2
  KX_DEV_Set_IndicatorLEDStatus 1 => 0
  KX_DEV_DeInit => 0
