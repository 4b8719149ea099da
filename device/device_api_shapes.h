// Argument shapes of the device library's entry points.
//
// Every entry point takes the DeviceContext first and returns a signed 32-bit
// status (negative is failure). KX_PARAMS_<shape> is the full parameter list
// of a shape, KX_ARGS_<shape> the same names as an argument list, so that one
// entry of device_api_list.h can become a pointer type, an export or a
// forwarding call.
#pragma once

#include <cstdint>

// index/selector/value arguments are plain 32-bit ints in the library's ABI.
#define KX_PARAMS_CTX (void *ctx)
#define KX_ARGS_CTX ctx
#define KX_PARAMS_INDEX (void *ctx, int32_t index)
#define KX_ARGS_INDEX ctx, index
#define KX_PARAMS_VALUE (void *ctx, int32_t value)
#define KX_ARGS_VALUE ctx, value
#define KX_PARAMS_INDEX_VALUE (void *ctx, int32_t index, int32_t value)
#define KX_ARGS_INDEX_VALUE ctx, index, value
#define KX_PARAMS_INDEX_OUT_VALUE (void *ctx, int32_t index, int32_t *value)
#define KX_ARGS_INDEX_OUT_VALUE ctx, index, value
#define KX_PARAMS_INDEX_TEXT (void *ctx, int32_t index, char *text)
#define KX_ARGS_INDEX_TEXT ctx, index, text
#define KX_PARAMS_SEL_PARAM_TEXT (void *ctx, int32_t selector, int32_t param, char *text)
#define KX_ARGS_SEL_PARAM_TEXT ctx, selector, param, text
// Three 32-bit floats: the channel levels.
#define KX_PARAMS_INDEX_LEVELS (void *ctx, int32_t index, float *levels)
#define KX_ARGS_INDEX_LEVELS ctx, index, levels
// Rows of three floats, 12 bytes a row, from the first element of the table.
#define KX_PARAMS_INDEX_FLOAT_LUT (void *ctx, int32_t index, float *table)
#define KX_ARGS_INDEX_FLOAT_LUT ctx, index, table
// Rows of three 16-bit integers, 6 bytes a row.
#define KX_PARAMS_INDEX_INT_LUT (void *ctx, int32_t index, int16_t *table)
#define KX_ARGS_INDEX_INT_LUT ctx, index, table

// The Get entries: the same types, filled by the box.
#define KX_PARAMS_INDEX_OUT_LEVELS KX_PARAMS_INDEX_LEVELS
#define KX_ARGS_INDEX_OUT_LEVELS KX_ARGS_INDEX_LEVELS
#define KX_PARAMS_INDEX_OUT_FLOAT_LUT KX_PARAMS_INDEX_FLOAT_LUT
#define KX_ARGS_INDEX_OUT_FLOAT_LUT KX_ARGS_INDEX_FLOAT_LUT
#define KX_PARAMS_INDEX_OUT_INT_LUT KX_PARAMS_INDEX_INT_LUT
#define KX_ARGS_INDEX_OUT_INT_LUT KX_ARGS_INDEX_INT_LUT

// Text buffers handed to the library are 64 bytes, zeroed by the caller. The
// library is given no size: a reply must fit, its terminator included, and
// is never read beyond this size.
constexpr int kReplySize = 64;
