An interrupt ends the tool through its usual shutdown: the device is closed
once, however the commands left it, and the tool ends by the signal.

  $ . "$E2E_LIB"

Windows has no signals: a console's Ctrl-C and a closed window reach the
tool as console events, which Wine cannot send here.

  $ [ "${LUTBOX_SHELL:-}" = wine-cmd ] && exit 80
  [1]

After "devInit" the device is open, and the tool waits for the next word.
SIGTERM (as Ctrl-C sends SIGINT, and a closed terminal SIGHUP) ends the
wait.

  $ mkfifo commands
  $ $LUTBOX < commands > out &
  $ exec 3> commands
  $ printf 'devInit\n' >&3
  $ until grep -q Dev_Num out 2> /dev/null; do sleep 0.1; done
  $ kill -TERM $!
  $ for i in $(seq 100); do kill -0 $! 2> /dev/null || break; sleep 0.1; done
  $ kill -0 $! 2> /dev/null && echo still waiting for input
  [1]
  $ exec 3>&-
  $ wait $!
  [143]
  $ iconv -f GBK -t UTF-8 out
  请输入命令: ->Dev_Num = 1
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0

A word cut short by the interrupt does not run: here the start of
FPGA_REG1:12, and no device call but the shutdown's close is made.

  $ mkfifo partial
  $ $LUTBOX < partial > out &
  $ exec 3> partial
  $ printf 'FPGA_REG1:1' >&3
  $ until grep -q -- '->' out 2> /dev/null; do sleep 0.1; done
  $ sleep 0.3
  $ kill -TERM $!
  $ for i in $(seq 100); do kill -0 $! 2> /dev/null || break; sleep 0.1; done
  $ kill -0 $! 2> /dev/null && echo still waiting for input
  [1]
  $ exec 3>&-
  $ wait $!
  [143]
  $ iconv -f GBK -t UTF-8 out
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_DeInit => 0
