#pragma once
// The message box's push buttons are the BUTTON class.

#include "platform/controls/Button.h"
