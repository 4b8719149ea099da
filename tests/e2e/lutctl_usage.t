lutctl's command line, under cli/'s rules: -h is --help at the top and
after a command word, with each command's options, defaults and values from
the tables; a repeated or unknown option is a usage error before or after
the command word, with the box never opened.

  $ . "$E2E_LIB"
  $ lutctl -h | sed -n '1p;3,4p'
  lutctl 1.0.0: the LUT loader box from scripts and on the production line
  usage: lutctl info [--json] [--lang en|zh]
         lutctl selftest [--json] [--lang en|zh] [--record FILE] [--station NAME] [--leds ask|skip]
  $ lutctl -h | tail -n 1
  Exit status: 0 success; 1 a device call, check, test or verification failed; 2 usage; 3 the device library cannot be loaded or bound.
  $ lutctl set --help | sed -n '1p;5,7p'
  usage: lutctl set [--json] [--lang en|zh] SETTING VALUE
  Settings:
    source       SMPTE|USER|SDI|HDMI|CALIB
    lutmode      OFF|709|EBU|SMPTE|P3
  $ lutctl selftest -h | grep -e --leds
  usage: lutctl selftest [--json] [--lang en|zh] [--record FILE] [--station NAME] [--leds ask|skip]
        --leds ask|skip      whether the operator is asked about the LEDs (default: ask when standard input is a terminal, else skip)
  $ lutctl --version info
  lutctl 1.0.0
  $ for args in '-x info' 'info -x' '--json info --json' 'load -h -h' 'set --bogus reg1 1'; do
  >   eval lutctl "$args"; echo "status $?"
  > done
  lutctl: unknown option '-x'
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: unknown option '-x'
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: --json given twice
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: --help given twice
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: unknown option '--bogus'
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  $ test -e journal || echo "box never opened"
  box never opened
