The nine information queries against the simulated box: each opens the
device, makes one query, prints one line, and the loop closes the device.

  $ . "$E2E_LIB"

Every query succeeding. getW25q_ and getS25F_ store their number in the
index, which later queries pass on (getS25F_-1 makes getName pass -1).

  $ printf '%s\n' getName getUsbFileName getMcuVer getSN getLMH0341FormatID getW25q_144 getSN getS25F_-1 getName getLMH0341FormatID exit | lutbox
  请输入命令: ->Product Name: LB-3D100
  请输入命令: ->Usb-Flash File Name: LUT_FILM_33P.cube
  请输入命令: ->MCU Fireware Ver: V1.04.2 2026-09-18
  请输入命令: ->Product SN: KX3D-2611-00427
  请输入命令: ->LMH0341 format: 1080p50 3G-SDI Level A
  请输入命令: ->get W25Q EF17
  请输入命令: ->Product SN: KX3D-2611-00427
  请输入命令: ->get S25F 010219
  请输入命令: ->Product Name: LB-3D100
  请输入命令: ->LMH0341 format: 1080p50 3G-SDI Level A
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_GetName 0 @buf => 0 "LB-3D100"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 1 0 @buf => 0 "LUT_FILM_33P.cube"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetSN 0 @buf => 0 "KX3D-2611-00427"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetLMH0341Format 0 @buf => 0 "1080p50 3G-SDI Level A"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetSN 144 @buf => 0 "KX3D-2611-00427"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 3 -1 @buf => 0 "010219"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetName -1 @buf => 0 "LB-3D100"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetLMH0341Format -1 @buf => 0 "1080p50 3G-SDI Level A"
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

The general queries: two fixed six-byte fields, hexadecimal with "0x",
decimal otherwise; the reply is printed without a label. Fields are not
realigned: in GetDevInfo:0x02,0x90 the first field is "0x02,0" (2) and the
second "90" (decimal 90). A field the word does not reach is empty, even
where an earlier, longer word left its bytes; a field without a number
gives 0.

  $ printf '%s\n' GetDevInfo:0x0002,0x0090 'GetDevInfo:000001;000000' GetDevInfo:0x02,0x90 GetDevInfo:0x0004 FPGA_REG3:26 GetFPGAInfo:0x0001,0x0003 GetDevInfo: GetFPGAInfo:x,y exit | lutbox
  请输入命令: ->EF17
  请输入命令: ->LUT_FILM_33P.cube
  请输入命令: ->EF4018
  请输入命令: ->V1.04.2 2026-09-18
  请输入命令: ->FPGA REG3 Set success.
  请输入命令: ->REG3=0x001A
  请输入命令: ->Get device info failure!
  请输入命令: ->Get device info failure!
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 2 144 @buf => 0 "EF17"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 1 0 @buf => 0 "LUT_FILM_33P.cube"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 2 90 @buf => 0 "EF4018"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 4 0 @buf => 0 "V1.04.2 2026-09-18"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_Points 0 26 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetFPGAPara 1 3 @buf => 0 "REG3=0x001A"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 0 0 @buf => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetFPGAPara 0 0 @buf => -1
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

The number of getW25q_ and getS25F_ starts at byte 8 of the word: a
hexadecimal text or a word that does not begin with the keyword give 0.

  $ printf '%s\n' getW25q_0x90 xgetW25q_144 getS25F_+3abc getName exit | lutbox
  请输入命令: ->get W25Q EF4018
  请输入命令: ->get W25Q EF4018
  请输入命令: ->get S25F 010219
  请输入命令: ->Product Name: LB-3D100
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 2 0 @buf => 0 "EF4018"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 2 0 @buf => 0 "EF4018"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 3 3 @buf => 0 "010219"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetName 3 @buf => 0 "LB-3D100"
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

Each query failing: its failure line, no reply printed. getW25q_ and
getS25F_ still store their number, since the device opened.

  $ printf '%s\n' getName getUsbFileName getMcuVer getLMH0341FormatID getW25q_5 getSN getS25F_6 GetDevInfo:000004,000000 GetFPGAInfo:000002,000000 getName exit |
  > KXSIM_RESULTS=KX_DEV_GetName=-1,KX_DEV_GetDevicePara=-1/-2/-3/-4/-1,KX_DEV_GetSN=-1,KX_DEV_GetLMH0341Format=-1,KX_DEV_GetFPGAPara=-9 lutbox
  请输入命令: ->getName failure
  请输入命令: ->get Usb-Flash File Name failure
  请输入命令: ->get MCU Fireware Ver failure.
  请输入命令: ->get LMH0341 format failure
  请输入命令: ->get W25Q failure.
  请输入命令: ->getSN failure
  请输入命令: ->get S25F failure.
  请输入命令: ->Get device info failure!
  请输入命令: ->Get device info failure!
  请输入命令: ->Product Name: LB-3D100
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_GetName 0 @buf => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 1 0 @buf => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 4 0 @buf => -2
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetLMH0341Format 0 @buf => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 2 5 @buf => -3
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetSN 5 @buf => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 3 6 @buf => -4
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 4 0 @buf => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetFPGAPara 2 0 @buf => -9
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetName 6 @buf => 0 "LB-3D100"
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

The open failing: "KX_DEV_Init Failure!" and the close, nothing else; a
getW25q_ or getS25F_ whose open failed leaves the index as it was (3 here).

  $ printf '%s\n' getW25q_3 getName getUsbFileName getMcuVer getSN getLMH0341FormatID getW25q_5 getS25F_6 GetDevInfo:000004,000000 GetFPGAInfo:000002,000000 getName exit |
  > KXSIM_RESULTS=KX_DEV_Init=1/-1/-1/-1/-1/-1/-1/-1/-1/-1 lutbox
  请输入命令: ->get W25Q EF4018
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->Product Name: LB-3D100
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 2 3 @buf => 0 "EF4018"
  KX_DEV_DeInit => 0
  KX_DEV_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetName 3 @buf => 0 "LB-3D100"
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

A reply is printed as text, never as a format, and only up to the end of
its 64-byte buffer, even when the library writes no terminator there.

  $ printf '%s\n' getName exit | KXSIM_TEXT='100% %s %d %n' lutbox
  请输入命令: ->Product Name: 100% %s %d %n
  请输入命令: -> (no-eol)
  $ long=$(printf 'R%.0s' $(seq 70)); echo ${#long}
  70
  $ printf '%s\n' getName getSN GetDevInfo:000001,000000 exit | KXSIM_TEXT="$long" lutbox
  请输入命令: ->Product Name: RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR
  请输入命令: ->Product SN: RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR
  请输入命令: ->RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_GetName 0 @buf => 0 "100% %s %d %n"
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetName 0 @buf => 0 "RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetSN 0 @buf => 0 "RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetDevicePara 1 0 @buf => 0 "RRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRR"
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

A close that fails: the console's text stays as it is, and standard error
says the failure, one line per close (here the loop's after getName, then
the run's last one).

  $ printf '%s\n' getName exit | KXSIM_RESULTS=KX_DEV_DeInit=-6/-7 lutbox 2> err
  请输入命令: ->Product Name: LB-3D100
  请输入命令: -> (no-eol)
  $ console_lines < err
  lutbox: KX_DEV_DeInit failed (-6)
  lutbox: KX_DEV_DeInit failed (-7)
  $ journal | grep -c DeInit
  2
