"setLut" sends the float table of the last file read once more by the generic call (17576 rows),
but only while LastStatus is 0: after "readMenu", or after a command whose
last device result was 0.

  $ . "$E2E_LIB"
  $ lutgen() { python3 "$(dirname "$E2E_LIB")/lutgen.py" "$@"; }
  $ lutgen write csv:33=a33.csv cube:17:crlf=c17.cube 3dl:26=d26.3dl
  $ printf 'not a lut\n' > notes.txt

Before anything has set LastStatus, nothing is sent.

  $ printf 'setLut\nexit\n' | lutbox
  请输入命令: ->Dev_Num = 1
  3D-Lut File Open fail.
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

After each good download: the first 17576 rows of the float table, whatever
the layout of the last file; a 17-point cube overwrites only its own rows of
the 33-point CSV table, and a 3dl file none. A load that fails leaves its -1
and stops the send; a path without a known extension leaves 0, which lets it
through.

  $ lutgen sed 35937=csv:33 4913=cube:17 17576=3dl:26 17576=csv:33 17576=csv:33,cube:17 > s
  $ printf 'load:a33.csv\nsetLut\nload:c17.cube\nsetLut\nload:d26.3dl\nsetLut\nload:absent.csv\nsetLut\nload:notes.txt\nsetLut\nexit\n' | lutbox
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Dev_Num = 1
  set Lut success, 3D-LUT Num=0
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Dev_Num = 1
  set Lut success, 3D-LUT Num=0
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Dev_Num = 1
  set Lut success, 3D-LUT Num=0
  请输入命令: ->Loading Lut...
  3D-Lut File Open fail!
  请输入命令: ->Dev_Num = 1
  3D-Lut File Open fail.
  请输入命令: ->Loading Lut...
  3D-Lut File Open fail!
  请输入命令: ->Dev_Num = 1
  set Lut success, 3D-LUT Num=0
  请输入命令: -> (no-eol)
  $ journal | sed -f s
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 33 => 0
  KX_DEV_Set_CSV_33P_3DLUT 0 lut:35937:<csv:33> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT 0 lut:17576:<csv:33> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_CSV_17P_3DLUT 0 lut:4913:<cube:17> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT 0 lut:17576:<csv:33,cube:17> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 26 => 0
  KX_DEV_Set_3DL_26P_3DLUT 0 lut:17576:<3dl:26> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT 0 lut:17576:<csv:33,cube:17> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT 0 lut:17576:<csv:33,cube:17> => 0
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

A send result that is not 0, positive or negative, stops the next "setLut";
so does a download whose send returned a positive number.

  $ lutgen sed 17576= 17576=3dl:26 > s
  $ export KXSIM_RESULTS=KX_DEV_Set3DLUT=-2/7,KX_DEV_Set_3DL_26P_3DLUT=3
  $ printf 'readMenu\nsetLut\nsetLut\nreadMenu\nsetLut\nsetLut\nload:d26.3dl\nsetLut\nexit\n' | lutbox
  请输入命令: ->read Menu success
  请输入命令: ->Dev_Num = 1
  set Lut failure
  请输入命令: ->Dev_Num = 1
  3D-Lut File Open fail.
  请输入命令: ->read Menu success
  请输入命令: ->Dev_Num = 1
  set Lut success, 3D-LUT Num=7
  请输入命令: ->Dev_Num = 1
  3D-Lut File Open fail.
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Dev_Num = 1
  3D-Lut File Open fail.
  请输入命令: -> (no-eol)
  $ journal | sed -f s
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT 0 lut:17576:<> => -2
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT 0 lut:17576:<> => 7
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 26 => 0
  KX_DEV_Set_3DL_26P_3DLUT 0 lut:17576:<3dl:26> => 3
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

A device that does not open: nothing is sent and LastStatus stays, so the
next "setLut" sends.

  $ export KXSIM_RESULTS=KX_DEV_Init=1/-1
  $ printf 'readMenu\nsetLut\nsetLut\nsetLut\nexit\n' | lutbox
  请输入命令: ->read Menu success
  请输入命令: ->Dev_Num = 1
  set Lut success, 3D-LUT Num=0
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->Dev_Num = 1
  set Lut success, 3D-LUT Num=0
  请输入命令: -> (no-eol)
  $ journal | sed -f s
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT 0 lut:17576:<> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT 0 lut:17576:<> => 0
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0
