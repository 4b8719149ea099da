"load:" reads a 3D LUT file and downloads it with the call of its layout;
every sent table is checked against a hash of the values the file was
generated from.

  $ . "$E2E_LIB"
  $ lutgen() { python3 "$(dirname "$E2E_LIB")/lutgen.py" "$@"; }

The table hashes stand in the journal under the layers they were computed
from, e.g. <csv:33,cube:17>: zeros, then the rows of a 33-point CSV file,
then those of a 17-point cube over them.

Every family and size, with LF and CR LF line ends: CSV files give file
type 1; cube files (title, size, comment and blank lines before the rows)
file type 2; 3dl files (comments, a blank line and the mesh line before the
rows) file type 1 and the integer table, each value as its low 16 bits (the
generated values reach 70000). Then the points and the call of the family
and size (26 points, CSV or cube: the generic call).

  $ lutgen write csv:17=a17.csv csv:26:crlf=a26.csv csv:33=a33.CSV cube:17:crlf=c17.cube cube:26=c26.CUBE cube:33=c33.cube 3dl:17=d17.3dl 3dl:26:crlf=d26.3DL 3dl:33=d33.3dl
  $ lutgen sed 4913=csv:17 17576=csv:26 35937=csv:33 4913=cube:17 17576=cube:26 35937=cube:33 4913=3dl:17 17576=3dl:26 35937=3dl:33 > s
  $ printf 'load:%s\n' a17.csv a26.csv a33.CSV c17.cube c26.CUBE c33.cube d17.3dl d26.3DL d33.3dl exit | lutbox
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: -> (no-eol)
  $ journal | sed -f s
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_CSV_17P_3DLUT 0 lut:4913:<csv:17> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 26 => 0
  KX_DEV_Set3DLUT 0 lut:17576:<csv:26> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 33 => 0
  KX_DEV_Set_CSV_33P_3DLUT 0 lut:35937:<csv:33> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_CSV_17P_3DLUT 0 lut:4913:<cube:17> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 26 => 0
  KX_DEV_Set3DLUT 0 lut:17576:<cube:26> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 33 => 0
  KX_DEV_Set_CSV_33P_3DLUT 0 lut:35937:<cube:33> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_3DL_17P_3DLUT 0 lut:4913:<3dl:17> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 26 => 0
  KX_DEV_Set_3DL_26P_3DLUT 0 lut:17576:<3dl:26> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 33 => 0
  KX_DEV_Set_3DL_33P_3DLUT 0 lut:35937:<3dl:33> => 0
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

The file type follows the last file read: a cube after a 3dl file, a CSV
after a cube. The extension may stand anywhere in the path, and ".csv" is
looked for before ".cube".

  $ mkdir dir.cube
  $ cp c17.cube dir.cube/lut
  $ cp a17.csv film.cube.csv
  $ lutgen sed 4913=csv:17 4913=cube:17 4913=3dl:17 > s
  $ printf 'load:d17.3dl\nload:dir.cube/lut\nload:film.cube.csv\nexit\n' | lutbox
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: -> (no-eol)
  $ journal | sed -f s
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_3DL_17P_3DLUT 0 lut:4913:<3dl:17> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_CSV_17P_3DLUT 0 lut:4913:<cube:17> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_CSV_17P_3DLUT 0 lut:4913:<csv:17> => 0
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

Failures of the send call: the four known codes have their own messages,
any other negative result is a plain failure, and zero or more a success.

  $ export KXSIM_RESULTS=KX_DEV_Set_3DL_17P_3DLUT=-1/-2/-3/-4/-5/3
  $ printf 'load:d17.3dl\n%.0s' 1 2 3 4 5 6 | lutbox
  请输入命令: ->Loading Lut...
  Communicate fail!
  请输入命令: ->Loading Lut...
  Erase flash fail!
  请输入命令: ->Loading Lut...
  return ok fail!
  请输入命令: ->Loading Lut...
  Erase communicate fail!
  请输入命令: ->Loading Lut...
  Load Lut fail!
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: -> (no-eol)
  $ journal | sed -f s
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_3DL_17P_3DLUT 0 lut:4913:<3dl:17> => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_3DL_17P_3DLUT 0 lut:4913:<3dl:17> => -2
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_3DL_17P_3DLUT 0 lut:4913:<3dl:17> => -3
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_3DL_17P_3DLUT 0 lut:4913:<3dl:17> => -4
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_3DL_17P_3DLUT 0 lut:4913:<3dl:17> => -5
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_3DL_17P_3DLUT 0 lut:4913:<3dl:17> => 3
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0
  $ unset KXSIM_RESULTS

