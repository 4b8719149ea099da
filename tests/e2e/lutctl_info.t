lutctl info: the console's seven identity and status queries in one open
of the box, as label lines or one JSON object.

  $ . "$E2E_LIB"

The W25Qxxx is asked for its manufacturer ID (0x90, as the self-test asks),
the S25F with parameter 0; the index of the other queries is 0.

  $ lutctl info; status
  Devices: 1
  Product name: LB-3D100
  Serial number: KX3D-2611-00427
  MCU firmware: V1.04.2 2026-09-18
  W25Qxxx ID: EF17
  S25Fxxx ID: 010219
  USB flash file: LUT_FILM_33P.cube
  LMH0341 format: 1080p50 3G-SDI Level A
  status 0
  $ journal
  KX_DEV_Init => 1
  KX_DEV_GetName 0 @buf => 0 "LB-3D100"
  KX_DEV_GetSN 0 @buf => 0 "KX3D-2611-00427"
  KX_DEV_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_GetDevicePara 3 0 @buf => 0 "010219"
  KX_DEV_GetDevicePara 1 0 @buf => 0 "LUT_FILM_33P.cube"
  KX_DEV_GetLMH0341Format 0 @buf => 0 "1080p50 3G-SDI Level A"
  KX_DEV_DeInit => 0

A failing query is null in JSON (failed in the text) and fails the run; the
others are still asked. Chinese is the default where the system's language
is Chinese.

  $ KXSIM_RESULTS=KX_DEV_GetSN=-1 lutctl --json info; status
  lutctl: KX_DEV_GetSN failed (-1)
  {"devices": 1, "product": "LB-3D100", "serial": null, "mcu_version": "V1.04.2 2026-09-18", "w25q_id": "EF17", "s25f_id": "010219", "usb_file": "LUT_FILM_33P.cube", "lmh0341_format": "1080p50 3G-SDI Level A"}
  status 1
  $ KXSIM_RESULTS=KX_DEV_GetDevicePara=0/-2 LC_ALL=zh_CN.UTF-8 $LUTBOX_RUN $LUTCTL info 2> /dev/null | console_lines | sed -n 4,5p
  MCU固件版本: V1.04.2 2026-09-18
  W25Qxxx ID: 失败 (-2)
  $ journal | grep -c DeInit
  2

The open failing: every value null, one close.

  $ KXSIM_RESULTS=KX_DEV_Init=-1 lutctl info --json; status
  lutctl: KX_DEV_Init failed (-1)
  {"devices": null, "product": null, "serial": null, "mcu_version": null, "w25q_id": null, "s25f_id": null, "usb_file": null, "lmh0341_format": null}
  status 1
  $ journal
  KX_DEV_Init => -1
  KX_DEV_DeInit => 0

A failed call is said on standard error, with --json too; the JSON stays
alone on standard output.

  $ KXSIM_RESULTS=KX_DEV_GetSN=-1 $LUTBOX_RUN $LUTCTL --json info 2>&1 > /dev/null | console_lines
  lutctl: KX_DEV_GetSN failed (-1)
  $ KXSIM_RESULTS=KX_DEV_GetSN=-1 $LUTBOX_RUN $LUTCTL --json info 2> /dev/null | grep -c '"serial": null'
  1
  $ rm journal

A close of the box that fails fails the run, whatever the command: the
result stands as it was, and the call is named on standard error.

  $ export KXSIM_RESULTS=KX_DEV_DeInit=-6
  $ for command in info selftest 'set mode 1' reset-fpga 'erase-luts --yes'; do
  >   $LUTBOX_RUN $LUTCTL $command 2>&1 > /dev/null | console_lines; echo "$command: status ${PIPESTATUS[0]}"
  > done
  lutctl: KX_DEV_DeInit failed (-6)
  info: status 1
  lutctl: KX_DEV_DeInit failed (-6)
  selftest: status 1
  lutctl: KX_DEV_DeInit failed (-6)
  set mode 1: status 1
  lutctl: KX_DEV_DeInit failed (-6)
  reset-fpga: status 1
  lutctl: KX_DEV_DeInit failed (-6)
  erase-luts --yes: status 1
  $ lutctl --json info | tail -n 1
  lutctl: KX_DEV_DeInit failed (-6)
  $ journal | grep -c DeInit
  6
  $ unset KXSIM_RESULTS
