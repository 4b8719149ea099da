The port self-tests "usbtest" and "ethtest": the library's test entries,
four readings with the English lines, no KX_DEV_Init, and the loop's close.

  $ . "$E2E_LIB"

Both passing; getW25q_144 first makes the serial-number and name readings
pass 144 as their index.

  $ printf '%s\n' usbtest getW25q_144 ethtest exit | lutbox
  请输入命令: ->MCU Fireware Ver: V1.04.2 2026-09-18
  Product SN: KX3D-2611-00427
  Product Name: LB-3D100
  get W25Q EF17
  请输入命令: ->get W25Q EF17
  请输入命令: ->MCU Fireware Ver: V1.04.2 2026-09-18
  Product SN: KX3D-2611-00427
  Product Name: LB-3D100
  get W25Q EF17
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_TestUSB_Init => 0
  KX_DEV_TestUSB_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_TestUSB_GetSN 0 @buf => 0 "KX3D-2611-00427"
  KX_DEV_TestUSB_GetName 0 @buf => 0 "LB-3D100"
  KX_DEV_TestUSB_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_DeInit => 0
  KX_DEV_TestETH_Init => 0
  KX_DEV_TestETH_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_TestETH_GetSN 144 @buf => 0 "KX3D-2611-00427"
  KX_DEV_TestETH_GetName 144 @buf => 0 "LB-3D100"
  KX_DEV_TestETH_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

Each reading failing in turn prints its failure line, and the readings
after it still run (the W25Qxxx query included).

  $ printf '%s\n' usbtest usbtest ethtest ethtest exit |
  > KXSIM_RESULTS=KX_DEV_TestUSB_GetDevicePara=-1/0/0/-1,KX_DEV_TestUSB_GetSN=0/-1,KX_DEV_TestETH_GetName=-1/0,KX_DEV_TestETH_GetDevicePara=0/0/0/-2 lutbox
  请输入命令: ->get MCU Fireware Ver failure.
  Product SN: KX3D-2611-00427
  Product Name: LB-3D100
  get W25Q EF17
  请输入命令: ->MCU Fireware Ver: V1.04.2 2026-09-18
  getSN failure
  Product Name: LB-3D100
  get W25Q failure.
  请输入命令: ->MCU Fireware Ver: V1.04.2 2026-09-18
  Product SN: KX3D-2611-00427
  getName failure
  get W25Q EF17
  请输入命令: ->MCU Fireware Ver: V1.04.2 2026-09-18
  Product SN: KX3D-2611-00427
  Product Name: LB-3D100
  get W25Q failure.
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_TestUSB_Init => 0
  KX_DEV_TestUSB_GetDevicePara 4 0 @buf => -1
  KX_DEV_TestUSB_GetSN 0 @buf => 0 "KX3D-2611-00427"
  KX_DEV_TestUSB_GetName 0 @buf => 0 "LB-3D100"
  KX_DEV_TestUSB_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_DeInit => 0
  KX_DEV_TestUSB_Init => 0
  KX_DEV_TestUSB_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_TestUSB_GetSN 0 @buf => -1
  KX_DEV_TestUSB_GetName 0 @buf => 0 "LB-3D100"
  KX_DEV_TestUSB_GetDevicePara 2 144 @buf => -1
  KX_DEV_DeInit => 0
  KX_DEV_TestETH_Init => 0
  KX_DEV_TestETH_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_TestETH_GetSN 0 @buf => 0 "KX3D-2611-00427"
  KX_DEV_TestETH_GetName 0 @buf => -1
  KX_DEV_TestETH_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_DeInit => 0
  KX_DEV_TestETH_Init => 0
  KX_DEV_TestETH_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_TestETH_GetSN 0 @buf => 0 "KX3D-2611-00427"
  KX_DEV_TestETH_GetName 0 @buf => 0 "LB-3D100"
  KX_DEV_TestETH_GetDevicePara 2 144 @buf => -2
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

A failed open prints its line and nothing else; the loop still closes.

  $ printf '%s\n' usbtest ethtest exit | KXSIM_RESULTS=KX_DEV_TestUSB_Init=-1,KX_DEV_TestETH_Init=-3 lutbox
  请输入命令: ->USB Init Failure!
  请输入命令: ->Eth Init Failure!
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_TestUSB_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_TestETH_Init => -3
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0
