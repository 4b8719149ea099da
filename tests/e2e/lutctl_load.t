lutctl load: the reader's verdict, then the download exactly as "load:"
makes it, each step checked; --verify reads the table back with the Get
entry of its layout and compares it bit for bit.

  $ . "$E2E_LIB"
  $ lutgen() { python3 "$(dirname "$E2E_LIB")/lutgen.py" "$@"; }
  $ lutgen write csv:17=a17.csv cube:26=c26.cube cube:33=c33.cube 3dl:17=d17.3dl 3dl:26=d26.3dl 3dl:33=d33.3dl
  $ lutgen sed 4913=csv:17 17576=cube:26 35937=cube:33 4913=3dl:17 17576=3dl:26 35937=3dl:33 > s

Every layout verified against the simulated box, which reads back the
table the last send stored.

  $ lutctl load --verify c33.cube; status
  File: c33.cube
  Family: cube
  Points: 33
  Layout: 3
  Sent: yes
  Read-back: verified
  status 0
  $ for f in a17.csv c26.cube d17.3dl d26.3dl d33.3dl; do lutctl --json load "$f" --verify || echo failed; done
  {"file": "a17.csv", "family": "csv", "points": 17, "layout": 1, "sent": true, "verified": true, "first_difference": null}
  {"file": "c26.cube", "family": "cube", "points": 26, "layout": 2, "sent": true, "verified": true, "first_difference": null}
  {"file": "d17.3dl", "family": "3dl", "points": 17, "layout": 4, "sent": true, "verified": true, "first_difference": null}
  {"file": "d26.3dl", "family": "3dl", "points": 26, "layout": 5, "sent": true, "verified": true, "first_difference": null}
  {"file": "d33.3dl", "family": "3dl", "points": 33, "layout": 6, "sent": true, "verified": true, "first_difference": null}
  $ journal | sed -f s
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 33 => 0
  KX_DEV_Set_CSV_33P_3DLUT 0 lut:35937:<cube:33> => 0
  KX_DEV_Get_CSV_33P_3DLUT 0 @out => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_CSV_17P_3DLUT 0 lut:4913:<csv:17> => 0
  KX_DEV_Get_CSV_17P_3DLUT 0 @out => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 2 => 0
  KX_DEV_Set3DLUT_Points 0 26 => 0
  KX_DEV_Set3DLUT 0 lut:17576:<cube:26> => 0
  KX_DEV_Get3DLUT 0 @out => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Set_3DL_17P_3DLUT 0 lut:4913:<3dl:17> => 0
  KX_DEV_Get_3DL_17P_3DLUT 0 @out => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 26 => 0
  KX_DEV_Set_3DL_26P_3DLUT 0 lut:17576:<3dl:26> => 0
  KX_DEV_Get_3DL_26P_3DLUT 0 @out => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 33 => 0
  KX_DEV_Set_3DL_33P_3DLUT 0 lut:35937:<3dl:33> => 0
  KX_DEV_Get_3DL_33P_3DLUT 0 @out => 0
  KX_DEV_DeInit => 0

A read-back that differs in one bit: the first differing row with both
values (value 7 is the second value of row 3), and the run fails.

  $ KXSIM_FLIP=7 lutctl load --verify d17.3dl | tail -n 1; KXSIM_FLIP=7 lutctl --json load --verify c33.cube; status
  Read-back: row 3 differs: sent -17805 -9886 -1967, read -17805 -9885 -1967
  {"file": "c33.cube", "family": "cube", "points": 33, "layout": 3, "sent": true, "verified": false, "first_difference": {"row": 3, "sent": [1.63256836, 1.31591797, 1.24926758], "read": [1.63256836, 1.31591809, 1.24926758]}}
  status 1
  $ rm journal

A failing step: its name and result, nothing after it; a read-back that
fails is no verification.

  $ KXSIM_RESULTS=KX_DEV_Set3DLUT_Points=-1 lutctl --json load --verify a17.csv; status
  lutctl: KX_DEV_Set3DLUT_Points failed (-1)
  {"file": "a17.csv", "family": "csv", "points": 17, "layout": 1, "sent": false, "verified": null, "first_difference": null}
  status 1
  $ KXSIM_RESULTS=KX_DEV_Set_3DL_17P_3DLUT=-2 lutctl load d17.3dl; status
  lutctl: KX_DEV_Set_3DL_17P_3DLUT failed (-2)
  File: d17.3dl
  Family: 3dl
  Points: 17
  Layout: 4
  Sent: no
  status 1
  $ KXSIM_RESULTS=KX_DEV_Get_3DL_17P_3DLUT=-1 lutctl load --verify d17.3dl | sed -n '1p;$p'
  lutctl: KX_DEV_Get_3DL_17P_3DLUT failed (-1)
  Read-back: failed
  $ journal | grep -v lut:
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => -1
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_DeInit => 0
  KX_DEV_Init => 1
  KX_DEV_Set3DLUT_FileType 0 1 => 0
  KX_DEV_Set3DLUT_Points 0 17 => 0
  KX_DEV_Get_3DL_17P_3DLUT 0 @out => -1
  KX_DEV_DeInit => 0

A refused file is reported with the reader's reason and where it stands,
and the box is never opened.

  $ head -n 100 c33.cube > short.cube
  $ sed '50s/.*/0.1 0.2 x/' c33.cube > bad.cube
  $ for f in short.cube bad.cube missing.3dl; do lutctl load "$f"; status; done
  lutctl: short.cube refused: 96 data rows, not 4913, 17576 or 35937
  status 1
  lutctl: bad.cube refused: row 46 cannot be read (line 50, column 9)
  status 1
  lutctl: missing.3dl refused: the file cannot be opened or read
  status 1
  $ cp c33.cube c33.txt
  $ lutctl --json load c33.txt; status
  lutctl: c33.txt refused: the name has none of .csv, .cube, .3dl (or .CSV, .CUBE, .3DL)
  {"file": "c33.txt", "family": null, "points": null, "layout": null, "sent": false, "verified": null, "first_difference": null}
  status 1
  $ journal

A close that fails after a verified download fails the run.

  $ KXSIM_RESULTS=KX_DEV_DeInit=-6 lutctl load --verify a17.csv > out; status
  status 1
  $ tail -n 2 out
  Read-back: verified
  lutctl: KX_DEV_DeInit failed (-6)
  $ journal | tail -n 1
  KX_DEV_DeInit => -6