When the box refuses the file type or the point count, the table is not
sent (the box could take it with the wrong order or size): the line is that
of a failed communication, and LastStatus holds the refusal, so "setLut"
does not send either.

  $ export KXSIM_RESULTS=KX_DEV_Set3DLUT_FileType=-7,KX_DEV_Set3DLUT_Points=-2
  $ printf 'load:c17.cube\nload:c17.cube\nsetLut\nexit\n' | lutbox
  请输入命令: ->Loading Lut...
  Communicate fail!
  请输入命令: ->Loading Lut...
  Communicate fail!
  请输入命令: ->Dev_Num = 1
  3D-Lut File Open fail.
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 2 => -7
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 17 => -2
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0
  $ unset KXSIM_RESULTS

A device that does not open: the file is not read (it does not even
exist), nothing else is called, and LastStatus keeps the 0 of "readMenu", so
"setLut" still sends.

  $ lutgen sed 17576= > s
  $ export KXSIM_RESULTS=KX_DEV_Init=-1
  $ printf 'readMenu\nload:absent.cube\nsetLut\nexit\n' | lutbox
  请输入命令: ->read Menu success
  请输入命令: ->KX_DEV_Init Failure!
  请输入命令: ->Dev_Num = 1
  set Lut success, 3D-LUT Num=0
  请输入命令: -> (no-eol)
  $ journal | sed -f s
  KX_DEV_Init => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT 0 lut:17576:<> => 0
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0
  $ unset KXSIM_RESULTS

Files that cannot be read or are not accepted: one message, and nothing is
sent. A missing file, a path without a known extension (mixed case is not
known), an empty file, a 16-point table (4096 rows: there is no 16-point
download), a 33-point cube whose last row lacks its third value, and a
33-point CSV file with a ';' in one row.

  $ : > empty.csv
  $ cp c17.cube LUT.Cube
  $ lutgen write csv:16=p16.csv
  $ sed '$ s/ [^ ]*$//' c33.cube > cut.cube
  $ tail -n 1 cut.cube
  0.587158203125 0.270507812500
  $ sed '20000 s/,/;/4' a33.CSV > bad.csv
  $ sed -n 20000p bad.csv
  0,12,18,1.384521484375;1.067871093750,1.001220703125
  $ printf 'load:absent.cube\nload:LUT.Cube\nload:empty.csv\nload:p16.csv\nload:cut.cube\nload:bad.csv\nexit\n' | lutbox
  请输入命令: ->Loading Lut...
  3D-Lut File Open fail!
  请输入命令: ->Loading Lut...
  3D-Lut File Open fail!
  请输入命令: ->Loading Lut...
  3D-Lut File Open fail!
  请输入命令: ->Loading Lut...
  3D-Lut File Open fail!
  请输入命令: ->Loading Lut...
  3D-Lut File Open fail!
  请输入命令: ->Loading Lut...
  3D-Lut File Open fail!
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

Names that are no regular file are refused at once, without waiting for a
writer or reading for ever: a FIFO and a device (Windows: the device names
CON, COM1 and NUL, with any extension).

  $ printf 'load:%s\n' $(not_regular_files cube) exit | lutbox
  请输入命令: ->Loading Lut...
  3D-Lut File Open fail!
  请输入命令: ->Loading Lut...
  3D-Lut File Open fail!
  请输入命令: ->Loading Lut...
  3D-Lut File Open fail!
  请输入命令: -> (no-eol)
  $ journal
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0

A refused file leaves the table as it was: after a good 26-point cube, the
bad 33-point cube and CSV files change none of its rows, and "setLut"
(allowed again by "readMenu") sends the cube's rows.

  $ lutgen sed 17576=cube:26 > s
  $ printf 'load:c26.CUBE\nload:cut.cube\nload:bad.csv\nreadMenu\nsetLut\nexit\n' | lutbox
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Loading Lut...
  3D-Lut File Open fail!
  请输入命令: ->Loading Lut...
  3D-Lut File Open fail!
  请输入命令: ->read Menu success
  请输入命令: ->Dev_Num = 1
  set Lut success, 3D-LUT Num=0
  请输入命令: -> (no-eol)
  $ journal | sed -f s
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 26 => 0
  KX_DEV_Set3DLUT 0 lut:17576:<cube:26> => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT 0 lut:17576:<cube:26> => 0
  KX_DEV_DeInit => 0
  KX_DEV_DeInit => 0
