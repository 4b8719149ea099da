lutctl set, reset-fpga and erase-luts: the console's calls and codes, with
names matched whole and in any letter case and numbers checked, and the
command line's refusals: a usage line, status 2, the box not opened.

  $ . "$E2E_LIB"

Every setting, options before or after the command word.

  $ lutctl set source hdmi && lutctl --json set lutmode P3 && lutctl set hdmi 2 && lutctl set mode -- -3 &&
  > lutctl set reg1 -2147483648 && lutctl set reg3 33 --lang en && lutctl reset-fpga && lutctl erase-luts --yes
  set source hdmi (3): ok
  {"command": "set", "setting": "lutmode", "value": "P3", "code": 4, "result": 0, "ok": true}
  set hdmi 2 (2): ok
  set mode -3 (-3): ok
  set reg1 -2147483648 (-2147483648): ok
  set reg3 33 (33): ok
  reset-fpga: ok
  erase-luts: ok
  $ journal
  KX_DEV_Init => 1
  KX_DEV_SetSourceMode 0 3 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetLutCtrlStatus 0 4 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set_HDMIOutStatus 2 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetMode 0 -3 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetFPGAREG1 0 -2147483648 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_Points 0 33 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetFPGAReset 0 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set_W25QXX_All_Chip_Erase 0 => 0
  KX_DEV_DeInit => 0

A failing call fails the run.

  $ KXSIM_RESULTS=KX_DEV_SetSourceMode=-4 lutctl set source SDI; status
  lutctl: KX_DEV_SetSourceMode failed (-4)
  set source SDI (2): failed (-4)
  status 1
  $ rm journal

Refused before the box is opened: names the console would take by a part
or by default (source:hdmi sends SMPTE there), numbers that are not whole
decimal integers of 32 bits, erase-luts without --yes, unknown commands,
options and settings, an option of another command, a missing operand.

  $ for args in 'set source HDMI_SDI' 'set lutmode 601' 'set reg1 0x10' 'set hdmi 2147483648' 'set mode 1.5' \
  >   'set mode ""' erase-luts 'fpga-reset' 'info --frob' 'set gain 1' 'info --verify' 'load' '--lang fr info'; do
  >   eval lutctl "$args"; status
  > done
  lutctl: unknown source 'HDMI_SDI'; valid: SMPTE, USER, SDI, HDMI, CALIB
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: unknown lutmode '601'; valid: OFF, 709, EBU, SMPTE, P3
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: reg1 takes a whole decimal number from -2147483648 to 2147483647, not '0x10'
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: hdmi takes a whole decimal number from -2147483648 to 2147483647, not '2147483648'
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: mode takes a whole decimal number from -2147483648 to 2147483647, not '1.5'
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: mode takes a whole decimal number from -2147483648 to 2147483647, not ''
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: erase-luts erases every LUT in the box's flash: give --yes to run it
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: unknown command 'fpga-reset'; valid: info, selftest, load, set, reset-fpga, erase-luts, patch, patchgen, watch
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: unknown option '--frob'
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: unknown setting 'gain'; valid: source, lutmode, hdmi, mode, reg1, reg3
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: info does not take --verify
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: load needs a FILE
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  lutctl: unknown language 'fr'; valid: en, zh
  usage: lutctl [--json] [--lang en|zh] info|selftest|load|set|reset-fpga|erase-luts|patch|patchgen|watch ... (see lutctl --help)
  status 2
  $ journal
  $ lutctl --version
  lutctl 1.0.0

Without the device library beside it (or with one that lacks an entry
point): status 3.

  $ tool=$(basename "$LUTCTL")
  $ mkdir alone missing && cp "$LUTCTL" alone/ && cp "$LUTCTL" "$LUTBOX_BUILD/variants/missing-last/KX_DEV_LUTLOADER.dll" missing/
  $ LUTCTL="alone/$tool" lutctl info; status
  lutctl: the device library KX_DEV_LUTLOADER.dll cannot be loaded
  status 3
  $ LUTCTL="missing/$tool" lutctl info; status
  lutctl: the device library KX_DEV_LUTLOADER.dll lacks entry points
  status 3
  $ journal
