The full production self-test, typed as the GBK word "加载器测试": both
ports' readings, the verdict, the LED check with a pause, and one close of
its own at the end (the loop adds none).

  $ . "$E2E_LIB"
  $ t=$(printf '\xbc\xd3\xd4\xd8\xc6\xf7\xb2\xe2\xca\xd4')

Everything passing. The pause takes no input when standard input is not a
terminal, so the next word still runs. The index (144 here) is passed to
the serial-number and name readings and is left as it was.

  $ printf '%s\n' getW25q_144 "$t" getName exit | lutbox
  请输入命令: ->get W25Q EF17
  请输入命令: ->正在进行USB接口测试!
  MCU固件版本  : V1.04.2 2026-09-18
  产品序列号   : KX3D-2611-00427
  产品名称     : LB-3D100
  W25Qxxx厂商ID: EF17
  
  正在进行网口测试!
  MCU固件版本  : V1.04.2 2026-09-18
  产品序列号   : KX3D-2611-00427
  产品名称     : LB-3D100
  W25Qxxx厂商ID: EF17
  
  USB和网口通信测试成功.
  
  正在进行指示灯测试!
  请确认指示灯是否全为红色!
  Press any key to continue . . . 
  请确认指示灯是否全为绿色!
  
  全部测试结束，祝您好运!
  .
  请输入命令: ->Product Name: LB-3D100
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_DeInit => 0
  KX_DEV_TestUSB_Init => 0
  KX_DEV_TestUSB_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_TestUSB_GetSN 144 @buf => 0 "KX3D-2611-00427"
  KX_DEV_TestUSB_GetName 144 @buf => 0 "LB-3D100"
  KX_DEV_TestUSB_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_TestETH_Init => 0
  KX_DEV_TestETH_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_TestETH_GetSN 144 @buf => 0 "KX3D-2611-00427"
  KX_DEV_TestETH_GetName 144 @buf => 0 "LB-3D100"
  KX_DEV_TestETH_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_Set_IndicatorLEDStatus 1 => 0
  KX_DEV_Set_IndicatorLEDStatus 2 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetName 144 @buf => 0 "LB-3D100"
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

USB open failing, Ethernet passing: the Ethernet block, the failed verdict
and the LED phase all follow.

  $ printf '%s\n' "$t" exit | KXSIM_RESULTS=KX_DEV_TestUSB_Init=-1 lutbox
  请输入命令: ->正在进行USB接口测试!
  USB接口初始化失败!
  
  正在进行网口测试!
  MCU固件版本  : V1.04.2 2026-09-18
  产品序列号   : KX3D-2611-00427
  产品名称     : LB-3D100
  W25Qxxx厂商ID: EF17
  
  USB或网口通信测试失败!!
  
  正在进行指示灯测试!
  请确认指示灯是否全为红色!
  Press any key to continue . . . 
  请确认指示灯是否全为绿色!
  
  全部测试结束，祝您好运!
  .
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_TestUSB_Init => -1
  KX_DEV_TestETH_Init => 0
  KX_DEV_TestETH_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_TestETH_GetSN 0 @buf => 0 "KX3D-2611-00427"
  KX_DEV_TestETH_GetName 0 @buf => 0 "LB-3D100"
  KX_DEV_TestETH_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_Set_IndicatorLEDStatus 1 => 0
  KX_DEV_Set_IndicatorLEDStatus 2 => 0
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

USB passing, Ethernet open failing: no LED phase and no good-luck line,
and still exactly one close.

  $ printf '%s\n' "$t" exit | KXSIM_RESULTS=KX_DEV_TestETH_Init=-1 lutbox
  请输入命令: ->正在进行USB接口测试!
  MCU固件版本  : V1.04.2 2026-09-18
  产品序列号   : KX3D-2611-00427
  产品名称     : LB-3D100
  W25Qxxx厂商ID: EF17
  
  正在进行网口测试!
  网口初始化失败!
  
  USB或网口通信测试失败!!
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_TestUSB_Init => 0
  KX_DEV_TestUSB_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_TestUSB_GetSN 0 @buf => 0 "KX3D-2611-00427"
  KX_DEV_TestUSB_GetName 0 @buf => 0 "LB-3D100"
  KX_DEV_TestUSB_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_TestETH_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

