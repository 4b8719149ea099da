The signals that end a POSIX process besides an interrupt close the box as
an interrupt does: a closed output (SIGPIPE) and Ctrl-\ (SIGQUIT) end the
tool through its usual shutdown, with the terminal's mode put back, and it
then dies by the signal; the file-size limit (SIGXFSZ) kills nothing, its
write fails instead.

  $ . "$E2E_LIB"
  $ ulimit -c 0

Windows has none of these signals; its console events are caught instead,
which Wine cannot send here.

  $ [ "${LUTBOX_SHELL:-}" = wine-cmd ] && exit 80
  [1]

The console's output closed, as by "lutbox | head -c 20" (the pipe is a
named one here, so that the test knows when head has ended): the first
word's answer reaches head, which has then read its 20 bytes and ended; the
next word's answer meets a closed pipe.

  $ mkfifo commands output
  $ head -c 20 output > shown &
  $ reader=$!
  $ $LUTBOX < commands > output &
  $ exec 3> commands
  $ printf 'devInit\n' >&3
  $ wait $reader
  $ printf 'getSN\n' >&3
  $ exec 3>&-
  $ wait $!
  [141]
  $ iconv -f GBK -t UTF-8 shown; echo
  请输入命令: ->Dev_Nu
  $ journal
  KX_DEV_Init => 1
  KX_DEV_Init => 1
  KX_DEV_GetSN 0 @buf => 0 "KX3D-2611-00427"
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

Where SIGPIPE was ignored from the start the write merely fails: the
console reads on to the end of its input and ends as usual, closing the box
once.

  $ (trap '' PIPE; printf 'devInit\ngetSN\ngetSN\n' | $LUTBOX | true; echo "status ${PIPESTATUS[1]}")
  status 0
  $ journal
  KX_DEV_Init => 1
  KX_DEV_Init => 1
  KX_DEV_GetSN 0 @buf => 0 "KX3D-2611-00427"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetSN 0 @buf => 0 "KX3D-2611-00427"
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

SIGQUIT while the console waits for a word, the box open. A background job
of a script starts with SIGQUIT ignored, which the console would keep; env
gives it the default. The signal is pending before the input ends, and the
shell's report of the job's end is left out.

  $ env --default-signal=QUIT $LUTBOX < commands > out &
  $ exec 3> commands
  $ printf 'devInit\n' >&3
  $ until grep -q Dev_Num out 2> /dev/null; do sleep 0.1; done
  $ { kill -QUIT $!; exec 3>&-; wait $!; } 2> /dev/null
  [131]
  $ journal
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0

lutctl's output closed while it waits for the operator: the answer's echo
meets the closed pipe, the box is closed, no further LED is shown, and
lutctl dies by SIGPIPE.

  $ mkfifo keys
  $ head -c 1 output > /dev/null &
  $ reader=$!
  $ $LUTCTL selftest --leds ask < keys > output 2> /dev/null &
  $ exec 3> keys
  $ wait $reader
  $ printf y >&3
  $ exec 3>&-
  $ wait $!
  [141]
  $ journal | tail -n 2
  KX_DEV_Set_IndicatorLEDStatus 1 => 0
  KX_DEV_DeInit => 0

Ctrl-\ at the terminal while lutctl waits for the operator's key, which it
reads without echo: the box is closed, the terminal has its echo and line
mode back, and lutctl dies by SIGQUIT.

  $ python3 "$(dirname "$E2E_LIB")/in_pty.py" 'red?' '\x1c' -- $LUTCTL selftest --leds ask
  signal 3
  icanon echo
  $ journal | tail -n 2
  KX_DEV_Set_IndicatorLEDStatus 1 => 0
  KX_DEV_DeInit => 0

Under a file-size limit (ulimit -f) a write beyond it fails, and nothing is
killed by SIGXFSZ (status 153): the record that cannot be written fails
lutctl's run, the console writes its output to a file in vain but runs on
to the end of its input, and lutprep's output file is not written. The
simulated box's journal is a file too, so it is left out here.

  $ unset KXSIM_JOURNAL
  $ (ulimit -f 0; $LUTCTL selftest --record line.csv > /dev/null 2>&1); status
  status 1
  $ printf 'devInit\ngetSN\n' | (ulimit -f 0; $LUTBOX > out); status
  status 0
  $ python3 "$(dirname "$E2E_LIB")/lutgen.py" write cube:17=in.cube
  $ (ulimit -f 0; $LUTPREP convert in.cube converted.cube > /dev/null 2>&1); status
  status 1
