lutprep convert against OpenColorIO's ociobakelut, the reference, on every
sample file of tests/data/lut-samples/ and tests/samples/ (their READMEs
say where each comes from): each file converted to 33 points by both, and
every node of the two compared within 2e-6 after both are clamped to
[0, 1] (formatcheck.py, a reader of its own: lutprep's compare is not the
judge of lutprep). A line per file: "agrees", how it differs and why, or
who refuses it and lutprep's reason. Of what OpenColorIO 2.1.2 refuses
(error_*), lutprep reads only what it can read without a guess (a cube
with a TITLE and a shaper, a BOM, a 3dl mesh line of 2 or 3 entries...),
and the line says so with its warnings; what OpenColorIO reads to a
surprising result (quirk_*) shows lutprep's result and its warnings. A collection is read once without
--cccid and once with each id given; a lone correction that OpenColorIO
refuses without an id shows what lutprep does with it. Skipped where
ociobakelut is not installed.

  $ ociobakelut --help 2>&1 | grep -q -- --cubesize || exit 80
  $ . "$E2E_LIB"
  $ check() { python3 "$(dirname "$E2E_LIB")/formatcheck.py" "$@"; }

Autodesk Flame / Lustre integer 3D LUTs.

  $ check 3dl
  crlf_tabs.3dl: agrees
  crosstalk.3dl: agrees
  dark_12bit_read_as_10bit.3dl: its Mesh header's 12 bits followed, where ociobakelut ignores the header and guesses 10 from the largest value (differs by 0.744948 at node (17, 0, 0): lutprep 0.255052 0.000000 0.000000, ociobakelut 1.000000 0.000000 0.000000)
  discreet-3d-lut.3dl: agrees
  error_line_with_two_ints.3dl: refused, as by ociobakelut: error_line_with_two_ints.3dl: line 9: 2 numbers where a row holds 3
  error_max_below_128.3dl: refused, as by ociobakelut: error_max_below_128.3dl: line 2: the largest value is 100: below 128, too low to tell the output depth, and no Mesh header states it (OpenColorIO refuses such a file too)
  error_meshline_only_identity.3dl: refused, as by ociobakelut: error_meshline_only_identity.3dl: line 1: only a mesh line that is an even ramp, and no rows: no table to read
  error_meshline_with_3_entries.3dl: read, though ociobakelut refuses it
    error_meshline_with_3_entries.3dl: line 3: no Mesh header: the output taken as 10-bit from the largest value, 1023 on this line
  error_ocio_own_flame_bake_2pt.3dl: read, though ociobakelut refuses it
    error_ocio_own_flame_bake_2pt.3dl: line 3: no Mesh header: the output taken as 12-bit from the largest value, 4095 on this line
  error_truncated_file.3dl: refused, as by ociobakelut: error_truncated_file.3dl: line 375: the file holds 369 rows after the mesh line (line 5): not the N^3 rows of a table of 2 to 256 points
  error_two_meshlines.3dl: refused, as by ociobakelut: error_two_meshlines.3dl: line 2: a second mesh line (the first is on line 1)
  flame_no_header_12bit.3dl: agrees
  float_rows_ignored.3dl: agrees
  lustre_33x33x33.3dl: agrees
  lustre_header_no_meshline.3dl: agrees
  lustre_mesh0_10entry_meshline.3dl: agrees
  meshline_nonidentity_shaper.3dl: agrees
  meshline_only_nonidentity.3dl: agrees
  negative_value_row.3dl: agrees
  values_14bit_read_as_16bit.3dl: agrees