Both opens failing.

  $ printf '%s\n' "$t" exit | KXSIM_RESULTS=KX_DEV_TestUSB_Init=-1,KX_DEV_TestETH_Init=-2 lutbox
  请输入命令: ->正在进行USB接口测试!
  USB接口初始化失败!
  
  正在进行网口测试!
  网口初始化失败!
  
  USB或网口通信测试失败!!
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_TestUSB_Init => -1
  KX_DEV_TestETH_Init => -2
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

Only the USB serial number failing: every other reading is printed, the
verdict fails. Likewise a failing Ethernet W25Qxxx reading.

  $ printf '%s\n' "$t" exit | KXSIM_RESULTS=KX_DEV_TestUSB_GetSN=-1 lutbox
  请输入命令: ->正在进行USB接口测试!
  MCU固件版本  : V1.04.2 2026-09-18
  无法获取产品序列号!
  产品名称     : LB-3D100
  W25Qxxx厂商ID: EF17
  
  正在进行网口测试!
  MCU固件版本  : V1.04.2 2026-09-18
  产品序列号   : KX3D-2611-00427
  产品名称     : LB-3D100
  W25Qxxx厂商ID: EF17
  
  USB或网口通信测试失败!!
  
  正在进行指示灯测试!
  请确认指示灯是否全为红色!
  Press any key to continue . . . 
  请确认指示灯是否全为绿色!
  
  全部测试结束，祝您好运!
  .
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_TestUSB_Init => 0
  KX_DEV_TestUSB_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_TestUSB_GetSN 0 @buf => -1
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
  KX_DEV_DeInit => 0
  $ printf '%s\n' "$t" exit | KXSIM_RESULTS=KX_DEV_TestETH_GetDevicePara=0/-4 lutbox | sed -n '/W25Qxxx/p;/USB/p'
  请输入命令: ->正在进行USB接口测试!
  W25Qxxx厂商ID: EF17
  无法获取W25Qxxx厂商ID!
  USB或网口通信测试失败!!
  $ journal | grep ETH_GetDevicePara
  KX_DEV_TestETH_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_TestETH_GetDevicePara 2 144 @buf => -4

The red LED call failing: the failure line in place of the red prompt, then
the pause and the green call as usual; the verdict is not changed. Then the
green one failing.

  $ printf '%s\n' "$t" exit | KXSIM_RESULTS=KX_DEV_Set_IndicatorLEDStatus=-1 lutbox | tail -n 11
  
  USB和网口通信测试成功.
  
  正在进行指示灯测试!
  指示灯测试失败.
  Press any key to continue . . . 
  请确认指示灯是否全为绿色!
  
  全部测试结束，祝您好运!
  .
  请输入命令: -> (no-eol)
  $ journal | tail -n 4
  KX_DEV_Set_IndicatorLEDStatus 1 => -1
  KX_DEV_Set_IndicatorLEDStatus 2 => 0
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0
  $ printf '%s\n' "$t" exit | KXSIM_RESULTS=KX_DEV_Set_IndicatorLEDStatus=0/-1 lutbox | tail -n 9
  
  正在进行指示灯测试!
  请确认指示灯是否全为红色!
  Press any key to continue . . . 
  指示灯测试失败.
  
  全部测试结束，祝您好运!
  .
  请输入命令: -> (no-eol)
  $ journal | tail -n 4
  KX_DEV_Set_IndicatorLEDStatus 1 => 0
  KX_DEV_Set_IndicatorLEDStatus 2 => -1
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

The test's own close, when it fails, is said on standard error as the
loop's closes are; the console's text stays as it is. (The words after it
are for a pause that reads a key from the input.)

  $ printf '%s\n' "$t" x x exit | KXSIM_RESULTS=KX_DEV_DeInit=-6 lutbox > /dev/null 2> err
  $ console_lines < err
  lutbox: KX_DEV_DeInit failed (-6)
  $ journal | grep -c DeInit
  2
