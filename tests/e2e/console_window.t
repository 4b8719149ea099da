The console in a console window: its Chinese text reads correctly there
whatever the window's code page (Windows: written as wide characters), and
reaches a file or a pipe as the same GBK bytes as ever (every other
transcript).

  $ . "$E2E_LIB"
  $ printf 'getName\n' > words
  $ echo 加载器测试 | iconv -f UTF-8 -t GBK >> words
  $ printf 'exit\n' >> words
  $ KXSIM_RESULTS=KX_DEV_TestETH_Init=-1 lutbox_in_terminal words
  请输入命令: ->Product Name: LB-3D100
  请输入命令: ->正在进行USB接口测试!
  MCU固件版本  : V1.04.2 2026-09-18
  产品序列号   : KX3D-2611-00427
  产品名称     : LB-3D100
  W25Qxxx厂商ID: EF17
  
  正在进行网口测试!
  网口初始化失败!
  
  USB或网口通信测试失败!!
  请输入命令: -> (no-eol)