Iridas and Resolve cubes.

  $ check cube
  colour_iridas_ACES_Proxy_10_to_ACES.cube: agrees
  colour_iridas_Demo.cube: agrees
  colour_resolve_Three_Dimensional_Table.cube: agrees
  error_colour_resolve_Demo.cube: read, though ociobakelut refuses it
  error_colour_resolve_LogC_Video.cube: read, though ociobakelut refuses it
    warning: lutprep.cube: the 33-point grid is up to 8.388 10-bit code values off between its nodes; most of it lies where an input is near 1, where IN's response is steep or curved: a shaper before the table could straighten that, but the box has none
  error_colour_resolve_Three_Dimensional_Table_With_Shaper.cube: read, though ociobakelut refuses it
  error_denormal_1e-40.cube: read, though ociobakelut refuses it
  error_domain_and_input_range.cube: refused, as by ociobakelut: error_domain_and_input_range.cube: line 2: DOMAIN_MIN/MAX and LUT_3D_INPUT_RANGE both give the input range of the 3D table
  error_four_numbers_in_row.cube: refused, as by ociobakelut: error_four_numbers_in_row.cube: line 9: 4 numbers where a row holds 3
  error_indented_comment.cube: read, though ociobakelut refuses it
  error_lut_2d_size.cube: refused, as by ociobakelut: error_lut_2d_size.cube: line 1: unknown keyword 'LUT_2D_SIZE'
  error_no_size_keyword.cube: read, though ociobakelut refuses it
  error_resolve_comment_after_data.cube: read, though ociobakelut refuses it
  error_title_with_shaper.cube: read, though ociobakelut refuses it
  error_too_many_rows.cube: refused, as by ociobakelut: error_too_many_rows.cube: line 10: the file holds 9 3D rows; LUT_3D_SIZE 2 (line 1) needs 8
  error_utf8_bom.cube: read, though ociobakelut refuses it
  iridas_1d.cube: agrees
  iridas_3d.cube: agrees
  iridas_comment_between_rows.cube: agrees
  iridas_domain_before_size.cube: agrees
  iridas_lowercase_keywords.cube: agrees
  quirk_decimal_comma.cube: refused, though ociobakelut reads it: quirk_decimal_comma.cube: line 2: '0,000000' is not a number (a decimal comma?)
  quirk_hex_float.cube: refused, though ociobakelut reads it: quirk_hex_float.cube: line 2: '0x0p+0' is not a number
  quirk_nan_row.cube: differs by 0.968750 at node (31, 0, 0): lutprep 0.000000 0.000000 0.000000, ociobakelut 0.968750 0.000000 0.000000
    warning: lutprep.cube: quirk_nan_row.cube holds 3 NaN or infinite values, which reach 32768 of the 35937 output nodes; there the values are clamped (NaN to 0) and the loss counts them as total (1023.000 10-bit code values)
  quirk_trailing_garbage.cube: refused, though ociobakelut reads it: quirk_trailing_garbage.cube: line 2: '0.000000x' is not a number
  resolve_1d3d.cube: agrees
  resolve_1d_input_range.cube: agrees
  resolve_1d_range_on_3d_ignored.cube: agrees
  resolve_3d_input_range.cube: agrees
  resolve_shaper_and_ranges.cube: agrees
  resolve_shaper_no_ranges.cube: agrees
  tetrahedral_probe.cube: agrees

Cinespace pre-LUTs and tables.

  $ check csp
  colour_ACES_Proxy_10_to_ACES.csp: agrees
  colour_Demo.csp: agrees
  colour_Ragged_Domain.csp: agrees
  colour_Three_Dimensional_Table_With_Shaper.csp: agrees
  csp_3d_identity_prelut.csp: agrees
  csp_header_lowercase.csp: agrees
  csp_prelut_3_points_spline.csp: agrees
  csp_prelut_count_zero.csp: agrees
  csp_prelut_range_minus1_to_3.csp: agrees
  error_1d_type_trailing_space.csp: read, though ociobakelut refuses it
  error_HANGS_metadata_without_end.csp: refused, as by ociobakelut: error_HANGS_metadata_without_end.csp: line 3: BEGIN METADATA without END METADATA
  error_colour_Explicit_Domain.csp: refused, as by ociobakelut: error_colour_Explicit_Domain.csp: line 19: the 3D table's size line must give one size from 2 to 256 three times (the same on each axis)
  error_nonuniform_cube.csp: refused, as by ociobakelut: error_nonuniform_cube.csp: line 14: the 3D table's size line must give one size from 2 to 256 three times (the same on each axis)
  lut3d_arbitrary.csp: agrees
  lut3d_red-only.csp: agrees
  quirk_lowercase_3d_only_prelut_applied.csp: refused, though ociobakelut reads it: quirk_lowercase_3d_only_prelut_applied.csp: line 2: the kind must be written 1D or 3D, upper case: OpenColorIO drops the table of any other spelling and applies only the pre-LUTs

