#pragma once

#include <cstdint>

// The Win32 values the plug-in store passes and tests, spelt out so that the
// store builds without the platform headers.
namespace DXiRegistryCodes {
constexpr int32_t kSuccess = 0;
constexpr int32_t kFileNotFound = 2;
constexpr int32_t kAccessDenied = 5;
constexpr int32_t kInvalidHandle = 6;
constexpr int32_t kInvalidParameter = 87;
constexpr int32_t kCallNotImplemented = 120;
constexpr int32_t kMoreData = 234;
constexpr int32_t kNoMoreItems = 259;
constexpr int32_t kKeyDeleted = 1018;

constexpr uint32_t kQueryValue = 0x0001;
constexpr uint32_t kSetValue = 0x0002;
constexpr uint32_t kCreateSubKey = 0x0004;
constexpr uint32_t kEnumerateSubKeys = 0x0008;
constexpr uint32_t kAllAccess = 0xF003F;

constexpr uint32_t kTypeString = 1;
} // namespace DXiRegistryCodes
