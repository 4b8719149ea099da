/*
 * The cube sizes the box takes, one row each:
 *
 *   LUT3D_SIZE(points, float layout, int layout,
 *              float send entry, float read entry, int send entry, int read entry)
 *
 * The float table (CSV and cube files) and the integer table (3dl files)
 * each have a send and a read-back entry of the device library per size;
 * the 26-point float table goes through the generic KX_DEV_Set3DLUT.
 *
 * This file is included several times with a different definition of
 * LUT3D_SIZE: by the LUT tables (points, rows and layouts; the entry names
 * are dropped there), by the downloads (the entries of each layout) and by
 * the simulated box (the rows each entry takes). Rows are points cubed.
 */

LUT3D_SIZE(17, 1, 4, KX_DEV_Set_CSV_17P_3DLUT, KX_DEV_Get_CSV_17P_3DLUT, KX_DEV_Set_3DL_17P_3DLUT,
           KX_DEV_Get_3DL_17P_3DLUT)
LUT3D_SIZE(26, 2, 5, KX_DEV_Set3DLUT, KX_DEV_Get3DLUT, KX_DEV_Set_3DL_26P_3DLUT, KX_DEV_Get_3DL_26P_3DLUT)
LUT3D_SIZE(33, 3, 6, KX_DEV_Set_CSV_33P_3DLUT, KX_DEV_Get_CSV_33P_3DLUT, KX_DEV_Set_3DL_33P_3DLUT,
           KX_DEV_Get_3DL_33P_3DLUT)