Sony Pictures Imageworks 1D LUTs.

  $ check spi1d
  colour_eotf_sRGB_1D.spi1d: agrees
  colour_eotf_sRGB_3x1D.spi1d: agrees
  error_colour_Exception_Raising.spi1d: refused, as by ociobakelut: error_colour_Exception_Raising.spi1d: line 2: From needs two numbers, the input of the first and the last entry
  error_components_4.spi1d: refused, as by ociobakelut: error_components_4.spi1d: line 4: Components needs one whole number from 1 to 3
  error_extra_column.spi1d: refused, as by ociobakelut: error_extra_column.spi1d: line 6: an entry of Components 1 needs 1 number
  error_indented_header.spi1d: read, though ociobakelut refuses it
  error_too_few_entries.spi1d: refused, as by ociobakelut: error_too_few_entries.spi1d: line 8: 2 entries; Length 3 (line 3) needs 3
  error_value_on_brace_line.spi1d: refused, as by ociobakelut: error_value_on_brace_line.spi1d: line 5: values on the '{' line: the table begins on the next line
  error_version_2.spi1d: refused, as by ociobakelut: error_version_2.spi1d: line 1: not Version 1, the only version of the format
  lut1d_1.spi1d: agrees
  spi1d_components2_blue_zero.spi1d: agrees
  spi1d_components3.spi1d: agrees
  spi1d_from_0_2.spi1d: agrees
  spi1d_no_closing_brace.spi1d: agrees
  spi1d_unknown_header_line.spi1d: agrees

Sony Pictures Imageworks 3D LUTs, each row with its indices.

  $ check spi3d
  colour_Colour_Correct_Unordered.spi3d: agrees
  error_duplicate_entry.spi3d: refused, as by ociobakelut: error_duplicate_entry.spi3d: line 5: node 0 0 0 given twice
  error_index_out_of_range.spi3d: refused, as by ociobakelut: error_index_out_of_range.spi3d: line 4: node 2 0 0 is outside the 2-point lattice
  error_missing_entry.spi3d: refused, as by ociobakelut: error_missing_entry.spi3d: line 10: 7 of 8 nodes given; node 1 1 1 is missing
  error_nonuniform_size.spi3d: refused, as by ociobakelut: error_nonuniform_size.spi3d: line 3: sizes 2 2 3: the lattice must have as many points on each axis
  lut3d_bizarre.spi3d: agrees
  spi3d_junk_lines_ignored.spi3d: agrees
  spi3d_reverse_order.spi3d: agrees

Sony Pictures Imageworks matrices.

  $ check spimtx
  camera_to_aces.spimtx: agrees
  colour_Matrix_Offset.spimtx: agrees
  colour_dt.spimtx: agrees
  colour_p3_to_xyz16.spimtx: agrees
  error_11_numbers.spimtx: refused, as by ociobakelut: error_11_numbers.spimtx: line 1: 11 numbers: a matrix is 3 rows of 4 (12)
  spimtx_offsets_in_65535ths.spimtx: agrees
  spimtx_rows_are_outputs.spimtx: agrees

FilmLight Truelight cubes.

  $ check cub
  error_no_truelight_header.cub: refused, as by ociobakelut: error_no_truelight_header.cub: line 1: not a Truelight .cub file: the first line must be '# Truelight Cube v2.0'
  error_unequal_width.cub: refused, as by ociobakelut: error_unequal_width.cub: line 2: width 2 2 3: only grids of equal sides are read
  truelight_3d_only.cub: agrees
  truelight_inputlut_and_cube.cub: agrees
  truelight_inputlut_only.cub: agrees
  truelight_text_after_end.cub: agrees

Iridas itx.

  $ check itx
  iridas_3d.itx: agrees

Iridas look files (hexadecimal float32 values in XML).

  $ check look
  error_mask_with_content.look: refused, as by ociobakelut: error_mask_with_content.look: line 3: a <mask> with content: the look applies within a mask, which no LUT holds
  error_tab_in_data.look: refused, as by ociobakelut: error_tab_in_data.look: line 5: a tab in <data>, where only hex digits, blanks, line ends and quotes belong
  error_wrong_count.look: refused, as by ociobakelut: error_wrong_count.look: line 5: <data> holds 192 hex digits; <size> 3 (line 4) needs 648 (8 a value)
  look_2x2x2_probe.look: agrees
  look_empty_mask.look: agrees
  look_lowercase_hex_unquoted.look: agrees

