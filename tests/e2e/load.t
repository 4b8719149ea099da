"load:" reads a 3D LUT file and downloads it with the call of its layout;
every sent table is checked against a hash of the values the file was
generated from.

  $ . "$E2E_LIB"
  $ cat > lutgen.py <<'EOF'
  > # write FAMILY:POINTS[:crlf]=PATH ...: 3D LUT files of generated values.
  > # sed ROWS=LAYER,... ...: a sed script that names the FNV-1a 64 hash of the
  > # table (zeros, then each LAYER family:points's rows laid over it).
  > import struct, sys
  > # Exact in float32 and in '%.12f'; a row never starts with a sign.
  > def fval(seed, k):
  >     b = (k * 7919 + seed) % 8192
  >     return (b if k % 3 == 0 else b - 1024) / 4096
  > def rows(fam, pts):
  >     seed = pts + {'csv': 0, 'cube': 100, '3dl': 200}[fam]
  >     for r in range(pts ** 3):
  >         if fam == '3dl':
  >             yield [(k * 7919 + seed) % 70001 for k in range(3 * r, 3 * r + 3)]
  >         else:
  >             yield [fval(seed, k) for k in range(3 * r, 3 * r + 3)]
  > def write(fam, pts, path, eol='\n'):
  >     out = {'csv': ['R,G,B,r,g,b'],
  >            'cube': ['# generated', 'TITLE "t"', 'LUT_3D_SIZE %d' % pts, ''],
  >            '3dl': ['# generated', '', ' '.join(str(i * 1023 // (pts - 1)) for i in range(pts))]}[fam]
  >     for r, row in enumerate(rows(fam, pts)):
  >         if fam == 'csv':
  >             out.append('%d,%d,%d,' % (r % pts, r // pts % pts, r // pts // pts) + '%.12f,%.12f,%.12f' % tuple(row))
  >         else:
  >             out.append(('%d %d %d' if fam == '3dl' else '%.12f %.12f %.12f') % tuple(row))
  >     open(path, 'wb').write((eol.join(out) + eol).encode())
  > def fnv(data):
  >     h = 14695981039346656037
  >     for b in data:
  >         h = ((h ^ b) * 1099511628211) & 0xFFFFFFFFFFFFFFFF
  >     return '%016x' % h
  > def table(n, layers):
  >     t = bytearray(n * 12)
  >     for layer in layers:
  >         fam, pts = layer.split(':')
  >         for r, row in zip(range(n), rows(fam, int(pts))):
  >             if fam == '3dl':
  >                 t[r * 6:r * 6 + 6] = struct.pack('<3H', *[v & 0xFFFF for v in row])
  >             else:
  >                 t[r * 12:r * 12 + 12] = struct.pack('<3f', *row)
  >     return t[:n * (6 if layers and layers[0].startswith('3dl') else 12)]
  > if sys.argv[1] == 'write':
  >     for spec in sys.argv[2:]:
  >         shape, path = spec.split('=')
  >         fam, pts, *crlf = shape.split(':')
  >         write(fam, int(pts), path, '\r\n' if crlf else '\n')
  > else:
  >     for spec in sys.argv[2:]:
  >         n, layers = spec.split('=')
  >         print('s/lut:%s:%s /lut:%s:<%s> /' % (n, fnv(table(int(n), layers.split(',') if layers else [])), n, layers))
  > EOF

The table hashes stand in the journal under the layers they were computed
from, e.g. <csv:33,cube:17>: zeros, then the rows of a 33-point CSV file,
then those of a 17-point cube over them.

CSV files of every size, with LF and CR LF line ends: file type 1, the
points, and the CSV call of the size (26 points: the generic call).

  $ python3 lutgen.py write csv:17=a17.csv csv:26:crlf=a26.csv csv:33=a33.CSV
  $ python3 lutgen.py sed 4913=csv:17 17576=csv:26 35937=csv:33 > s
  $ printf 'load:a17.csv\nload:a26.csv\nload:a33.CSV\nexit\n' | lutbox
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
  KX_DEV_DeInit => 0

cube files (title, size, comment and blank lines before the rows): file
type 2.

  $ python3 lutgen.py write cube:17:crlf=c17.cube cube:26=c26.CUBE cube:33=c33.cube
  $ python3 lutgen.py sed 4913=cube:17 17576=cube:26 35937=cube:33 > s
  $ printf 'load:c17.cube\nload:c26.CUBE\nload:c33.cube\nexit\n' | lutbox
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: ->Loading Lut...
  Load Lut success.
  请输入命令: -> (no-eol)
  $ journal | sed -f s
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
  KX_DEV_DeInit => 0

3dl files (comments, a blank line and the mesh line before the rows): file
type 1 and the integer table, each value as its low 16 bits (the generated
values reach 70000).

  $ python3 lutgen.py write 3dl:17=d17.3dl 3dl:26:crlf=d26.3DL 3dl:33=d33.3dl
  $ python3 lutgen.py sed 4913=3dl:17 17576=3dl:26 35937=3dl:33 > s
  $ printf 'load:d17.3dl\nload:d26.3DL\nload:d33.3dl\nexit\n' | lutbox
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
  $ python3 lutgen.py sed 4913=csv:17 4913=cube:17 4913=3dl:17 > s
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
any other result is a success.

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
  Load Lut success.
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

A device that does not open: the file is not read (it does not even
exist), nothing else is called, and LastStatus keeps the 0 of "readMenu", so
"setLut" still sends.

  $ python3 lutgen.py sed 17576= > s
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
  $ python3 lutgen.py write csv:16=p16.csv
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

A refused file leaves the table as it was: after a good 26-point cube, the
bad 33-point cube and CSV files change none of its rows, and "setLut"
(allowed again by "readMenu") sends the cube's rows.

  $ python3 lutgen.py sed 17576=cube:26 > s
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
