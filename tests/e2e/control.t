The control commands: one library call and one line each; all but setRGB
open the device first and are closed by the loop.

  $ . "$E2E_LIB"

Every command succeeding, with the index still 0.

  $ printf '%s\n' source:HDMI LutCtrl:EBU FPGA_RST FPGA_REG3:33 FPGA_REG1:5 FPGA_REG4:2 MCU_I2C1_Init Clr3dlut SetMode:3 exit | lutbox
  请输入命令: ->set Source Mode success.
  请输入命令: ->set LUT status success.
  请输入命令: ->FPGA Reset success.
  请输入命令: ->FPGA REG3 Set success.
  请输入命令: ->FPGA REG1 Set success.
  请输入命令: ->FPGA REG4 Set success.
  请输入命令: ->MCU I2C1 Init success.
  请输入命令: ->3D-LUT flash earse success.
  请输入命令: ->Set Mode Set success.
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_SetSourceMode 0 3 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetLutCtrlStatus 0 2 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetFPGAReset 0 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_Points 0 33 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetFPGAREG1 0 5 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set_HDMIOutStatus 2 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetMCUI2C1Init 0 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set_W25QXX_All_Chip_Erase 0 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetMode 0 3 => 0
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

Each call failing: its failure line.

  $ printf '%s\n' source:SDI LutCtrl:OFF FPGA_RST RST_FPGA_FALSE FPGA_REG3:26 FPGA_REG1:1 FPGA_REG4:1 MCU_I2C1_Init Clr3dlut SetMode:1 exit |
  > KXSIM_RESULTS=KX_DEV_SetSourceMode=-1,KX_DEV_SetLutCtrlStatus=-2,KX_DEV_SetFPGAReset=-1,KX_DEV_Set_FPGAResetStatus=-1,KX_DEV_Set3DLUT_Points=-1,KX_DEV_SetFPGAREG1=-1,KX_DEV_Set_HDMIOutStatus=-1,KX_DEV_SetMCUI2C1Init=-1,KX_DEV_Set_W25QXX_All_Chip_Erase=-1,KX_DEV_SetMode=-1 lutbox
  请输入命令: ->set Source Mode failure!
  请输入命令: ->set LUT status failure!
  请输入命令: ->FPGA Reset failure!
  请输入命令: ->FPGA Reset setting failure!
  请输入命令: ->FPGA REG3 Set failure!
  请输入命令: ->FPGA REG1 Set failure!
  请输入命令: ->FPGA REG4 Set failure!
  请输入命令: ->MCU I2C1 Init failure!
  请输入命令: ->3D-LUT flash erase failure!
  请输入命令: ->Set Mode Set failure!
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_SetSourceMode 0 2 => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetLutCtrlStatus 0 0 => -2
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetFPGAReset 0 => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set_FPGAResetStatus 1 => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_Points 1 26 => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetFPGAREG1 1 1 => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set_HDMIOutStatus 1 => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetMCUI2C1Init 1 => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set_W25QXX_All_Chip_Erase 1 => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_SetMode 1 1 => -1
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

The open failing: "KX_DEV_Init Failure!", no call, and the close.

  $ printf '%s\n' source:HDMI LutCtrl:EBU FPGA_RST FPGA_REG3:33 FPGA_REG1:5 FPGA_REG4:2 MCU_I2C1_Init Clr3dlut SetMode:3 exit |
  > KXSIM_RESULTS=KX_DEV_Init=-1/-1/-1/-1/-1/-1/-1/-1/-1 lutbox
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: -> (no-eol)
  $ journal
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
  KX_DEV_DeInit => 0

RST_FPGA_TRUE and RST_FPGA_FALSE store the reset state (2 or 1) in the
index before opening, so later commands pass it, even when the open failed.
A word holding both sends 2.

  $ printf '%s\n' RST_FPGA_TRUE getName RST_FPGA_FALSE getName RST_FPGA_TRUE getName RST_FPGA_FALSE_RST_FPGA_TRUE exit |
  > KXSIM_RESULTS=KX_DEV_Init=1/1/1/1/-1 lutbox
  请输入命令: ->FPGA Reset setting success.
  请输入命令: ->Product Name: LB-3D100
  请输入命令: ->FPGA Reset setting success.
  请输入命令: ->Product Name: LB-3D100
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->Product Name: LB-3D100
  请输入命令: ->FPGA Reset setting success.
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_Set_FPGAResetStatus 2 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetName 2 @buf => 0 "LB-3D100"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set_FPGAResetStatus 1 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetName 1 @buf => 0 "LB-3D100"
  KX_DEV_DeInit => 0
  KX_DEV_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_GetName 2 @buf => 0 "LB-3D100"
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set_FPGAResetStatus 2 => 0
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

Decimal numbers from the byte behind the keyword: a sign, digits up to the
first other character, 0 without digits; out-of-range values are clamped.
A word not beginning with the keyword shifts the number's position.

  $ printf '%s\n' FPGA_REG1:0x10 FPGA_REG1:-3 FPGA_REG1: SetMode:+12ab SetMode:99999999999 FPGA_REG3:-99999999999 xFPGA_REG4:7 exit | lutbox
  请输入命令: ->FPGA REG1 Set success.
  请输入命令: ->FPGA REG1 Set success.
  请输入命令: ->FPGA REG1 Set success.
  请输入命令: ->Set Mode Set success.
  请输入命令: ->Set Mode Set success.
  请输入命令: ->FPGA REG3 Set success.
  请输入命令: ->FPGA REG4 Set success.
  请输入命令: -> (no-eol)
  $ journal | grep -v -e Init -e DeInit
  KX_DEV_SetFPGAREG1 0 0 => 0
  KX_DEV_SetFPGAREG1 0 -3 => 0
  KX_DEV_SetFPGAREG1 0 0 => 0
  KX_DEV_SetMode 0 12 => 0
  KX_DEV_SetMode 0 2147483647 => 0
  KX_DEV_Set3DLUT_Points 0 -2147483648 => 0
  KX_DEV_Set_HDMIOutStatus 0 => 0

setRGB neither opens nor closes: with the device closed the simulated box
refuses it; after devInit (which leaves the device open) it is accepted.

  $ printf '%s\n' setRGB devInit setRGB RST_FPGA_FALSE setRGB exit | lutbox
  请输入命令: ->set RGB failure
  请输入命令: ->Dev_Num = 1
  请输入命令: ->set RGB success
  请输入命令: ->FPGA Reset setting success.
  请输入命令: ->set RGB failure
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_SetChVal 0 1,0.3,0.6 => -1
  KX_DEV_Init => 1
  KX_DEV_SetChVal 0 1,0.3,0.6 => 0
  KX_DEV_Init => 1
  KX_DEV_Set_FPGAResetStatus 1 => 0
  KX_DEV_DeInit => 0
  KX_DEV_SetChVal 1 1,0.3,0.6 => -1
  KX_DEV_DeInit => 0
  $ printf '%s\n' devInit setRGB exit | KXSIM_RESULTS=KX_DEV_SetChVal=-5 lutbox
  请输入命令: ->Dev_Num = 1
  请输入命令: ->set RGB failure
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_SetChVal 0 1,0.3,0.6 => -5
  KX_DEV_DeInit => 0
