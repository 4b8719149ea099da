lutctl selftest: the console's production self-test with a verdict, an exit
status and a record that reaches the disk before the verdict is shown.

  $ . "$E2E_LIB"
  $ T='[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}[+-][0-9]{2}:[0-9]{2}'

A passing run, then one whose Ethernet port does not open, recorded to CSV:
the header once, one line per run. Without a terminal the LEDs are set and
no one is asked. Without the Ethernet port the LEDs are never shown (as at
the console) and count as failed.

  $ lutctl selftest --lang en --record line.csv --station line-7; status
  USB port:
    MCU firmware: V1.04.2 2026-09-18
    Serial number: KX3D-2611-00427
    Product name: LB-3D100
    W25Qxxx ID: EF17
  Ethernet port:
    MCU firmware: V1.04.2 2026-09-18
    Serial number: KX3D-2611-00427
    Product name: LB-3D100
    W25Qxxx ID: EF17
  Ports: pass
  LEDs red: skipped
  LEDs green: skipped
  Record: line.csv
  Verdict: pass
  status 0
  $ journal
  KX_DEV_TestUSB_Init => 0
  KX_DEV_TestUSB_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_TestUSB_GetSN 0 @buf => 0 "KX3D-2611-00427"
  KX_DEV_TestUSB_GetName 0 @buf => 0 "LB-3D100"
  KX_DEV_TestUSB_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_TestETH_Init => 0
  KX_DEV_TestETH_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_TestETH_GetSN 0 @buf => 0 "KX3D-2611-00427"
  KX_DEV_TestETH_GetName 0 @buf => 0 "LB-3D100"
  KX_DEV_TestETH_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_Set_IndicatorLEDStatus 1 => 0
  KX_DEV_Set_IndicatorLEDStatus 2 => 0
  KX_DEV_DeInit => 0
  $ KXSIM_RESULTS=KX_DEV_TestETH_Init=-1 lutctl --lang en selftest --station line-7 --record line.csv > out; status
  status 1
  $ tail -n 5 out
  lutctl: KX_DEV_TestETH_Init failed (-1)
    not opened (-1)
  Ports: fail
  Record: line.csv
  Verdict: fail
  $ journal | tail -n 2
  KX_DEV_TestETH_Init => -1
  KX_DEV_DeInit => 0
  $ cat line.csv
  time,station,serial,product,mcu_version,w25q_id,usb,ethernet,leds_red,leds_green,verdict
  \d{4}-.*,line-7,KX3D-2611-00427,LB-3D100,V1.04.2 2026-09-18,EF17,pass,pass,skipped,skipped,pass (re)
  \d{4}-.*,line-7,KX3D-2611-00427,LB-3D100,V1.04.2 2026-09-18,EF17,pass,fail,fail,fail,fail (re)
  $ cut -d, -f1 line.csv | tail -n 2 | grep -Ecx "$T"
  2

JSON Lines for any other file name, and --json prints the same record. A
failed USB reading leaves its field empty; the Ethernet port's reading of
the same value does not stand in for it.

  $ lutctl selftest --json --record line.jsonl; status
  {"time": "*", "station": "", "serial": "KX3D-2611-00427", "product": "LB-3D100", "mcu_version": "V1.04.2 2026-09-18", "w25q_id": "EF17", "usb": "pass", "ethernet": "pass", "leds_red": "skipped", "leds_green": "skipped", "verdict": "pass"} (glob)
  status 0
  $ KXSIM_RESULTS=KX_DEV_TestUSB_GetSN=-1 lutctl selftest --json --record line.jsonl > /dev/null; status
  status 1
  $ cat line.jsonl
  {"time": "*", "station": "", "serial": "KX3D-2611-00427", "product": "LB-3D100", "mcu_version": "V1.04.2 2026-09-18", "w25q_id": "EF17", "usb": "pass", "ethernet": "pass", "leds_red": "skipped", "leds_green": "skipped", "verdict": "pass"} (glob)
  {"time": "*", "station": "", "serial": "", "product": "LB-3D100", "mcu_version": "V1.04.2 2026-09-18", "w25q_id": "EF17", "usb": "fail", "ethernet": "pass", "leds_red": "skipped", "leds_green": "skipped", "verdict": "fail"} (glob)
  $ rm journal

Asking: one key per colour, anything but y or n ignored; a no fails the
test. The end of the input counts as no. A failing LED call is not asked
about.

  $ printf 'x\ny\nN' | lutctl selftest --leds ask > out; status
  status 1
  $ tail -n 5 out
  Are all indicator LEDs red? [y/n] y
  LEDs red: yes
  Are all indicator LEDs green? [y/n] n
  LEDs green: no
  Verdict: fail
  $ printf 'y' | KXSIM_RESULTS=KX_DEV_Set_IndicatorLEDStatus=-3 lutctl --lang zh selftest --leds ask > out; status
  status 1
  $ tail -n 5 out
  lutctl: KX_DEV_Set_IndicatorLEDStatus 失败 (-3)
  指示灯红色: fail
  指示灯是否全为绿色? [y/n] y
  指示灯绿色: yes
  结论: fail
  $ rm journal

Record fields are quoted where CSV needs it; JSON escapes what it must, and
every byte outside printable ASCII (a control byte here: Wine re-encodes
others on their way through the environment), so that any reply of the box
makes a valid line.

  $ export KXSIM_TEXT=$(printf 'A,"b" \\\001')
  $ lutctl selftest --record q.csv --station 'bay 2' > /dev/null; status
  status 0
  $ lutctl selftest --json | grep -o '"serial": "[^ ]* [^ ]*'
  "serial": "A,\"b\" \\\u0001",
  $ tail -n 1 q.csv | cut -d, -f2-
  bay 2,"A,""b"" \\\x01","A,""b"" \\\x01","A,""b"" \\\x01","A,""b"" \\\x01",pass,pass,skipped,skipped,pass (esc)
  $ unset KXSIM_TEXT; rm journal

A record file that cannot be opened fails the run before the box is opened:
no test whose result would be lost.

  $ lutctl selftest --record no/such/dir/line.csv --lang en; status
  lutctl: the record cannot be written to no/such/dir/line.csv
  status 1
  $ journal

Only a regular file keeps records: a FIFO, a device or a directory is
refused at once, before the box is opened, and nothing waits for a reader.

  $ mkdir dir.csv
  $ for name in $(not_regular_files csv) dir.csv; do
  >   lutctl selftest --record $name --lang en | sed "s/$name/NAME/"; status ${PIPESTATUS[0]}
  > done
  lutctl: the record cannot be written to NAME
  status 1
  lutctl: the record cannot be written to NAME
  status 1
  lutctl: the record cannot be written to NAME
  status 1
  lutctl: the record cannot be written to NAME
  status 1
  $ journal
