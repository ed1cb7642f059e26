#pragma once
// The framework's base type names and the notify event, shared by every framework header.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/kernel/Extended.h"

namespace fw {

using Integer = int32_t;
using Cardinal = uint32_t;
using Byte = uint8_t;
using Word = uint16_t;
using Int64 = int64_t;
using NativeInt = intptr_t;
using Extended = win::Extended;
using String = std::string;  // UTF-8
using WideString = std::u16string;

class TObject;
using TNotifyEvent = std::function<void(TObject* Sender)>;

}  // namespace fw