Nuke vf files.

  $ check vf
  error_no_inventor_header.vf: refused, as by ociobakelut: error_no_inventor_header.vf: line 1: not a Nuke .vf file: the first line must be '#Inventor V2.1 ascii'
  error_unequal_grid.vf: refused, as by ociobakelut: error_unequal_grid.vf: line 2: grid_size 2 2 3: only grids of equal sides are read
  nuke_3d.vf: agrees
  vf_global_transform_prescaled.vf: agrees
  vf_global_transform_swap.vf: agrees
  vf_global_transform_translation.vf: agrees
  vf_no_global_transform.vf: agrees

Pandora m3d.

  $ check m3d
  m3d_out4096.m3d: agrees
  pandora_3d.m3d: agrees

Pandora mga.

  $ check mga
  error_channel_1d.mga: refused, as by ociobakelut: error_channel_1d.mga: line 1: channel 1d: only 3D tables are read ('channel 3d')
  error_no_out.mga: refused, as by ociobakelut: error_no_out.mga: line 4: no 'out' line before the values: the table's scale is not known
  mga_index_column_ignored.mga: agrees
  mga_out1024_3pt.mga: agrees
  mga_out4096.mga: agrees

Houdini LUTs, one named .hdl.

  $ check hdl
  error_missing_black_line.lut: refused, as by ociobakelut: error_missing_black_line.lut: line 8: neither a Discreet 1D LUT ('LUT: ' or a number first) nor a Houdini LUT (no Black line before LUT:)
  error_separate_rgb_blocks.lut: refused, as by ociobakelut: error_separate_rgb_blocks.lut: line 10: neither a Discreet 1D LUT ('LUT: ' or a number first) nor a Houdini LUT (a block 'R' in a LUT of Type C, which holds one RGB block)
  houdini.lut: agrees
  houdini_type3d.hdl: agrees
  houdini_type3d1d_prelut.lut: agrees
  houdini_type3d_from_ignored.lut: agrees
  houdini_typeC_to_ignored.lut: agrees

Discreet 1D LUTs.

  $ check lut
  Test_12to16fp.lut: agrees
  discreet_1x1024_dstdepth_4096.lut: agrees
  discreet_3x1024_default_depth.lut: agrees
  discreet_4_tables_alpha_ignored.lut: agrees
  discreet_length_512_dstdepth_1024.lut: agrees
  discreet_name_gives_depth_10to12.lut: agrees
  discreet_old_format_256_lines.lut: agrees
  error_2_tables.lut: refused, as by ociobakelut: error_2_tables.lut: line 1: the header's first number, the tables, must be 1, 3 or 4
  error_comment_inside_table.lut: refused, as by ociobakelut: error_comment_inside_table.lut: line 130: a comment line within a table
  error_extra_value.lut: refused, as by ociobakelut: error_extra_value.lut: line 258: a line after the 1 table of 256 entries
  error_legacy_flmlk_desat.lut: refused, as by ociobakelut: error_legacy_flmlk_desat.lut: line 1: '3DLUTMatrix': a table line holds one whole number from 0 to 65535 alone
  error_legacy_slog_to_log_v3_lustre.lut: refused, as by ociobakelut: error_legacy_slog_to_log_v3_lustre.lut: line 1: neither a Discreet 1D LUT ('LUT: ' or a number first) nor a Houdini LUT ('LUT12' is not a Houdini LUT header line)
  error_length_512_no_depth.lut: refused, as by ociobakelut: error_length_512_no_depth.lut: line 1: tables of 512 entries give no output depth: the header's third number must (256, 1024, 4096, 65536 or 65536f)
  error_negative_value.lut: refused, as by ociobakelut: error_negative_value.lut: line 2: '-1': a table line holds one whole number from 0 to 65535 alone
  error_no_final_newline.lut: refused, as by ociobakelut: error_no_final_newline.lut: line 257: the last value has no line end: the file may be cut short
  error_no_space_after_colon.lut: refused, as by ociobakelut: error_no_space_after_colon.lut: line 1: the header must begin 'LUT: ' with a blank after the colon
  error_truncated_file.lut: refused, as by ociobakelut: error_truncated_file.lut: line 81: the file ends after 79 of the 768 values of 3 tables of 256 entries
  logtolin_8to8.lut: agrees
  quirk_decimal_values_truncated.lut: refused, though ociobakelut reads it: quirk_decimal_values_truncated.lut: line 2: '0.7': a table line holds one whole number from 0 to 65535 alone
  quirk_tone_10to12.lut: agrees
    quirk_tone_10to12.lut: line 1: no output depth in the header or after 'to' in the file name: 1024 entries taken as 1024-code output
  quirk_values_over_65535_wrap.lut: refused, though ociobakelut reads it: quirk_values_over_65535_wrap.lut: line 221: 65700 is above 65535 (OpenColorIO would keep its low 16 bits, 164)

