// The values the box gives meaning to in the arguments of its entry points
// (device_api_list.h): the KX_DEV_GetDevicePara selectors and the LED
// states. Shared by the operations of device/ and by the simulated box.
#pragma once

#include <cstdint>

// KX_DEV_GetDevicePara (and its test-port twins) selectors, and the
// parameter of selector 2 that asks for the W25Qxxx manufacturer ID.
constexpr int32_t kSelectUsbFileName = 1;
constexpr int32_t kSelectW25qId = 2;
constexpr int32_t kSelectS25FId = 3;
constexpr int32_t kSelectMcuVersion = 4;
constexpr int32_t kW25qManufacturerId = 0x90;

// LED states of KX_DEV_Set_IndicatorLEDStatus.
constexpr int32_t kLedsRed = 1;
constexpr int32_t kLedsGreen = 2;
