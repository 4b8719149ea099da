"setLut" sends Lut3dFloatTable once more by the generic call (17576 rows),
but only while LastStatus is 0: after "readMenu", or after a command whose
last device result was 0.

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
  $ python3 lutgen.py write csv:33=a33.csv cube:17:crlf=c17.cube 3dl:26=d26.3dl
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

  $ python3 lutgen.py sed 35937=csv:33 4913=cube:17 17576=3dl:26 17576=csv:33 17576=csv:33,cube:17 > s
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

  $ python3 lutgen.py sed 17576= 17576=3dl:26 > s
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