Academy/ASC Common LUT Format.

  $ check clf
  cdl_all_styles.clf: agrees
  cdl_clamp_fwd.clf: agrees
  cdl_missing_sat.clf: agrees
  cdl_missing_sop.clf: agrees
  cdl_missing_style.clf: agrees
  difficult_syntax.clf: agrees
  error_array_missing_values.clf: refused, as by ociobakelut: error_array_missing_values.clf: line 5: the Array of the Matrix holds 3 values; its dim needs 9
  error_array_too_many_values.clf: refused, as by ociobakelut: error_array_too_many_values.clf: line 9: the Array of the Matrix holds more than the 9 values of its dim
  error_cdl_bad_power.clf: refused, as by ociobakelut: error_cdl_bad_power.clf: line 8: Power 0: a power is more than 0
  error_cdl_missing_power.clf: refused, as by ociobakelut: error_cdl_missing_power.clf: line 5: SOPNode without Power: it needs Slope, Offset and Power
  error_exponent_bad_value.clf: refused, as by ociobakelut: error_exponent_bad_value.clf: line 5: exponent 0.99, offset 0: the monCurve styles take exponents from 1 to 10 and offsets from 0 to 0.9
  error_exponent_in_clf2.clf: refused, as by ociobakelut: error_exponent_in_clf2.clf: line 3: the process node Exponent is not in CLF 2 (compCLFversion 3.0 has it)
  error_exposurecontrast_in_clf.clf: refused, as by ociobakelut: error_exposurecontrast_in_clf.clf: line 3: the process node ExposureContrast is not in CLF files (only in CTF)
  error_halfdomain_2_entries.clf: refused, as by ociobakelut: error_halfdomain_2_entries.clf: line 4: a halfDomain LUT1D of 2 entries: it needs 65536
  error_indexMap_test4_clfv2.clf: refused, as by ociobakelut: error_indexMap_test4_clfv2.clf: line 8: an IndexMap of other than two entries ("in@index in@index")
  error_log_bad_version.clf: refused, as by ociobakelut: error_log_bad_version.clf: line 6: the process node Log is not in CLF 2 (compCLFversion 3.0 has it)
  error_lut1d_half_domain_missing_values.clf: refused, as by ociobakelut: error_lut1d_half_domain_missing_values.clf: line 7: a halfDomain LUT1D of 32 entries: it needs 65536
  error_lut3d_unequal_size.clf: refused, as by ociobakelut: error_lut3d_unequal_size.clf: line 5: a LUT3D Array of dim "2 2 3 3": a 3D LUT is "n n n 3", n from 1 to 256
  error_missing_compclfversion.clf: refused, as by ociobakelut: error_missing_compclfversion.clf: line 2: a .clf ProcessList without compCLFversion
  error_process_list_higher_version.clf: refused, as by ociobakelut: error_process_list_higher_version.clf: line 2: compCLFversion 3.2: the versions read are 3 and older
  error_range_bad_values.clf: refused, as by ociobakelut: error_range_bad_values.clf: line 4: the Range's maxInValue is not above its minInValue
  error_range_empty.clf: refused, as by ociobakelut: error_range_empty.clf: line 4: a Range needs minInValue with minOutValue, maxInValue with maxOutValue, or all four
  error_smpte2136_namespaces.clf: refused, as by ociobakelut: error_smpte2136_namespaces.clf: line 2: the root element is clf:ProcessList: a CLF or CTF file's is ProcessList
  error_transform_bitdepth_mismatch.clf: refused, as by ociobakelut: error_transform_bitdepth_mismatch.clf: line 11: the LUT1D's inBitDepth 32f is not the outBitDepth 16f of the node before (line 3)
  error_transform_empty.clf: refused, as by ociobakelut: error_transform_empty.clf: line 2: no process node in the ProcessList
  error_transform_missing_id.clf: refused, as by ociobakelut: error_transform_missing_id.clf: line 2: the ProcessList has no id
  exponent_all_styles.clf: agrees
  handmade_cdl_no_style_clamps.clf: agrees
  handmade_indexmap_clf2.clf: agrees
  handmade_indexmap_clf3_ignored.clf: agrees
  handmade_lowercase_element_names.clf: agrees
  handmade_lut1d_out10i.clf: agrees
  handmade_lut3d_out12i.clf: agrees
  handmade_lut3d_trilinear.clf: agrees
  handmade_range_10i_to_12i.clf: agrees
  indexMap_test1_clfv2.clf: agrees
  indexMap_test2_clfv2.clf: agrees
  info_example.clf: agrees
  inverseOf_id_test.clf: agrees
  log_all_styles.clf: agrees
  lut1d_32f_example.clf: agrees
  lut1d_comp.clf: agrees
  lut1d_example.clf: agrees
  lut1d_half_domain_raw_half_set.clf: agrees
  lut3by1d_nan_infinity_example.clf: between the table's largest and smallest floats the value is their mean, where ociobakelut's single precision overflows to infinity (differs by 1.000000 at node (27, 0, 0): lutprep 0.000000 0.000000 0.000000, ociobakelut 1.000000 0.000000 0.000000)
  lut3d_17x17x17_10i_12i.clf: agrees
  lut3d_bizarre.clf: agrees
  lut3d_identity_12i_16f.clf: agrees
  matrix_3x4_example.clf: agrees
  matrix_example.clf: agrees
  matrix_example_utf8.clf: agrees
  matrix_no_newlines.clf: agrees
  matrix_windows.clf: agrees
  multiple_ops.clf: agrees
  range.clf: agrees
  range_test1_clamp.clf: agrees
  range_test1_noclamp.clf: agrees
  range_test2.clf: agrees
  tabulation_support.clf: agrees
  warn_indexMap_test2.clf: agrees
  warn_unknown_elements.clf: a 1D table of slope about 1600 magnifies ociobakelut's single-precision rounding before it (differs by 0.000011 at node (12, 24, 4): lutprep 0.000000 0.000000 0.256578, ociobakelut 0.000000 0.000000 0.256589)
  xyz_to_rgb.clf: agrees

Autodesk CTF.

  $ check ctf
  cdl_various.ctf: every CDL applied as the file says, where ociobakelut's optimiser drops a clamping Fwd and Rev pair as if it were no change (differs by 0.028265 at node (0, 0, 0): lutprep 0.048265 0.000000 0.000000, ociobakelut 0.020000 0.000000 0.000000)
  error_exposure_contrast_bad_style.ctf: refused, as by ociobakelut: error_exposure_contrast_bad_style.ctf: line 3: the ExposureContrast's style "unknown" is none of its styles
  error_process_list_higher_version.ctf: refused, as by ociobakelut: error_process_list_higher_version.ctf: line 2: version 42: the versions read are 2.1 and older
  exposure_contrast_linear.ctf: agrees
  fixed_function.ctf: agrees
  gamma_test1.ctf: agrees
  log_logtolin.ctf: agrees
  lut1d_hue_adjust_test.ctf: agrees
  lut1d_inv.ctf: agrees
  matrix_example4x4.ctf: agrees
  process_list_no_version.ctf: agrees
  range_lut.ctf: agrees

ASC CDL corrections; a collection saved as .cc needs an id.

  $ check cc quirk_collection_in_cc_extension.cc=0
  cc_negative_offset_power.cc: agrees
  cc_satnode_only.cc: agrees
  cc_saturation_0.cc: agrees
  cc_slope2_no_clamp.cc: agrees
  cdl_test1.cc: agrees
  cdl_test2.cc: agrees
  cdl_test_ASC_SAT.cc: agrees
  cdl_test_ASC_SOP.cc: agrees
  cdl_test_SATNode.cc: agrees
  error_missing_power.cc: refused, as by ociobakelut: error_missing_power.cc: line 2: SOPNode without Power: it needs Slope, Offset and Power
  error_negative_slope.cc: refused, as by ociobakelut: error_negative_slope.cc: line 3: Slope -1: a slope is 0 or more
  error_two_slope_values.cc: refused, as by ociobakelut: error_two_slope_values.cc: line 3: Slope takes 3 numbers; it holds 2
  quirk_collection_in_cc_extension.cc: read, though ociobakelut refuses it
  quirk_collection_in_cc_extension.cc --cccid 0: agrees

ASC CDL collections: an id, or an index where no id matches (ccc_id_versus_index.ccc: 3 is an id, 1 an index).

  $ check ccc cdl_test1.ccc=cc0002 cdl_test_cc_file_with_extension.ccc=0 ccc_id_versus_index.ccc=3 ccc_id_versus_index.ccc=1 error_duplicate_id.ccc=a
  ccc_id_versus_index.ccc: refused, as by ociobakelut: ccc_id_versus_index.ccc: line 1: 4 corrections: choose one with --cccid, by id or index from 0: first, index 1 (no id), 3, last
  ccc_id_versus_index.ccc --cccid 3: agrees
  ccc_id_versus_index.ccc --cccid 1: agrees
  cdl_test1.ccc: refused, as by ociobakelut: cdl_test1.ccc: line 1: 5 corrections: choose one with --cccid, by id or index from 0: cc0001, cc0002, cc0003, index 3 (no id), index 4 (no id)
  cdl_test1.ccc --cccid cc0002: agrees
  cdl_test_cc_file_with_extension.ccc: read, though ociobakelut refuses it
  cdl_test_cc_file_with_extension.ccc --cccid 0: agrees
  error_duplicate_id.ccc: refused, as by ociobakelut: error_duplicate_id.ccc: line 12: a second ColorCorrection with id 'a' (the first is on line 2)
  error_duplicate_id.ccc --cccid a: refused, as by ociobakelut: error_duplicate_id.ccc: line 12: a second ColorCorrection with id 'a' (the first is on line 2)

ASC CDL decision lists.

  $ check cdl cdl_test1.cdl=cc0003 cdl_test_cc_file_with_extension.cdl=0 cdl_two_decisions.cdl=shot2
  cdl_test1.cdl: refused, as by ociobakelut: cdl_test1.cdl: line 1: 5 corrections: choose one with --cccid, by id or index from 0: cc0001, cc0002, cc0003, index 3 (no id), index 4 (no id)
  cdl_test1.cdl --cccid cc0003: agrees
  cdl_test_cc_file_with_extension.cdl: read, though ociobakelut refuses it
  cdl_test_cc_file_with_extension.cdl --cccid 0: agrees
  cdl_two_decisions.cdl: refused, as by ociobakelut: cdl_two_decisions.cdl: line 1: 2 corrections: choose one with --cccid, by id or index from 0: shot1, shot2
  cdl_two_decisions.cdl --cccid shot2: agrees

Chains of two and three files (a camera curve or pre-LUT, a CDL, a look),
applied in the order given, against ociobakelut --lut A --lut B --lut C.

  $ check --chain csp/colour_Three_Dimensional_Table_With_Shaper.csp clf/xyz_to_rgb.clf
  csp/colour_Three_Dimensional_Table_With_Shaper.csp + clf/xyz_to_rgb.clf: the matrix (rows of gain up to 5.3) mixes the table's values up to 2.9, magnifying the two tools' rounding (ociobakelut's in single precision) (differs by 0.000009 at node (8, 19, 30): lutprep 0.029566 0.950000 0.900000, ociobakelut 0.029557 0.950000 0.900000)
  $ check --chain spi1d/lut1d_1.spi1d cc/cdl_test2.cc
  spi1d/lut1d_1.spi1d + cc/cdl_test2.cc: agrees
  $ check --chain spi1d/colour_eotf_sRGB_1D.spi1d cc/cc_negative_offset_power.cc cube/colour_resolve_Three_Dimensional_Table.cube
  spi1d/colour_eotf_sRGB_1D.spi1d + cc/cc_negative_offset_power.cc + cube/colour_resolve_Three_Dimensional_Table.cube: agrees
  $ check --chain csp/csp_prelut_range_minus1_to_3.csp cc/cdl_test2.cc clf/lut3d_17x17x17_10i_12i.clf
  csp/csp_prelut_range_minus1_to_3.csp + cc/cdl_test2.cc + clf/lut3d_17x17x17_10i_12i.clf: agrees
  $ check --chain spimtx/camera_to_aces.spimtx cc/cdl_test1.cc clf/multiple_ops.clf
  spimtx/camera_to_aces.spimtx + cc/cdl_test1.cc + clf/multiple_ops.clf: agrees

